#pragma once
#include <filesystem>

namespace vydtest {

// Points the process's keychain at a fresh file in a temporary folder for the life of the
// object, then back at the default, and removes the folder.
class TemporaryKeychain {
public:
    TemporaryKeychain();
    ~TemporaryKeychain();
    TemporaryKeychain(const TemporaryKeychain&) = delete;
    TemporaryKeychain& operator=(const TemporaryKeychain&) = delete;

    std::filesystem::path file() const { return folder_ / "keychain.sqlite"; }

private:
    std::filesystem::path folder_;
};

} // namespace vydtest
