#include "platform/uikit/UIImage.hpp"

#include "platform/coregraphics/CGContext.hpp"
#include "platform/foundation/Bundle.hpp"
#include "platform/foundation/NSCache.hpp"
#include "platform/uikit/UIGraphicsImageRenderer.hpp"

#include <cmath>
#include <fstream>
#include <iterator>

namespace uikit {

namespace {

CGFloat sanitizedScale(CGFloat scale) { return std::isfinite(scale) && scale > 0 ? scale : 1; }

// A bundle's files do not change while the process runs and images are immutable: a named image,
// once decoded, is kept and shared, as the platform's own image cache does. Keyed by the
// bundle's folder, the name and the display scale that picks the variant.
struct NamedImageKey {
    std::string bundlePath;
    std::string name;
    int scale;

    friend bool operator==(const NamedImageKey&, const NamedImageKey&) = default;
};

struct NamedImageKeyHash {
    std::size_t operator()(const NamedImageKey& key) const {
        const std::hash<std::string> hash;
        return (hash(key.bundlePath) * 31 + hash(key.name)) * 31 + static_cast<std::size_t>(key.scale);
    }
};

foundation::NSCache<NamedImageKey, UIImage, NamedImageKeyHash>& namedImages() {
    static foundation::NSCache<NamedImageKey, UIImage, NamedImageKeyHash> images(64);
    return images;
}

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
    NamedImageKey key{bundle->bundlePath(), name, preferredScale};
    if (auto kept = namedImages().object(key)) {
        return kept;
    }
    for (const char* type : {"png", "jpg"}) {
        const auto resource = bundle->imageResource(name, type, preferredScale);
        if (!resource) {
            continue;
        }
        std::ifstream file(resource->path, std::ios::binary);
        const foundation::Data data{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        auto image = fromData(data, resource->scale);
        // What does not decode is looked at again next time, as a missing file is.
        namedImages().setObject(image, key);
        return image;
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
