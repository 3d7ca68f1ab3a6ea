#include "sdk/services/UserDefaultsService.hpp"

#include "sdk/services/KeychainWrapper.hpp"

namespace vyd {

UserDefaultsService::UserDefaultsService(std::shared_ptr<KeychainWrapperProtocol> keychainWrapper)
    : keychainWrapper_(std::move(keychainWrapper)) {}

std::shared_ptr<UserDefaultsService> UserDefaultsService::make() {
    return std::make_shared<UserDefaultsService>(
        std::make_shared<KeychainWrapper>(std::string(userDefaultsKeychainService), std::string()));
}

std::optional<std::string> UserDefaultsService::savedLogUid() const {
    const auto data = keychainWrapper_->data(std::string(savedLogUidKey));
    return data ? std::optional<std::string>(foundation::stringFromData(*data)) : std::nullopt;
}

void UserDefaultsService::setSavedLogUid(const std::optional<std::string>& logUid) {
    if (logUid) {
        keychainWrapper_->set(foundation::dataFromString(*logUid), std::string(savedLogUidKey));
    } else {
        keychainWrapper_->remove(std::string(savedLogUidKey));
    }
}

} // namespace vyd
