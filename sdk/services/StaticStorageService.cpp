#include "sdk/services/StaticStorageService.hpp"

#include "platform/foundation/NotificationCenter.hpp"
#include "sdk/base/NotificationNames.hpp"

namespace vyd {

StaticStorageService::StaticStorageService(std::shared_ptr<AnalyticsServiceProtocol> analyticsService)
    : analyticsService_(std::move(analyticsService)) {}

std::optional<std::string> StaticStorageService::clientId() const { return read(clientId_); }

void StaticStorageService::setClientId(std::optional<std::string> clientId) {
    write(clientId_, clientId);
    // Outside the lock: the analytics service may read the store back.
    if (auto analytics = analyticsService()) {
        analytics->refreshUserLoginId(clientId);
    }
}

std::optional<std::string> StaticStorageService::userId() const { return read(userId_); }

void StaticStorageService::setUserId(std::optional<std::string> userId) {
    write(userId_, std::move(userId));
    foundation::NotificationCenter::defaultCenter().post(NotificationNames::userIdDidChanged());
}

std::string StaticStorageService::partnerName() const { return read(partnerName_); }
void StaticStorageService::setPartnerName(std::string partnerName) { write(partnerName_, std::move(partnerName)); }
std::optional<std::string> StaticStorageService::partnerProfileUrl() const { return read(partnerProfileUrl_); }
void StaticStorageService::setPartnerProfileUrl(std::optional<std::string> partnerProfileUrl) {
    write(partnerProfileUrl_, std::move(partnerProfileUrl));
}
VYDStandType StaticStorageService::stand() const { return read(stand_); }
void StaticStorageService::setStand(VYDStandType stand) { write(stand_, stand); }

std::optional<std::string> StaticStorageService::authorizationPageURL(VYDStandType stand) const {
    std::lock_guard lock(mutex_);
    const auto found = authorizationPageURLs_.find(stand);
    return found == authorizationPageURLs_.end() ? std::nullopt : std::optional<std::string>(found->second);
}
void StaticStorageService::setAuthorizationPageURL(VYDStandType stand, std::optional<std::string> url) {
    std::lock_guard lock(mutex_);
    if (url) {
        authorizationPageURLs_.insert_or_assign(stand, std::move(*url));
    } else {
        authorizationPageURLs_.erase(stand);
    }
}

std::optional<std::string> StaticStorageService::state() const { return read(state_); }
void StaticStorageService::setState(std::optional<std::string> state) { write(state_, std::move(state)); }
std::optional<std::string> StaticStorageService::nonce() const { return read(nonce_); }
void StaticStorageService::setNonce(std::optional<std::string> nonce) { write(nonce_, std::move(nonce)); }
std::optional<std::string> StaticStorageService::redirectUri() const { return read(redirectUri_); }
void StaticStorageService::setRedirectUri(std::optional<std::string> redirectUri) {
    write(redirectUri_, std::move(redirectUri));
}

void StaticStorageService::clearAuthData() {
    std::lock_guard lock(mutex_);
    state_.reset();
    nonce_.reset();
    redirectUri_.reset();
}

std::optional<std::string> StaticStorageService::logUid() const { return read(logUid_); }
void StaticStorageService::setLogUid(std::optional<std::string> logUid) { write(logUid_, std::move(logUid)); }

RemoteConfig StaticStorageService::remoteConfig() const { return read(remoteConfig_); }
void StaticStorageService::setRemoteConfig(RemoteConfig config) { write(remoteConfig_, std::move(config)); }

std::shared_ptr<AnalyticsServiceProtocol> StaticStorageService::analyticsService() const {
    return read(analyticsService_);
}
void StaticStorageService::setAnalyticsService(std::shared_ptr<AnalyticsServiceProtocol> service) {
    write(analyticsService_, std::move(service));
}

bool StaticStorageService::isButtonPersonalized() const { return read(isButtonPersonalized_); }
void StaticStorageService::setIsButtonPersonalized(bool personalized) { write(isButtonPersonalized_, personalized); }
std::shared_ptr<LoginButtonSettingsProtocol> StaticStorageService::buttonSettings() const {
    return read(buttonSettings_);
}
void StaticStorageService::setButtonSettings(std::shared_ptr<LoginButtonSettingsProtocol> settings) {
    write(buttonSettings_, std::move(settings));
}

std::shared_ptr<LiteELKModel> StaticStorageService::liteELKModel() {
    std::lock_guard lock(mutex_);
    if (!liteELKModel_) {
        liteELKModel_ = std::make_shared<LiteELKModel>();
    }
    return liteELKModel_;
}

void StaticStorageService::setLiteELKModel(std::shared_ptr<LiteELKModel> model) {
    // Absent means "start again empty" at the next read, never a missing model.
    write(liteELKModel_, std::move(model));
}

std::shared_ptr<VYDUIPreferences> StaticStorageService::uiPreferences() {
    std::lock_guard lock(mutex_);
    if (!uiPreferences_) {
        uiPreferences_ = std::make_shared<VYDUIPreferences>();
    }
    return uiPreferences_;
}

} // namespace vyd
