#include "sdk/services/AuthNativeParams.hpp"

#include "sdk/catalogue/L10n.hpp"

namespace vyd {
namespace {

constexpr CatalogueEntry nativeScreen{"events.screen-type.native-screen", "nativeScreen"};
constexpr CatalogueEntry webViewNotAllow{"events.screen-type.web-view-not-allow", "webViewNotAllow"};
constexpr CatalogueEntry reject{"events.final-event.reject", "reject"};
constexpr CatalogueEntry success{"events.final-event.success", "success"};
constexpr CatalogueEntry fail{"events.final-event.fail", "fail"};

} // namespace

const std::string& rawValue(AuthNativeParams::EventType type) {
    switch (type) {
    case AuthNativeParams::EventType::show:
        return L10n::Events::show();
    case AuthNativeParams::EventType::close:
        return L10n::Events::close();
    case AuthNativeParams::EventType::click:
        return L10n::Events::click();
    case AuthNativeParams::EventType::hide:
        return L10n::Events::hide();
    }
    return L10n::Events::show();
}

const std::string& rawValue(AuthNativeParams::ScreenType type) {
    return type == AuthNativeParams::ScreenType::nativeScreen ? L10n::once<nativeScreen>()
                                                              : L10n::once<webViewNotAllow>();
}

const std::string& rawValue(AuthNativeParams::FinalEvent event) {
    switch (event) {
    case AuthNativeParams::FinalEvent::reject:
        return L10n::once<reject>();
    case AuthNativeParams::FinalEvent::success:
        return L10n::once<success>();
    case AuthNativeParams::FinalEvent::fail:
        return L10n::once<fail>();
    }
    return L10n::once<fail>();
}

AuthNativeParams::AuthNativeParams(EventType eventType, std::optional<ScreenType> screenType,
                                   std::optional<FinalEvent> finalEvent) {
    params[AnalyticsEventParamKey::eventType] = rawValue(eventType);
    params[AnalyticsEventParamKey::screenType] =
        screenType ? std::optional<std::string>(rawValue(*screenType)) : std::nullopt;
    params[AnalyticsEventParamKey::finalEvent] =
        finalEvent ? std::optional<std::string>(rawValue(*finalEvent)) : std::nullopt;
}

} // namespace vyd
