#pragma once

// Images of the UI layer: a decoded bitmap with a scale (pixels per point) and a rendering
// mode. Images are immutable reference types (std::shared_ptr<UIImage>; no image is nullptr),
// safe to make and share on any thread: decoding runs on worker threads too.

#include "platform/coregraphics/CGGeometry.hpp"
#include "platform/coregraphics/CGImage.hpp"
#include "platform/foundation/Data.hpp"
#include "platform/uikit/UITraitCollection.hpp"

#include <memory>
#include <optional>
#include <string>

namespace foundation {
class Bundle;
}

namespace uikit {

using coregraphics::CGRect;
using coregraphics::CGSize;

// How image views draw an image: as it is, or as a stencil in their tint colour.
enum class UIImageRenderingMode : int { automatic = 0, alwaysOriginal = 1, alwaysTemplate = 2 };

constexpr int rawValue(UIImageRenderingMode mode) { return static_cast<int>(mode); }

class UIImage {
public:
    // PNG or JPEG data; no image for anything else or for damaged data. A scale that is not
    // positive and finite counts as 1.
    static std::shared_ptr<UIImage> fromData(const foundation::Data& data, CGFloat scale = 1);
    // "<name>.png" (or ".jpg") of the bundle in the variant for the traits' display scale
    // ("@2x", "@3x"; the current traits when none are given). No image when the bundle is
    // absent, has no such file, or the file does not decode. A decoded image is kept: asked
    // again for the same name and scale, the bundle gives the same image without reading it.
    static std::shared_ptr<UIImage> named(const std::string& name, const std::shared_ptr<foundation::Bundle>& bundle,
                                          const std::optional<UITraitCollection>& traits = std::nullopt);
    static std::shared_ptr<UIImage> withCGImage(std::shared_ptr<const coregraphics::CGImage> image, CGFloat scale = 1,
                                                UIImageRenderingMode mode = UIImageRenderingMode::automatic);

    // In points: pixels divided by the scale.
    CGSize size() const;
    CGFloat scale() const { return scale_; }
    UIImageRenderingMode renderingMode() const { return renderingMode_; }
    const std::shared_ptr<const coregraphics::CGImage>& cgImage() const { return image_; }

    // A new image sharing the bitmap, with the given mode.
    std::shared_ptr<UIImage> withRenderingMode(UIImageRenderingMode mode) const;

    foundation::Data pngData() const { return image_->pngData(); }
    foundation::Data jpegData(CGFloat compressionQuality) const { return image_->jpegData(compressionQuality); }

    // Draws the image scaled into the rectangle of the current image context (see
    // UIGraphicsImageRenderer.hpp); does nothing without one.
    void draw(const CGRect& rect) const;

private:
    UIImage(std::shared_ptr<const coregraphics::CGImage> image, CGFloat scale, UIImageRenderingMode mode)
        : image_(std::move(image)), scale_(scale), renderingMode_(mode) {}

    std::shared_ptr<const coregraphics::CGImage> image_;
    CGFloat scale_;
    UIImageRenderingMode renderingMode_;
};

} // namespace uikit
