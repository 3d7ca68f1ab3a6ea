#include "sdk/services/FileService.hpp"

#include "platform/security/SHA256.hpp"
#include "platform/security/SecRandom.hpp"
#include "platform/uikit/UIImage.hpp"

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace vyd {
namespace {

std::string hex(const std::uint8_t* bytes, std::size_t count) {
    static constexpr char digits[] = "0123456789abcdef";
    std::string text;
    text.reserve(count * 2);
    for (std::size_t i = 0; i < count; ++i) {
        text += digits[bytes[i] >> 4];
        text += digits[bytes[i] & 0xF];
    }
    return text;
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

} // namespace

FileService::FileService(std::filesystem::path directory) : directory_(std::move(directory)) {}

std::filesystem::path FileService::defaultDirectory() {
    if (auto path = environment("VYD_CACHE_PATH"); !path.empty()) {
        return path;
    }
    std::filesystem::path base = environment("XDG_CACHE_HOME");
    if (base.empty()) {
        base = std::filesystem::path(environment("HOME")) / ".cache";
    }
    return base / "vydcore" / "images";
}

std::filesystem::path FileService::fileFor(const std::string& key) const {
    const auto digest = security::sha256(key);
    return directory_ / (hex(digest.data(), digest.size()) + ".png");
}

bool FileService::saveImage(const std::shared_ptr<uikit::UIImage>& image, const std::string& key) {
    if (!image) {
        return false;
    }
    const auto png = image->pngData();
    if (png.empty()) {
        return false;
    }
    std::error_code error;
    std::filesystem::create_directories(directory_, error);
    // Written aside and renamed into place, so that a reader never sees half a file, even when
    // another thread or process saves the same key.
    std::uint8_t nonce[8];
    security::SecRandomCopyBytes(sizeof nonce, nonce);
    const auto target = fileFor(key);
    auto temporary = target;
    temporary += "." + hex(nonce, sizeof nonce) + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
        if (!out.good()) {
            out.close();
            std::filesystem::remove(temporary, error);
            return false;
        }
    }
    std::filesystem::rename(temporary, target, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}

std::shared_ptr<uikit::UIImage> FileService::loadImage(const std::string& key) const {
    std::ifstream in(fileFor(key), std::ios::binary);
    if (!in) {
        return nullptr;
    }
    const foundation::Data data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return uikit::UIImage::fromData(data);
}

} // namespace vyd
