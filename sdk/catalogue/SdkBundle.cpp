#include "sdk/catalogue/SdkBundle.hpp"

#include <cstdlib>

namespace vyd {
namespace {

struct Location {
    std::string path;
    std::shared_ptr<foundation::Bundle> bundle;
};

const Location& location() {
    static const Location made = [] {
        const char* fromEnvironment = std::getenv("VYD_BUNDLE_PATH");
        Location result;
        result.path = fromEnvironment && *fromEnvironment ? fromEnvironment : VYD_DEFAULT_BUNDLE_PATH;
        result.bundle = foundation::Bundle::make(result.path);
        return result;
    }();
    return made;
}

} // namespace

const std::string& sdkBundlePath() { return location().path; }

const std::shared_ptr<foundation::Bundle>& sdkBundle() { return location().bundle; }

std::string curentSdkVersion() {
    const auto& bundle = sdkBundle();
    return bundle ? bundle->shortVersion().value_or("") : std::string();
}

std::string localizedSdkString(std::string_view key, std::string_view fallback) {
    const auto& bundle = sdkBundle();
    if (!bundle) {
        return std::string(fallback);
    }
    // Every catalogue entry has a fallback, so the platform's "key itself" answer never shows.
    return bundle->localizedString(std::string(key), std::string(fallback), "Localizable");
}

} // namespace vyd
