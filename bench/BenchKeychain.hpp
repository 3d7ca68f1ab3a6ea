#pragma once
// The keychain that the SDK reads and writes during a benchmark lives in a file of this run,
// not the user's, and goes with the run.
#include "platform/security/Keychain.hpp"

#include <filesystem>
#include <string>
#include <unistd.h>

namespace vyd::bench {

class BenchKeychain {
public:
    BenchKeychain() {
        folder_ = std::filesystem::temp_directory_path() / ("vyd-bench-keychain-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder_);
        security::Keychain::setLocation(folder_ / "keychain.sqlite");
    }
    ~BenchKeychain() {
        security::Keychain::setLocation({});
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    BenchKeychain(const BenchKeychain&) = delete;
    BenchKeychain& operator=(const BenchKeychain&) = delete;

private:
    std::filesystem::path folder_;
};

} // namespace vyd::bench
