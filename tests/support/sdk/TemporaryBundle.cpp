#include "support/sdk/TemporaryBundle.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>

namespace vydtest {
namespace {

// The folders of live bundles: a fresh process ends with _Exit, which runs no destructors.
std::set<std::filesystem::path>& liveFolders() {
    static std::set<std::filesystem::path> folders;
    return folders;
}

void removeFolder(const std::filesystem::path& path) {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

} // namespace

TemporaryBundle::TemporaryBundle() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vyd-bundle-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary bundle folder");
    }
    path_ = pattern;
    liveFolders().insert(path_);
}

TemporaryBundle::~TemporaryBundle() {
    removeFolder(path_);
    liveFolders().erase(path_);
}

void TemporaryBundle::writeFile(std::string_view name, std::string_view content) const {
    std::ofstream out(path_ / name, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + std::string(name));
    }
}

std::filesystem::path sourceBundlePath() { return std::filesystem::path(VYD_SOURCE_DIR) / "resources/VYDCore.bundle"; }

std::string sourceBundleFile(std::string_view name) {
    std::ifstream in(sourceBundlePath() / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void expectInFreshProcess(const std::function<std::string()>& body) {
    // The "threadsafe" style starts the child by executing this program again, rather than
    // forking the current process with its statics already made.
    const std::string style = GTEST_FLAG_GET(death_test_style);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            const std::string failures = body();
            std::fputs(failures.c_str(), stderr);
            std::fflush(stderr);
            for (const auto& folder : liveFolders()) {
                removeFolder(folder);
            }
            std::_Exit(failures.empty() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
    GTEST_FLAG_SET(death_test_style, style);
}

} // namespace vydtest
