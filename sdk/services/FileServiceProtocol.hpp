#pragma once
#include <memory>
#include <string>

namespace uikit {
class UIImage;
}

namespace vyd {

// Images kept on disk by key, across launches. Safe from any thread.
class FileServiceProtocol {
public:
    virtual ~FileServiceProtocol() = default;

    // False when it could not be written.
    virtual bool saveImage(const std::shared_ptr<uikit::UIImage>& image, const std::string& key) = 0;
    // Null when there is none or it does not decode.
    virtual std::shared_ptr<uikit::UIImage> loadImage(const std::string& key) const = 0;
};

} // namespace vyd
