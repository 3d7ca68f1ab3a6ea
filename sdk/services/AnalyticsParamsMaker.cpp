#include "sdk/services/AnalyticsParamsMaker.hpp"

#include "sdk/base/LoginButtonSettingsProtocol.hpp"
#include "sdk/catalogue/L10n.hpp"
#include "sdk/catalogue/SdkBundle.hpp"

#include <cmath>
#include <cstdio>

namespace vyd {
namespace {

void put(AnalyticsParams& params, AnalyticsEventParamKey key, std::string value) {
    params.insert_or_assign(rawValue(key), std::move(value));
}

std::string flag(bool value) { return value ? "1" : "0"; }

} // namespace

AnalyticsParamsMaker::AnalyticsParamsMaker(std::shared_ptr<StaticStorageServiceProtocol> staticStorageService,
                                           std::shared_ptr<KWPresenceCheckerProtocol> kwPresenceChecker,
                                           VersionProvider sdkVersion)
    : staticStorageService_(std::move(staticStorageService)), kwPresenceChecker_(std::move(kwPresenceChecker)),
      sdkVersion_(sdkVersion ? std::move(sdkVersion) : VersionProvider(curentSdkVersion)) {}

std::string AnalyticsParamsMaker::formatPoints(CGFloat points) {
    if (!std::isfinite(points)) {
        return "0";
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", points);
    return text;
}

AnalyticsParams AnalyticsParamsMaker::commonParams() const {
    AnalyticsParams params;
    if (auto clientId = staticStorageService_->clientId()) {
        put(params, AnalyticsEventParamKey::clientId, std::move(*clientId));
    }
    if (auto logUid = staticStorageService_->logUid()) {
        put(params, AnalyticsEventParamKey::logUid, std::move(*logUid));
    }
    put(params, AnalyticsEventParamKey::sdkVersion, sdkVersion_());
    return params;
}

std::string AnalyticsParamsMaker::personalView() const { return flag(staticStorageService_->isButtonPersonalized()); }

AnalyticsParams
AnalyticsParamsMaker::makeLoginShowEventParams(const LoginButtonSettingsProtocol& buttonSettings) const {
    auto params = commonParams();
    put(params, AnalyticsEventParamKey::buttonStyle, std::string(string(buttonSettings.backgroundColor())));
    put(params, AnalyticsEventParamKey::buttonHeight, formatPoints(buttonSettings.height()));
    put(params, AnalyticsEventParamKey::buttonWidth, formatPoints(buttonSettings.width()));
    put(params, AnalyticsEventParamKey::personalView, personalView());
    return params;
}

AnalyticsParams AnalyticsParamsMaker::makeWrongButtonSizeEventParams(CGFloat desiredWidth,
                                                                     CGFloat measuredWidth) const {
    auto params = commonParams();
    put(params, AnalyticsEventParamKey::desiredWidth, formatPoints(desiredWidth));
    put(params, AnalyticsEventParamKey::measuredWidth, formatPoints(measuredWidth));
    return params;
}

AnalyticsParams AnalyticsParamsMaker::makeButtonHideEventParams(LoginButtonHideReason reason) const {
    auto params = commonParams();
    put(params, AnalyticsEventParamKey::reason, std::string(rawValue(reason)));
    return params;
}

AnalyticsParams AnalyticsParamsMaker::makeKwsAppListEventParams(const std::optional<std::string>& selectedKw) const {
    auto params = commonParams();
    put(params, AnalyticsEventParamKey::personalView, personalView());
    if (selectedKw) {
        put(params, AnalyticsEventParamKey::kwType, *selectedKw);
    }
    const bool installed = kwPresenceChecker_ && kwPresenceChecker_->isAnyKWInstalled();
    put(params, AnalyticsEventParamKey::authApp, installed ? L10n::Common::kwB64() : L10n::Common::none());
    return params;
}

AnalyticsParams AnalyticsParamsMaker::makeAuthPopupParams(AuthType authType) const {
    auto params = commonParams();
    put(params, AnalyticsEventParamKey::authType, std::string(rawValue(authType)));
    return params;
}

AnalyticsParams AnalyticsParamsMaker::makeAuthNativeEventParams(const AuthNativeParams& additionalParams) const {
    auto params = commonParams();
    // The events carry strings only: a member without a value is left out.
    for (const auto& [key, value] : additionalParams.params) {
        if (value) {
            put(params, key, *value);
        }
    }
    return params;
}

AnalyticsParams AnalyticsParamsMaker::makeAuthLogUidEventParams(const std::optional<std::string>& logUid) const {
    auto params = commonParams();
    if (logUid) {
        put(params, AnalyticsEventParamKey::logUid, *logUid);
    } else {
        params.erase(rawValue(AnalyticsEventParamKey::logUid));
    }
    return params;
}

AnalyticsParams AnalyticsParamsMaker::makeAuthResultEventParams(const VYDAuthResponse& response) const {
    auto params = commonParams();
    put(params, AnalyticsEventParamKey::isSuccess, flag(response.isSuccess));
    if (response.error) {
        put(params, AnalyticsEventParamKey::error, *response.error);
    }
    return params;
}

} // namespace vyd
