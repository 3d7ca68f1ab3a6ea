#include "platform/uikit/UIImage.hpp"

#include "platform/coregraphics/CGContext.hpp"
#include "platform/foundation/Bundle.hpp"
#include "platform/uikit/UIGraphicsImageRenderer.hpp"

#include <cmath>
#include <fstream>
#include <iterator>

namespace uikit {

namespace {

CGFloat sanitizedScale(CGFloat scale) { return std::isfinite(scale) && scale > 0 ? scale : 1; }

} // namespace

std::shared_ptr<UIImage> UIImage::fromData(const foundation::Data& data, CGFloat scale) {
    return withCGImage(coregraphics::CGImage::decode(data), scale);
}

std::shared_ptr<UIImage> UIImage::named(const std::string& name, const std::shared_ptr<foundation::Bundle>& bundle,
                                        const std::optional<UITraitCollection>& traits) {
    if (!bundle) {
        return nullptr;
    }
    const CGFloat displayScale = (traits ? *traits : UITraitCollection::current()).displayScale();
    const int preferredScale = displayScale > 0 ? static_cast<int>(std::lround(displayScale)) : 1;
    for (const char* type : {"png", "jpg"}) {
        const auto resource = bundle->imageResource(name, type, preferredScale);
        if (!resource) {
            continue;
        }
        std::ifstream file(resource->path, std::ios::binary);
        const foundation::Data data{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        return fromData(data, resource->scale);
    }
    return nullptr;
}

std::shared_ptr<UIImage> UIImage::withCGImage(std::shared_ptr<const coregraphics::CGImage> image, CGFloat scale,
                                              UIImageRenderingMode mode) {
    if (!image) {
        return nullptr;
    }
    return std::shared_ptr<UIImage>(new UIImage(std::move(image), sanitizedScale(scale), mode));
}

CGSize UIImage::size() const {
    return {static_cast<CGFloat>(image_->width()) / scale_, static_cast<CGFloat>(image_->height()) / scale_};
}

std::shared_ptr<UIImage> UIImage::withRenderingMode(UIImageRenderingMode mode) const {
    return std::shared_ptr<UIImage>(new UIImage(image_, scale_, mode));
}

void UIImage::draw(const CGRect& rect) const {
    if (coregraphics::CGContext* context = UIGraphicsGetCurrentContext()) {
        context->draw(*image_, rect);
    }
}

} // namespace uikit
