#pragma once
#include <span>
#include <string>
#include <string_view>

// Every text, key and log message of the SDK. Each entry is looked up in the table "Localizable"
// of the SDK bundle under its key, with a compiled-in fallback. Plain entries are looked up once
// per process, formatted ones on every call. Values of keys ending in "-b64" are stored scrambled
// and unscrambled on lookup; one that does not unscramble gives the empty string. No lookup
// fails or throws.
namespace vyd {

struct CatalogueEntry {
    std::string_view key;
    // For "-b64" keys this is the scrambled form of the SDK's own text.
    std::string_view fallback;
    // Number of "%@" arguments the entry takes; 0 for plain entries.
    int arguments = 0;
};

namespace L10n {

// Every entry of the catalogue, in no meaningful order.
std::span<const CatalogueEntry> allEntries();

// The catalogue's value for an entry (the table's, else the fallback), unscrambled when the key
// ends in "-b64", without any formatting. Reads the table on every call.
std::string lookup(const CatalogueEntry& entry);

// A plain entry's value, looked up once per process on first use. Texts of other parts of the SDK
// that the catalogue does not list use it too, with entries of their own.
template <const CatalogueEntry& Entry>
const std::string& once() {
    static const std::string value = lookup(Entry);
    return value;
}

// Replaces each "%@" of `format` with the next argument, "%n$@" with the n-th argument (from 1)
// and "%%" with "%". A placeholder without an argument becomes empty; anything else stays as is.
std::string format(std::string_view format, std::span<const std::string_view> arguments);

namespace Logs {
std::string openWithWebViewValue(std::string_view url);
std::string openWithSafariValue(std::string_view url);
std::string notWhiteListValue(std::string_view host, std::string_view whiteList);
std::string openDeeplinkValue(std::string_view url);
std::string openDeniedValue(std::string_view url);
std::string errorInWebViewValue(std::string_view error);
std::string featureDisabledValue(std::string_view feature);
std::string openLinkInExternalEnviromentValue(std::string_view url);
std::string forOperationTimePassedValues(std::string_view title, std::string_view seconds);
std::string loadImageError(std::string_view error);
const std::string& loadImageFromNetwork();
std::string versionErrorMessageValues(std::string_view product, std::string_view current);
std::string versionWarningMessageValues(std::string_view product, std::string_view current);
std::string versionInfoMessageValues(std::string_view product, std::string_view current);
} // namespace Logs

namespace Network::Common {
const std::string& http();
const std::string& https();
} // namespace Network::Common

namespace Common {
const std::string& pdf();
const std::string& none();
const std::string& kwB64();
} // namespace Common

namespace Errors::WebView {
const std::string& webKitErrorDomain();
} // namespace Errors::WebView

namespace Identifiers {
const std::string& safeAreaBottomTableViewCell();
} // namespace Identifiers

namespace Notifications::Name {
const std::string& authNativeResult();
const std::string& userIdDidChange();
const std::string& traitCollectionDidChange();
} // namespace Notifications::Name

namespace Notifications::UserInfo {
const std::string& isSuccess();
} // namespace Notifications::UserInfo

namespace Events {
const std::string& show();
const std::string& close();
const std::string& click();
const std::string& hide();
} // namespace Events

namespace Analytics {
const std::string& kwTypeB64();
} // namespace Analytics

namespace Analytics::Events::WebView {
const std::string& authNative();
const std::string& authNativeError();
} // namespace Analytics::Events::WebView

namespace Analytics::Events::AppList {
const std::string& vyIdCancelChoiceB64();
const std::string& vyIdClickChoiceB64();
} // namespace Analytics::Events::AppList

namespace Analytics::Events::AuthPopup {
const std::string& vyIdAuthPopupShowB64();
const std::string& vyIdAuthPopupCloseB64();
const std::string& vyIdAuthPopupClickKwB64();
const std::string& vyIdAuthPopupClickWebB64();
} // namespace Analytics::Events::AuthPopup

namespace Ui::Common {
const std::string& vyIdB64();
const std::string& done();
} // namespace Ui::Common

namespace Ui::Web {
const std::string& tryAgain();
} // namespace Ui::Web

namespace Ui::Errors {
const std::string& linkIsNotValid();
} // namespace Ui::Errors

namespace Ui::AuthChoose {
const std::string& openVybB64();
std::string itIsSafeToOpenValues(std::string_view product, std::string_view partnerName);
// "continue" is a C++ keyword.
const std::string& continue_();
const std::string& enterByPhone();
} // namespace Ui::AuthChoose

namespace Ui::KwAppList {
const std::string& chooseApp();
const std::string& inWhichYouAuthorizedB64();
} // namespace Ui::KwAppList

namespace Ui::LoginButton {
const std::string& vyIdB64();
const std::string& loginWithVyIdB64();
const std::string& fillWithVyIdB64();
const std::string& continueWithVyIdB64();
std::string loginAsValue(std::string_view name);
} // namespace Ui::LoginButton

} // namespace L10n
} // namespace vyd
