#pragma once
#include "sdk/base/KWPresenceCheckerProtocol.hpp"
#include "sdk/services/AnalyticsParamsMakerProtocol.hpp"
#include "sdk/services/StaticStorageServiceProtocol.hpp"

#include <functional>
#include <memory>

namespace vyd {

class AnalyticsParamsMaker : public AnalyticsParamsMakerProtocol {
public:
    // The SDK's version; the SDK bundle's unless a test gives another.
    using VersionProvider = std::function<std::string()>;

    AnalyticsParamsMaker(std::shared_ptr<StaticStorageServiceProtocol> staticStorageService,
                         std::shared_ptr<KWPresenceCheckerProtocol> kwPresenceChecker, VersionProvider sdkVersion = {});

    AnalyticsParams makeLoginShowEventParams(const LoginButtonSettingsProtocol& buttonSettings) const override;
    AnalyticsParams makeWrongButtonSizeEventParams(CGFloat desiredWidth, CGFloat measuredWidth) const override;
    AnalyticsParams makeButtonHideEventParams(LoginButtonHideReason reason) const override;
    AnalyticsParams makeKwsAppListEventParams(const std::optional<std::string>& selectedKw) const override;
    AnalyticsParams makeAuthPopupParams(AuthType authType) const override;
    AnalyticsParams makeAuthNativeEventParams(const AuthNativeParams& additionalParams) const override;
    AnalyticsParams makeAuthLogUidEventParams(const std::optional<std::string>& logUid) const override;
    AnalyticsParams makeAuthResultEventParams(const VYDAuthResponse& response) const override;

    // Points as the events report them: whole numbers without decimals, others with up to six
    // significant digits ("48", "48.5").
    static std::string formatPoints(CGFloat points);

private:
    AnalyticsParams commonParams() const;
    std::string personalView() const;

    std::shared_ptr<StaticStorageServiceProtocol> staticStorageService_;
    std::shared_ptr<KWPresenceCheckerProtocol> kwPresenceChecker_;
    VersionProvider sdkVersion_;
};

} // namespace vyd
