#pragma once
#include <string>

namespace vyd {

// The parameter keys of the SDK's analytics events.
enum class AnalyticsEventParamKey {
    // common to every event
    clientId,
    sdkVersion,
    logUid,
    // native-authorization events
    eventType,
    screenType,
    finalEvent,
    // login button
    buttonStyle,
    buttonHeight,
    buttonWidth,
    desiredWidth,
    measuredWidth,
    reason,
    // choice sheet and bank-app list
    authType,
    personalView,
    kwType,
    authApp,
    // return link
    isSuccess,
    error,
};

// The key as sent: the case's name, except `kwType`, whose key is a catalogue text.
std::string rawValue(AnalyticsEventParamKey key);

} // namespace vyd
