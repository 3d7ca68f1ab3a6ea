#pragma once

// A resource bundle over a folder: Info.json, strings tables ("<table>.strings") and resource
// files (images with optional "@2x"/"@3x" variants) side by side at its top level.

#include "platform/foundation/Data.hpp"

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace foundation {

class Bundle {
public:
    // No bundle when `path` is not a folder.
    static std::shared_ptr<Bundle> make(const std::string& path);

    const std::string& bundlePath() const { return path_; }

    // A string value of Info.json; none when the file, the key or a string value is missing, or
    // the file is not a JSON object.
    std::optional<std::string> infoString(const std::string& key) const;
    // "CFBundleShortVersionString" of Info.json.
    std::optional<std::string> shortVersion() const;

    // The entry `key` of the table "<table>.strings". When the key is missing, or the table is
    // missing or malformed: `value`, or the key itself when `value` is empty (as on the
    // platform). Each table is read and parsed once, on first use; safe from any thread.
    std::string localizedString(const std::string& key, const std::string& value = {},
                                const std::string& table = "Localizable") const;

    // The file "<name>.<type>" (or "<name>" when `type` is empty); for a name that only exists
    // in scale variants, "<name>@2x.<type>" then "<name>@3x.<type>". No path for a missing
    // file or a name that would leave the bundle.
    std::optional<std::string> pathForResource(const std::string& name, const std::string& type) const;

    struct ImageResource {
        std::string path;
        double scale = 1;
    };
    // The variant of an image for a screen scale: that scale first, then larger ones (sharper
    // when scaled down), then smaller ones.
    std::optional<ImageResource> imageResource(const std::string& name, const std::string& type = "png",
                                               int preferredScale = 3) const;

    Bundle(const Bundle&) = delete;
    Bundle& operator=(const Bundle&) = delete;

private:
    explicit Bundle(std::string path);

    using Table = std::optional<std::map<std::string, std::string>>;
    const Table& table(const std::string& name) const;
    std::optional<std::string> existingFile(const std::string& fileName) const;

    std::string path_;
    mutable std::mutex mutex_;
    mutable std::map<std::string, Table> tables_;
    mutable bool infoLoaded_ = false;
    mutable std::map<std::string, std::string> info_;
};

} // namespace foundation
