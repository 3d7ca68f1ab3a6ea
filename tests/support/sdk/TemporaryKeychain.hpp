#pragma once
#include "platform/security/Keychain.hpp"
#include "support/sdk/TemporaryBundle.hpp"

namespace vydtest {

// Points the process's keychain at a fresh file in a temporary folder for the life of the
// object, then back at the default, and removes the folder.
class TemporaryKeychain {
public:
    TemporaryKeychain() { security::Keychain::setLocation(file()); }
    ~TemporaryKeychain() { security::Keychain::setLocation({}); }

    std::filesystem::path file() const { return folder_.path() / "keychain.sqlite"; }

private:
    TemporaryBundle folder_; // any fresh folder that goes with the object
};

} // namespace vydtest
