#pragma once
#include "sdk/services/NetworkRequestError.hpp"

#include <functional>
#include <memory>
#include <string>
#include <variant>

namespace uikit {
class UIImage;
}

namespace vyd {

// An image (null when the data was no image) or why there is none.
using ImageResult = std::variant<std::shared_ptr<uikit::UIImage>, NetworkRequestError>;

class NetworkServiceProtocol {
public:
    using ImageCompletion = std::function<void(ImageResult)>;

    virtual ~NetworkServiceProtocol() = default;

    // Requests the data at the link and decodes it as an image; the completion runs once, on the
    // main queue, also when the link is not a URL.
    virtual void loadImage(const std::string& link, ImageCompletion completion) = 0;
};

} // namespace vyd
