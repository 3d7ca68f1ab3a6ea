#pragma once
#include "sdk/services/FileServiceProtocol.hpp"

#include <filesystem>

namespace vyd {

// Each image is a PNG file in the cache directory, named by the SHA-256 of its key in hex, so
// that any key (a URL) makes a safe file name.
class FileService : public FileServiceProtocol {
public:
    // The cache directory; made when the first image is saved.
    explicit FileService(std::filesystem::path directory);
    // $VYD_CACHE_PATH, else "vydcore/images" under $XDG_CACHE_HOME (default ~/.cache).
    static std::filesystem::path defaultDirectory();

    bool saveImage(const std::shared_ptr<uikit::UIImage>& image, const std::string& key) override;
    std::shared_ptr<uikit::UIImage> loadImage(const std::string& key) const override;

    const std::filesystem::path& directory() const { return directory_; }
    std::filesystem::path fileFor(const std::string& key) const;

private:
    std::filesystem::path directory_;
};

} // namespace vyd
