#pragma once
#include "sdk/services/KeychainWrapperProtocol.hpp"

#include <memory>
#include <string_view>

namespace security {
class Keychain;
}

namespace vyd {

// The keychain items shared between the SDK and the VY Bank apps.
inline constexpr std::string_view sharedKeychainService = "VYBank.VYID.shared";
inline constexpr std::string_view sharedKeychainAccessGroup = "VYBank.shared";

class KeychainWrapper : public KeychainWrapperProtocol {
public:
    // Over the process's keychain file as it is at each call (`security::Keychain::standard()`),
    // or over the given keychain.
    KeychainWrapper(std::string service, std::string accessGroup,
                    std::shared_ptr<security::Keychain> keychain = nullptr);
    // The shared service and access group.
    static std::shared_ptr<KeychainWrapper> shared();

    std::optional<foundation::Data> data(const std::string& key) const override;
    bool set(const foundation::Data& data, const std::string& key) override;
    bool remove(const std::string& key) override;

private:
    std::shared_ptr<security::Keychain> keychain() const;

    std::string service_;
    std::string accessGroup_;
    std::shared_ptr<security::Keychain> keychain_;
};

} // namespace vyd
