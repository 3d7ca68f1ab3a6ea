#pragma once

// Images by link, through the SDK's network service (DIContainer::networkService()), with the
// in-memory image cache and the disk cache of the file service for loads that may be served
// again. The link string is the key in both caches. Failures are logged (formed, not printed in
// release builds) and never thrown.

#include "platform/coregraphics/CGGeometry.hpp"
#include "platform/uikit/UIImage.hpp"
#include "sdk/services/NetworkServiceProtocol.hpp"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace uikit {
class UIImageView;
}

namespace vyd {

// MARK: Images

// The image at the link: success with an image, success without one (the data is no image),
// or the failure. Without a link the completion runs at once, on the caller's thread, with
// `invalidRequest`; otherwise it runs later on the main queue.
void loadImage(const std::optional<std::string>& from, std::function<void(ImageResult)> completion);

// The image at the link from memory, else from disk (then kept in memory too), else from the
// network (then kept in both); nothing without a link, on a failure, or when the data is no
// image. Callable from any thread: a hit in either cache completes at once on the calling
// thread, a network load later on the main queue. Loads of one link that overlap share one
// request, and its image is stored once.
void loadCacheableImage(const std::optional<std::string>& from,
                        std::function<void(std::shared_ptr<uikit::UIImage>)> completion);

// The image drawn at the given size (at the screen's scale); the image itself when no image
// context can be made for that size.
std::shared_ptr<uikit::UIImage> scaleToSize(const std::shared_ptr<uikit::UIImage>& image,
                                            const coregraphics::CGSize& size);

// The SDK bundle's image of that name; none when the bundle has no such image.
std::shared_ptr<uikit::UIImage> imageWithSymbolName(std::string_view symbolName);

// MARK: Image views

// Loads the link into the image view: a success sets the image (none when the data was no
// image, which clears the view), a failure leaves the view as it is. Without a link nothing
// happens. The image view is held until the result has been handled.
void setImage(const std::shared_ptr<uikit::UIImageView>& imageView, const std::optional<std::string>& link);

// Shows the image view shimmering (ViewShimmer's `startShimmering`) while the link loads. On a
// success the shimmer stops and the view shows the image in the rendering mode (or none when the
// data was no image); on a failure, or without a link, the shimmer stops and the view is hidden
// when `hideOnFailure` (shown otherwise), keeping its image. The view is held weakly: one that
// is gone by then is left out.
void setImage(const std::shared_ptr<uikit::UIImageView>& imageView, const std::optional<std::string>& link,
              bool hideOnFailure, uikit::UIImageRenderingMode renderingMode);
inline void setImage(const std::shared_ptr<uikit::UIImageView>& imageView, const std::optional<std::string>& link,
                     uikit::UIImageRenderingMode renderingMode) {
    setImage(imageView, link, true, renderingMode);
}

} // namespace vyd
