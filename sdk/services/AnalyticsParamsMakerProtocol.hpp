#pragma once
#include "sdk/base/AuthType.hpp"
#include "sdk/base/VYDAuthResponse.hpp"
#include "sdk/services/AnalyticsSink.hpp"
#include "sdk/services/AuthNativeParams.hpp"
#include "sdk/services/LoginButtonHideReason.hpp"

#include <optional>
#include <string>

namespace vyd {

class LoginButtonSettingsProtocol;

// Parameters of the SDK's events. Each maker adds the parameters common to every event:
// "clientId" and "logUid" (when the session has them) and "sdkVersion".
class AnalyticsParamsMakerProtocol {
public:
    using CGFloat = double;

    virtual ~AnalyticsParamsMakerProtocol() = default;

    // "buttonStyle" ("green" or "white"), "buttonHeight", "buttonWidth", "personalView".
    virtual AnalyticsParams makeLoginShowEventParams(const LoginButtonSettingsProtocol& buttonSettings) const = 0;
    // "desiredWidth", "measuredWidth", in points.
    virtual AnalyticsParams makeWrongButtonSizeEventParams(CGFloat desiredWidth, CGFloat measuredWidth) const = 0;
    // "reason": the reason's raw value.
    virtual AnalyticsParams makeButtonHideEventParams(LoginButtonHideReason reason) const = 0;
    // "personalView" ("1" or "0"), the app's name under the catalogue's kw-type key when one
    // was picked, and "authApp" (the catalogue's kw text when a VY Bank app can be opened, else
    // its "none").
    virtual AnalyticsParams makeKwsAppListEventParams(const std::optional<std::string>& selectedKw) const = 0;
    // "authType": the method's raw value.
    virtual AnalyticsParams makeAuthPopupParams(AuthType authType) const = 0;
    // The members of `additionalParams` that have a value.
    virtual AnalyticsParams makeAuthNativeEventParams(const AuthNativeParams& additionalParams) const = 0;
    // "logUid": the given identifier (not necessarily the session's).
    virtual AnalyticsParams makeAuthLogUidEventParams(const std::optional<std::string>& logUid) const = 0;
    // "isSuccess" ("1" or "0") and "error" when there is one.
    virtual AnalyticsParams makeAuthResultEventParams(const VYDAuthResponse& response) const = 0;
};

} // namespace vyd
