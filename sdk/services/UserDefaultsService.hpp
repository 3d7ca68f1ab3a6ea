#pragma once
#include "sdk/services/KeychainWrapperProtocol.hpp"
#include "sdk/services/UserDefaultsServiceProtocol.hpp"

#include <memory>
#include <string_view>

namespace vyd {

// The SDK's private store: items of the app's own keychain group (not shared with the VY Bank
// apps) under this service, so that values outlive the process and stay in one file.
inline constexpr std::string_view userDefaultsKeychainService = "VYID.userDefaults";
inline constexpr std::string_view savedLogUidKey = "logUid";

class UserDefaultsService : public UserDefaultsServiceProtocol {
public:
    explicit UserDefaultsService(std::shared_ptr<KeychainWrapperProtocol> keychainWrapper);
    // Over the app's own group of the process's keychain.
    static std::shared_ptr<UserDefaultsService> make();

    std::optional<std::string> savedLogUid() const override;
    void setSavedLogUid(const std::optional<std::string>& logUid) override;

private:
    std::shared_ptr<KeychainWrapperProtocol> keychainWrapper_;
};

} // namespace vyd
