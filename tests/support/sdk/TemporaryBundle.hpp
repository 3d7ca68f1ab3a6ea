#pragma once
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace vydtest {

// A bundle folder of the SDK's layout in a fresh temporary directory, removed again on
// destruction. Files are written as given, so tests can write malformed content too.
class TemporaryBundle {
public:
    TemporaryBundle();
    ~TemporaryBundle();
    TemporaryBundle(const TemporaryBundle&) = delete;
    TemporaryBundle& operator=(const TemporaryBundle&) = delete;

    const std::filesystem::path& path() const { return path_; }

    void writeFile(std::string_view name, std::string_view content) const;
    // Localizable.strings
    void writeStrings(std::string_view content) const { writeFile("Localizable.strings", content); }
    // Info.json with the given short version
    void writeVersion(std::string_view version) const {
        writeFile("Info.json", "{\"CFBundleShortVersionString\": \"" + std::string(version) + "\"}\n");
    }

private:
    std::filesystem::path path_;
};

// The SDK bundle of the source tree, and the bytes of one of its files ("" when unreadable).
std::filesystem::path sourceBundlePath();
std::string sourceBundleFile(std::string_view name);

// Runs `body` in a freshly started copy of this test executable (only the current test), so
// that state made once per process (the SDK bundle, plain catalogue entries) starts anew. The
// environment is inherited. `body` returns the failures it found; the test fails with them.
void expectInFreshProcess(const std::function<std::string()>& body);

} // namespace vydtest
