#include "sdk/services/AnalyticsEventAction.hpp"

#include "sdk/catalogue/L10n.hpp"

namespace vyd {
namespace {

// Events of the login button and of the return link, looked up like the catalogue's own.
constexpr CatalogueEntry loginShow{"analytics.events.login-button.vy-id-login-show", "VYD_Login button show"};
constexpr CatalogueEntry wrongButtonSize{"analytics.events.login-button.vy-id-wrong-button-size",
                                         "VYD_Login button wrong size"};
constexpr CatalogueEntry loginBlocked{"analytics.events.login-button.vy-id-login-blocked", "VYD_Login button blocked"};
constexpr CatalogueEntry authLogUid{"analytics.events.auth.auth-log-uid", "VYD_Auth log uid"};
constexpr CatalogueEntry loginAuthResult{"analytics.events.auth.vy-id-login-auth-result", "VYD_Login auth result"};

} // namespace

const std::string& eventName(AnalyticsEventAction action) {
    using L10n::Analytics::Events::AppList::vyIdCancelChoiceB64;
    using L10n::Analytics::Events::AppList::vyIdClickChoiceB64;
    namespace popup = L10n::Analytics::Events::AuthPopup;
    namespace web = L10n::Analytics::Events::WebView;
    switch (action) {
    case AnalyticsEventAction::vyIDLoginShow:
        return L10n::once<loginShow>();
    case AnalyticsEventAction::vyIDWrongButtonSize:
        return L10n::once<wrongButtonSize>();
    case AnalyticsEventAction::vyIDLoginBlocked:
        return L10n::once<loginBlocked>();
    case AnalyticsEventAction::vyIDAuthPopupShow:
        return popup::vyIdAuthPopupShowB64();
    case AnalyticsEventAction::vyIDAuthPopupClose:
        return popup::vyIdAuthPopupCloseB64();
    case AnalyticsEventAction::vyIDAuthPopupClickKw:
        return popup::vyIdAuthPopupClickKwB64();
    case AnalyticsEventAction::vyIDAuthPopupClickWeb:
        return popup::vyIdAuthPopupClickWebB64();
    case AnalyticsEventAction::cancelSheetChoice:
        return vyIdCancelChoiceB64();
    case AnalyticsEventAction::clickSheetChoice:
        return vyIdClickChoiceB64();
    case AnalyticsEventAction::authNative:
        return web::authNative();
    case AnalyticsEventAction::authNativeError:
        return web::authNativeError();
    case AnalyticsEventAction::authLogUid:
        return L10n::once<authLogUid>();
    case AnalyticsEventAction::vyIDLoginAuthResult:
        return L10n::once<loginAuthResult>();
    }
    static const std::string unknown;
    return unknown;
}

} // namespace vyd
