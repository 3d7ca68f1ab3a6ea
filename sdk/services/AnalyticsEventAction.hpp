#pragma once
#include <string>

namespace vyd {

// The business events the SDK reports.
enum class AnalyticsEventAction {
    // login button
    vyIDLoginShow,
    vyIDWrongButtonSize,
    vyIDLoginBlocked,
    // choice sheet
    vyIDAuthPopupShow,
    vyIDAuthPopupClose,
    vyIDAuthPopupClickKw,
    vyIDAuthPopupClickWeb,
    // bank-app list
    cancelSheetChoice,
    clickSheetChoice,
    // full-screen web scene
    authNative,
    authNativeError,
    // return link
    authLogUid,
    vyIDLoginAuthResult,
};

// The event's name as the analytics framework receives it: a catalogue text.
const std::string& eventName(AnalyticsEventAction action);

} // namespace vyd
