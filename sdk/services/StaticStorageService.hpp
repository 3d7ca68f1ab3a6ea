#pragma once
#include "sdk/services/StaticStorageServiceProtocol.hpp"

#include <map>
#include <mutex>

namespace vyd {

class StaticStorageService : public StaticStorageServiceProtocol {
public:
    explicit StaticStorageService(std::shared_ptr<AnalyticsServiceProtocol> analyticsService);

    std::optional<std::string> clientId() const override;
    void setClientId(std::optional<std::string> clientId) override;
    std::optional<std::string> userId() const override;
    void setUserId(std::optional<std::string> userId) override;
    std::string partnerName() const override;
    void setPartnerName(std::string partnerName) override;
    std::optional<std::string> partnerProfileUrl() const override;
    void setPartnerProfileUrl(std::optional<std::string> partnerProfileUrl) override;
    VYDStandType stand() const override;
    void setStand(VYDStandType stand) override;
    std::optional<std::string> authorizationPageURL(VYDStandType stand) const override;
    void setAuthorizationPageURL(VYDStandType stand, std::optional<std::string> url) override;

    std::optional<std::string> state() const override;
    void setState(std::optional<std::string> state) override;
    std::optional<std::string> nonce() const override;
    void setNonce(std::optional<std::string> nonce) override;
    std::optional<std::string> redirectUri() const override;
    void setRedirectUri(std::optional<std::string> redirectUri) override;
    void clearAuthData() override;
    std::optional<std::string> logUid() const override;
    void setLogUid(std::optional<std::string> logUid) override;

    RemoteConfig remoteConfig() const override;
    void setRemoteConfig(RemoteConfig config) override;
    std::shared_ptr<AnalyticsServiceProtocol> analyticsService() const override;
    void setAnalyticsService(std::shared_ptr<AnalyticsServiceProtocol> service) override;

    bool isButtonPersonalized() const override;
    void setIsButtonPersonalized(bool personalized) override;
    std::shared_ptr<LoginButtonSettingsProtocol> buttonSettings() const override;
    void setButtonSettings(std::shared_ptr<LoginButtonSettingsProtocol> settings) override;

    std::shared_ptr<LiteELKModel> liteELKModel() override;
    void setLiteELKModel(std::shared_ptr<LiteELKModel> model) override;
    std::shared_ptr<VYDUIPreferences> uiPreferences() override;

private:
    template <class T>
    T read(const T& field) const {
        std::lock_guard lock(mutex_);
        return field;
    }
    template <class T>
    void write(T& field, T value) {
        std::lock_guard lock(mutex_);
        field = std::move(value);
    }

    mutable std::mutex mutex_;
    std::optional<std::string> clientId_;
    std::optional<std::string> userId_;
    std::string partnerName_;
    std::optional<std::string> partnerProfileUrl_;
    VYDStandType stand_ = VYDStandType::prom;
    std::map<VYDStandType, std::string> authorizationPageURLs_;
    std::optional<std::string> state_;
    std::optional<std::string> nonce_;
    std::optional<std::string> redirectUri_;
    std::optional<std::string> logUid_;
    RemoteConfig remoteConfig_ = RemoteConfig::defaultConfig();
    std::shared_ptr<AnalyticsServiceProtocol> analyticsService_;
    bool isButtonPersonalized_ = false;
    std::shared_ptr<LoginButtonSettingsProtocol> buttonSettings_;
    std::shared_ptr<LiteELKModel> liteELKModel_;
    std::shared_ptr<VYDUIPreferences> uiPreferences_;
};

} // namespace vyd
