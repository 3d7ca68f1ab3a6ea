#include "platform/coregraphics/CGFontLibrary.hpp"

#include "platform/foundation/OSLog.hpp"

#include <cstdlib>
#include <filesystem>

namespace coregraphics {

namespace {

constexpr const char* defaultFontDirectory = "/usr/share/fonts/opentype/inter";

// Names come from host apps and preferences: they must not reach outside the folder.
bool isPlainFileName(const std::string& name) {
    return !name.empty() && name.find('/') == std::string::npos && name.find('\0') == std::string::npos &&
           name.front() != '.';
}

} // namespace

CGFontLibrary::CGFontLibrary(std::string directory) : directory_(std::move(directory)) {}

CGFontLibrary& CGFontLibrary::shared() {
    static CGFontLibrary library([] {
        const char* fromEnvironment = std::getenv("VYD_FONT_DIR");
        return std::string(fromEnvironment != nullptr && *fromEnvironment != '\0' ? fromEnvironment
                                                                                  : defaultFontDirectory);
    }());
    return library;
}

std::shared_ptr<const CGFont> CGFontLibrary::font(const std::string& postScriptName) {
    if (!isPlainFileName(postScriptName)) {
        return nullptr;
    }
    std::lock_guard lock(mutex_);
    if (const auto found = faces_.find(postScriptName); found != faces_.end()) {
        return found->second;
    }
    std::shared_ptr<const CGFont> face;
    for (const char* extension : {".otf", ".ttf"}) {
        const std::filesystem::path path = std::filesystem::path(directory_) / (postScriptName + extension);
        std::error_code error;
        if (std::filesystem::is_regular_file(path, error)) {
            face = CGFont::load(path.string());
            break;
        }
    }
    faces_.emplace(postScriptName, face);
    return face;
}

std::shared_ptr<const CGFont> CGFontLibrary::font(const std::string& name, const std::string& fallbackName) {
    if (auto face = font(name)) {
        return face;
    }
    auto fallback = font(fallbackName);
    bool firstReport = false;
    {
        std::lock_guard lock(mutex_);
        firstReport = reportedFallbacks_.insert(name).second;
    }
    if (firstReport) {
        foundation::osLog("fonts",
                          "Font \"" + name + "\" could not be loaded from " + directory_ + "; using " +
                              (fallback ? "\"" + fallbackName + "\"" : std::string("estimated metrics")) + " instead",
                          foundation::OSLogType::Error);
    }
    return fallback;
}

} // namespace coregraphics
