#pragma once
#include "sdk/services/AnalyticsEventParamKey.hpp"

#include <map>
#include <optional>
#include <string>

namespace vyd {

// The parameters of a native-authorization event of the full-screen web scene.
class AuthNativeParams {
public:
    // Catalogue texts "events.show", "events.close", "events.click", "events.hide".
    enum class EventType { show, close, click, hide };
    enum class ScreenType { nativeScreen, webViewNotAllow };
    enum class FinalEvent { reject, success, fail };

    // Fills `eventType`, `screenType` and `finalEvent`; an absent member keeps its key with no
    // value.
    AuthNativeParams(EventType eventType, std::optional<ScreenType> screenType, std::optional<FinalEvent> finalEvent);

    std::map<AnalyticsEventParamKey, std::optional<std::string>> params;
};

const std::string& rawValue(AuthNativeParams::EventType type);
const std::string& rawValue(AuthNativeParams::ScreenType type);
const std::string& rawValue(AuthNativeParams::FinalEvent event);

} // namespace vyd
