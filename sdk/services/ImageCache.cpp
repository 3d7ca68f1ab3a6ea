#include "sdk/services/ImageCache.hpp"

namespace vyd {

std::shared_ptr<uikit::UIImage> ImageCache::image(const std::string& key) const {
    std::lock_guard lock(mutex_);
    const auto it = index_.find(key);
    if (it == index_.end()) {
        return nullptr;
    }
    entries_.splice(entries_.begin(), entries_, it->second);
    return it->second->second;
}

void ImageCache::setImage(std::shared_ptr<uikit::UIImage> image, const std::string& key) {
    std::shared_ptr<uikit::UIImage> dropped;  // released after the lock
    std::lock_guard lock(mutex_);
    if (const auto it = index_.find(key); it != index_.end()) {
        dropped = std::move(it->second->second);
        entries_.erase(it->second);
        index_.erase(it);
    }
    if (!image || countLimit_ == 0) {
        return;
    }
    entries_.emplace_front(key, std::move(image));
    index_.emplace(key, entries_.begin());
    if (entries_.size() > countLimit_) {
        index_.erase(entries_.back().first);
        entries_.pop_back();
    }
}

std::size_t ImageCache::count() const {
    std::lock_guard lock(mutex_);
    return entries_.size();
}

} // namespace vyd
