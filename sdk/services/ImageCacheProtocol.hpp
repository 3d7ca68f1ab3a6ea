#pragma once
#include <memory>
#include <string>

namespace uikit {
class UIImage;
}

namespace vyd {

// Images kept in memory by key. Safe from any thread.
class ImageCacheProtocol {
public:
    virtual ~ImageCacheProtocol() = default;

    // Null when none is held.
    virtual std::shared_ptr<uikit::UIImage> image(const std::string& key) const = 0;
    // A null image removes the entry.
    virtual void setImage(std::shared_ptr<uikit::UIImage> image, const std::string& key) = 0;
};

} // namespace vyd
