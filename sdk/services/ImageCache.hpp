#pragma once
#include "platform/foundation/NSCache.hpp"
#include "sdk/services/ImageCacheProtocol.hpp"

#include <cstddef>

namespace vyd {

// Holds at most `countLimit` images; the one used longest ago goes first, as a memory cache
// must give way rather than grow without end.
class ImageCache : public ImageCacheProtocol {
public:
    static constexpr std::size_t defaultCountLimit = 200;

    explicit ImageCache(std::size_t countLimit = defaultCountLimit) : images_(countLimit) {}

    std::shared_ptr<uikit::UIImage> image(const std::string& key) const override { return images_.object(key); }
    void setImage(std::shared_ptr<uikit::UIImage> image, const std::string& key) override {
        images_.setObject(std::move(image), key);
    }

    std::size_t count() const { return images_.count(); }

private:
    foundation::NSCache<std::string, uikit::UIImage> images_;
};

} // namespace vyd
