#pragma once
#include "sdk/services/ImageCacheProtocol.hpp"

#include <cstddef>
#include <list>
#include <mutex>
#include <unordered_map>

namespace vyd {

// Holds at most `countLimit` images; the one used longest ago goes first, as a memory cache
// must give way rather than grow without end.
class ImageCache : public ImageCacheProtocol {
public:
    static constexpr std::size_t defaultCountLimit = 200;

    explicit ImageCache(std::size_t countLimit = defaultCountLimit) : countLimit_(countLimit) {}

    std::shared_ptr<uikit::UIImage> image(const std::string& key) const override;
    void setImage(std::shared_ptr<uikit::UIImage> image, const std::string& key) override;

    std::size_t count() const;

private:
    using Entry = std::pair<std::string, std::shared_ptr<uikit::UIImage>>;

    mutable std::mutex mutex_;
    std::size_t countLimit_;
    // Most recently used first.
    mutable std::list<Entry> entries_;
    std::unordered_map<std::string, std::list<Entry>::iterator> index_;
};

} // namespace vyd
