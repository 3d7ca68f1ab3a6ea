#include "support/sdk/TemporaryKeychain.hpp"

#include "platform/security/Keychain.hpp"

#include <cstdlib>
#include <string>

namespace vydtest {

TemporaryKeychain::TemporaryKeychain() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vyd-keychain-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        std::abort();
    }
    folder_ = pattern;
    security::Keychain::setLocation(file());
}

TemporaryKeychain::~TemporaryKeychain() {
    security::Keychain::setLocation({});
    std::error_code error;
    std::filesystem::remove_all(folder_, error);
}

} // namespace vydtest
