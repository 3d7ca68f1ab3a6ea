#include "sdk/catalogue/L10n.hpp"

#include "sdk/catalogue/Scrambling.hpp"
#include "sdk/catalogue/SdkBundle.hpp"

#include <array>
#include <charconv>

namespace vyd::L10n {
namespace {

// The scrambled fallbacks come from tools/vyd-scramble (`vyd-scramble KEY "plain text"`).
namespace entry {
constexpr CatalogueEntry openWithWebView{"logs.open-with-web-view-value", "🆔🌐🚪 Open with WebView %@", 1};
constexpr CatalogueEntry openWithSafari{"logs.open-with-safari-value", "🆔🦘🚪 Open with SafariVC %@", 1};
constexpr CatalogueEntry notWhiteList{"logs.not-white-list-value", "🆔🌐❗️ %@ is not included in whiteList: %@", 2};
constexpr CatalogueEntry openDeeplink{"logs.open-deeplink-value", "🆔🏠🚪 Open deeplink %@", 1};
constexpr CatalogueEntry openDenied{"logs.open-denied-value", "🆔🌐🔑 Open with WebView denied %@", 1};
constexpr CatalogueEntry errorInWebView{"logs.error-in-web-view-value", "🆔🌐🚪 Error in WebView %@", 1};
constexpr CatalogueEntry featureDisabled{"logs.feature-disabled-value", "🆔⚙️❌ %@ feature functionality is disabled", 1};
constexpr CatalogueEntry openLinkInExternalEnviroment{"logs.open-link-in-external-enviroment-value",
                                                      "🆔🔗🚪 Open link in external environment %@", 1};
constexpr CatalogueEntry forOperationTimePassed{"logs.for-operation-time-passed-values",
                                                "🆔⏱️ For operation %@ time passed: %@ s", 2};
constexpr CatalogueEntry loadImageError{"logs.load-image-error", "🆔❌🔗 Error loading image from network: %@", 1};
constexpr CatalogueEntry loadImageFromNetwork{"logs.load-image-from-network", "🆔⏳😊 Image loaded from network"};
constexpr CatalogueEntry versionError{
    "logs.version-error-message-values",
    "🆔⚙️❌ This version of the %@ SDK is not supported, the login button will not be displayed, \n update the "
    "version to the current one: %@",
    2};
constexpr CatalogueEntry versionWarning{
    "logs.version-warning-message-values",
    "🆔⚙️⚠️ This version of the %@ SDK is no longer supported - update the version to the current one: %@", 2};
constexpr CatalogueEntry versionInfo{
    "logs.version-info-message-values",
    "🆔⚙️ℹ️ A new version of the %@ SDK has been released - update to the current one: %@", 2};

constexpr CatalogueEntry http{"network.common.http", "http"};
constexpr CatalogueEntry https{"network.common.https", "https"};
constexpr CatalogueEntry pdf{"common.pdf", ".pdf"};
constexpr CatalogueEntry none{"common.none", "none"};
constexpr CatalogueEntry kw{"common.kw-b64", "lHH9e2twZMs8pKU="};
constexpr CatalogueEntry webKitErrorDomain{"errors.web-view.web-kit-error-domain", "WebKitErrorDomain"};
constexpr CatalogueEntry safeAreaBottomTableViewCell{"identifiers.safe-area-bottom-table-view-cell",
                                                     "SafeAreaBottomTableViewCell"};

constexpr CatalogueEntry authNativeResult{"notifications.name.auth-native-result", "AuthNativeResult"};
constexpr CatalogueEntry userIdDidChange{"notifications.name.user-id-did-change", "userIdDidChange"};
constexpr CatalogueEntry traitCollectionDidChange{"notifications.name.trait-collection-did-change",
                                                  "traitCollectionDidChange"};
constexpr CatalogueEntry isSuccess{"notifications.user-info.is-success", "isSuccess"};

constexpr CatalogueEntry show{"events.show", "show"};
constexpr CatalogueEntry close{"events.close", "close"};
constexpr CatalogueEntry click{"events.click", "click"};
constexpr CatalogueEntry hide{"events.hide", "hide"};
constexpr CatalogueEntry authNative{"analytics.events.web-view.auth-native", "VYD_Auth native"};
constexpr CatalogueEntry authNativeError{"analytics.events.web-view.auth-native-error", "VYD_Auth native error"};
constexpr CatalogueEntry cancelChoice{"analytics.events.app-list.vy-id-cancel-choice-b64",
                                      "J/BrZ3IG/xDXg/8x0fC3MgMqH3AyPOqQU5qCzECh8vJQneYI"};
constexpr CatalogueEntry clickChoice{"analytics.events.app-list.vy-id-click-choice-b64",
                                     "nom6Hul3bpZcOUPABbdUBaCB9NG5dkzE9u07k4OzW06qV5c="};
constexpr CatalogueEntry popupShow{"analytics.events.auth-popup.vy-id-auth-popup-show-b64",
                                   "Gx1EFbKbF5v8EL4s4eXA0ZmnTcPU5vZDsxZmGcs="};
constexpr CatalogueEntry popupClose{"analytics.events.auth-popup.vy-id-auth-popup-close-b64",
                                    "QBCrFTouCoXEZ70KXIcTeJy9ypNvnpTKvCJYv9EC"};
constexpr CatalogueEntry popupClickKw{"analytics.events.auth-popup.vy-id-auth-popup-click-kw-b64",
                                      "96xRfYSBTl6jcp6rYvxwRjJwJN3R2CgP0ChtG0K4SltxchbLknE="};
constexpr CatalogueEntry popupClickWeb{"analytics.events.auth-popup.vy-id-auth-popup-click-web-b64",
                                       "boM1u/jvUE9EFhoK0awow/iHtBYGpLTxyWb2EXpLoIMPCQ=="};
constexpr CatalogueEntry kwType{"analytics.kw-type-b64", "+l19p/KMJfb1tUgLzw=="};

constexpr CatalogueEntry vyId{"ui.common.vy-id-b64", "ryb/+AOXZpfc"};
constexpr CatalogueEntry done{"ui.common.done", "Done"};
constexpr CatalogueEntry tryAgain{"ui.web.try-again", "Start again"};
constexpr CatalogueEntry linkIsNotValid{"ui.errors.link-is-not-valid", "The link is invalid"};
constexpr CatalogueEntry openVyb{"ui.auth-choose.open-vyb-b64", "oXAnahxXvyp/bSra6KrLod9JbRiKj7HLueLmUEiOQg=="};
constexpr CatalogueEntry itIsSafeToOpen{"ui.auth-choose.it-is-safe-to-open-values",
                                        "This is a secure way to log in with a %@:\n%@ will not get access to your "
                                        "application, there will be no autoscaling either",
                                        2};
constexpr CatalogueEntry continueChoice{"ui.auth-choose.continue", "Continue"};
constexpr CatalogueEntry enterByPhone{"ui.auth-choose.enter-by-phone", "Log in by phone number"};
constexpr CatalogueEntry chooseApp{"ui.kw-app-list.choose-app", "Choose application"};
constexpr CatalogueEntry inWhichYouAuthorized{"ui.kw-app-list.in-which-you-authorized-b64",
                                              "GsW4KxkJSICtOLtS3nA0TJUsSt/fja24SBSqlyQbYNRA7xzA3XOz7dc="};
constexpr CatalogueEntry buttonVyId{"ui.login-button.vy-id-b64", "PKryHVOsZmKl"};
constexpr CatalogueEntry loginWithVyId{"ui.login-button.login-with-vy-id-b64", "30BXdXUvfC+pxpgxjYxvJOrm+mXA"};
constexpr CatalogueEntry fillWithVyId{"ui.login-button.fill-with-vy-id-b64", "sBFT1gYqaM7BOVvBs/09c6yKs9LcZA=="};
constexpr CatalogueEntry continueWithVyId{"ui.login-button.continue-with-vy-id-b64",
                                          "NoTGA6O1vDz6hTdAo2qPs9ORmKg0w6s="};
constexpr CatalogueEntry loginAs{"ui.login-button.login-as-value", " Login as %@", 1};
} // namespace entry

constexpr std::array kAllEntries{
    entry::openWithWebView, entry::openWithSafari, entry::notWhiteList, entry::openDeeplink, entry::openDenied,
    entry::errorInWebView, entry::featureDisabled, entry::openLinkInExternalEnviroment,
    entry::forOperationTimePassed, entry::loadImageError, entry::loadImageFromNetwork, entry::versionError,
    entry::versionWarning, entry::versionInfo, entry::http, entry::https, entry::pdf, entry::none, entry::kw,
    entry::webKitErrorDomain, entry::safeAreaBottomTableViewCell, entry::authNativeResult,
    entry::userIdDidChange, entry::traitCollectionDidChange, entry::isSuccess, entry::show, entry::close,
    entry::click, entry::hide, entry::authNative, entry::authNativeError, entry::cancelChoice,
    entry::clickChoice, entry::popupShow, entry::popupClose, entry::popupClickKw, entry::popupClickWeb,
    entry::kwType, entry::vyId, entry::done, entry::tryAgain, entry::linkIsNotValid, entry::openVyb,
    entry::itIsSafeToOpen, entry::continueChoice, entry::enterByPhone, entry::chooseApp,
    entry::inWhichYouAuthorized, entry::buttonVyId, entry::loginWithVyId, entry::fillWithVyId,
    entry::continueWithVyId, entry::loginAs,
};

template <class... Arguments>
std::string formatted(const CatalogueEntry& entry, Arguments... arguments) {
    const std::array<std::string_view, sizeof...(Arguments)> list{arguments...};
    return format(lookup(entry), list);
}

} // namespace

std::span<const CatalogueEntry> allEntries() { return kAllEntries; }

std::string lookup(const CatalogueEntry& entry) {
    std::string value = localizedSdkString(entry.key, entry.fallback);
    return isScrambledKey(entry.key) ? unscramble(value, entry.key) : value;
}

std::string format(std::string_view format, std::span<const std::string_view> arguments) {
    std::string out;
    out.reserve(format.size() + 16 * arguments.size());
    std::size_t next = 0; // the argument the next plain "%@" takes
    auto argument = [&](std::size_t index) {
        if (index < arguments.size()) {
            out.append(arguments[index]);
        }
    };
    std::size_t i = 0;
    while (i < format.size()) {
        const char c = format[i];
        if (c != '%' || i + 1 == format.size()) {
            out += c;
            ++i;
            continue;
        }
        const char after = format[i + 1];
        if (after == '@') {
            argument(next++);
            i += 2;
        } else if (after == '%') {
            out += '%';
            i += 2;
        } else {
            // "%n$@": positional argument
            std::size_t position = 0;
            const char* begin = format.data() + i + 1;
            const char* end = format.data() + format.size();
            auto [stop, error] = std::from_chars(begin, end, position);
            if (error == std::errc() && position > 0 && end - stop >= 2 && stop[0] == '$' && stop[1] == '@') {
                argument(position - 1);
                i = static_cast<std::size_t>(stop + 2 - format.data());
            } else {
                out += c;
                ++i;
            }
        }
    }
    return out;
}

namespace Logs {
std::string openWithWebViewValue(std::string_view url) { return formatted(entry::openWithWebView, url); }
std::string openWithSafariValue(std::string_view url) { return formatted(entry::openWithSafari, url); }
std::string notWhiteListValue(std::string_view host, std::string_view whiteList) {
    return formatted(entry::notWhiteList, host, whiteList);
}
std::string openDeeplinkValue(std::string_view url) { return formatted(entry::openDeeplink, url); }
std::string openDeniedValue(std::string_view url) { return formatted(entry::openDenied, url); }
std::string errorInWebViewValue(std::string_view error) { return formatted(entry::errorInWebView, error); }
std::string featureDisabledValue(std::string_view feature) { return formatted(entry::featureDisabled, feature); }
std::string openLinkInExternalEnviromentValue(std::string_view url) {
    return formatted(entry::openLinkInExternalEnviroment, url);
}
std::string forOperationTimePassedValues(std::string_view title, std::string_view seconds) {
    return formatted(entry::forOperationTimePassed, title, seconds);
}
std::string loadImageError(std::string_view error) { return formatted(entry::loadImageError, error); }
const std::string& loadImageFromNetwork() { return once<entry::loadImageFromNetwork>(); }
std::string versionErrorMessageValues(std::string_view product, std::string_view current) {
    return formatted(entry::versionError, product, current);
}
std::string versionWarningMessageValues(std::string_view product, std::string_view current) {
    return formatted(entry::versionWarning, product, current);
}
std::string versionInfoMessageValues(std::string_view product, std::string_view current) {
    return formatted(entry::versionInfo, product, current);
}
} // namespace Logs

namespace Network::Common {
const std::string& http() { return once<entry::http>(); }
const std::string& https() { return once<entry::https>(); }
} // namespace Network::Common

namespace Common {
const std::string& pdf() { return once<entry::pdf>(); }
const std::string& none() { return once<entry::none>(); }
const std::string& kwB64() { return once<entry::kw>(); }
} // namespace Common

namespace Errors::WebView {
const std::string& webKitErrorDomain() { return once<entry::webKitErrorDomain>(); }
} // namespace Errors::WebView

namespace Identifiers {
const std::string& safeAreaBottomTableViewCell() { return once<entry::safeAreaBottomTableViewCell>(); }
} // namespace Identifiers

namespace Notifications::Name {
const std::string& authNativeResult() { return once<entry::authNativeResult>(); }
const std::string& userIdDidChange() { return once<entry::userIdDidChange>(); }
const std::string& traitCollectionDidChange() { return once<entry::traitCollectionDidChange>(); }
} // namespace Notifications::Name

namespace Notifications::UserInfo {
const std::string& isSuccess() { return once<entry::isSuccess>(); }
} // namespace Notifications::UserInfo

namespace Events {
const std::string& show() { return once<entry::show>(); }
const std::string& close() { return once<entry::close>(); }
const std::string& click() { return once<entry::click>(); }
const std::string& hide() { return once<entry::hide>(); }
} // namespace Events

namespace Analytics {
const std::string& kwTypeB64() { return once<entry::kwType>(); }
} // namespace Analytics

namespace Analytics::Events::WebView {
const std::string& authNative() { return once<entry::authNative>(); }
const std::string& authNativeError() { return once<entry::authNativeError>(); }
} // namespace Analytics::Events::WebView

namespace Analytics::Events::AppList {
const std::string& vyIdCancelChoiceB64() { return once<entry::cancelChoice>(); }
const std::string& vyIdClickChoiceB64() { return once<entry::clickChoice>(); }
} // namespace Analytics::Events::AppList

namespace Analytics::Events::AuthPopup {
const std::string& vyIdAuthPopupShowB64() { return once<entry::popupShow>(); }
const std::string& vyIdAuthPopupCloseB64() { return once<entry::popupClose>(); }
const std::string& vyIdAuthPopupClickKwB64() { return once<entry::popupClickKw>(); }
const std::string& vyIdAuthPopupClickWebB64() { return once<entry::popupClickWeb>(); }
} // namespace Analytics::Events::AuthPopup

namespace Ui::Common {
const std::string& vyIdB64() { return once<entry::vyId>(); }
const std::string& done() { return once<entry::done>(); }
} // namespace Ui::Common

namespace Ui::Web {
const std::string& tryAgain() { return once<entry::tryAgain>(); }
} // namespace Ui::Web

namespace Ui::Errors {
const std::string& linkIsNotValid() { return once<entry::linkIsNotValid>(); }
} // namespace Ui::Errors

namespace Ui::AuthChoose {
const std::string& openVybB64() { return once<entry::openVyb>(); }
std::string itIsSafeToOpenValues(std::string_view product, std::string_view partnerName) {
    return formatted(entry::itIsSafeToOpen, product, partnerName);
}
const std::string& continue_() { return once<entry::continueChoice>(); }
const std::string& enterByPhone() { return once<entry::enterByPhone>(); }
} // namespace Ui::AuthChoose

namespace Ui::KwAppList {
const std::string& chooseApp() { return once<entry::chooseApp>(); }
const std::string& inWhichYouAuthorizedB64() { return once<entry::inWhichYouAuthorized>(); }
} // namespace Ui::KwAppList

namespace Ui::LoginButton {
const std::string& vyIdB64() { return once<entry::buttonVyId>(); }
const std::string& loginWithVyIdB64() { return once<entry::loginWithVyId>(); }
const std::string& fillWithVyIdB64() { return once<entry::fillWithVyId>(); }
const std::string& continueWithVyIdB64() { return once<entry::continueWithVyId>(); }
std::string loginAsValue(std::string_view name) { return formatted(entry::loginAs, name); }
} // namespace Ui::LoginButton

} // namespace vyd::L10n
