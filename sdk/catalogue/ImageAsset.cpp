#include "sdk/catalogue/ImageAsset.hpp"

#include "platform/foundation/FatalError.hpp"
#include "sdk/catalogue/SdkBundle.hpp"

#include <string>

namespace vyd {

std::shared_ptr<uikit::UIImage> ImageAsset::image() const {
    auto image = uikit::UIImage::named(std::string(name), sdkBundle());
    if (!image) {
        foundation::fatalError("Unable to load image asset named " + std::string(name) + ".");
    }
    return image;
}

} // namespace vyd
