#include "sdk/services/KeychainWrapper.hpp"

#include "platform/security/Keychain.hpp"

namespace vyd {

KeychainWrapper::KeychainWrapper(std::string service, std::string accessGroup,
                                 std::shared_ptr<security::Keychain> keychain)
    : service_(std::move(service)), accessGroup_(std::move(accessGroup)), keychain_(std::move(keychain)) {}

std::shared_ptr<KeychainWrapper> KeychainWrapper::shared() {
    return std::make_shared<KeychainWrapper>(std::string(sharedKeychainService),
                                             std::string(sharedKeychainAccessGroup));
}

std::shared_ptr<security::Keychain> KeychainWrapper::keychain() const {
    return keychain_ ? keychain_ : security::Keychain::standard();
}

std::optional<foundation::Data> KeychainWrapper::data(const std::string& key) const {
    std::vector<security::KeychainItem> items;
    const security::KeychainQuery query{service_, key, accessGroup_};
    if (keychain()->copyMatching(query, items) != security::errSecSuccess || items.empty()) {
        return std::nullopt;
    }
    return foundation::Data(items.front().data.begin(), items.front().data.end());
}

bool KeychainWrapper::set(const foundation::Data& data, const std::string& key) {
    const security::KeychainItem item{service_, key, accessGroup_, security::Bytes(data.begin(), data.end())};
    return keychain()->set(item) == security::errSecSuccess;
}

bool KeychainWrapper::remove(const std::string& key) {
    const auto status = keychain()->remove(security::KeychainQuery{service_, key, accessGroup_});
    return status == security::errSecSuccess || status == security::errSecItemNotFound;
}

} // namespace vyd
