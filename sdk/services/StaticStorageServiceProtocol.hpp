#pragma once
#include "sdk/base/LiteELKModel.hpp"
#include "sdk/base/VYDStandType.hpp"
#include "sdk/base/VYDUIPreferences.hpp"
#include "sdk/services/AnalyticsServiceProtocol.hpp"
#include "sdk/services/RemoteConfig.hpp"

#include <memory>
#include <optional>
#include <string>

namespace vyd {

class LoginButtonSettingsProtocol;

// The process-wide in-memory session store. Every member is read afresh at each use; members
// may be read and written from any thread.
class StaticStorageServiceProtocol {
public:
    virtual ~StaticStorageServiceProtocol() = default;

    // The partner's client identifier, absent until the host app sets it. Setting it also makes
    // it the analytics profile's login identifier.
    virtual std::optional<std::string> clientId() const = 0;
    virtual void setClientId(std::optional<std::string> clientId) = 0;
    // Setting it posts the user-identifier-changed notification.
    virtual std::optional<std::string> userId() const = 0;
    virtual void setUserId(std::optional<std::string> userId) = 0;
    virtual std::string partnerName() const = 0;
    virtual void setPartnerName(std::string partnerName) = 0;
    virtual std::optional<std::string> partnerProfileUrl() const = 0;
    virtual void setPartnerProfileUrl(std::optional<std::string> partnerProfileUrl) = 0;
    virtual VYDStandType stand() const = 0;
    virtual void setStand(VYDStandType stand) = 0;
    // The authorization page the host app set for a test stand; none: the stand's own.
    virtual std::optional<std::string> authorizationPageURL(VYDStandType stand) const = 0;
    virtual void setAuthorizationPageURL(VYDStandType stand, std::optional<std::string> url) = 0;

    // The current login's data, checked against the return link.
    virtual std::optional<std::string> state() const = 0;
    virtual void setState(std::optional<std::string> state) = 0;
    virtual std::optional<std::string> nonce() const = 0;
    virtual void setNonce(std::optional<std::string> nonce) = 0;
    virtual std::optional<std::string> redirectUri() const = 0;
    virtual void setRedirectUri(std::optional<std::string> redirectUri) = 0;
    // Drops state, nonce and redirect URI.
    virtual void clearAuthData() = 0;

    // The identifier that ties together the log and analytics lines of one run of the SDK.
    virtual std::optional<std::string> logUid() const = 0;
    virtual void setLogUid(std::optional<std::string> logUid) = 0;

    // The default configuration until one has been loaded.
    virtual RemoteConfig remoteConfig() const = 0;
    virtual void setRemoteConfig(RemoteConfig config) = 0;

    virtual std::shared_ptr<AnalyticsServiceProtocol> analyticsService() const = 0;
    virtual void setAnalyticsService(std::shared_ptr<AnalyticsServiceProtocol> service) = 0;

    virtual bool isButtonPersonalized() const = 0;
    virtual void setIsButtonPersonalized(bool personalized) = 0;
    // The settings of the login button shown last; absent until one has been shown.
    virtual std::shared_ptr<LoginButtonSettingsProtocol> buttonSettings() const = 0;
    virtual void setButtonSettings(std::shared_ptr<LoginButtonSettingsProtocol> settings) = 0;

    // One shared instance each, made on first use (the model with all four fields empty);
    // callers modify it in place.
    virtual std::shared_ptr<LiteELKModel> liteELKModel() = 0;
    virtual void setLiteELKModel(std::shared_ptr<LiteELKModel> model) = 0;
    virtual std::shared_ptr<VYDUIPreferences> uiPreferences() = 0;
};

} // namespace vyd
