// Image data comes from the network and from files on disk: any bytes must decode to a sound
// image or to none, without crashing, leaking or reading out of bounds, through both decoders
// whatever the signature says. A decoded image must survive a trip through PNG unchanged.
#include "platform/coregraphics/CGImage.hpp"
#include "platform/uikit/UIImage.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void checkSound(const std::shared_ptr<const coregraphics::CGImage>& image) {
    if (!image) {
        return;
    }
    if (image->width() == 0 || image->height() == 0 || image->pixels().size() != image->width() * image->height() ||
        image->pixels().size() > coregraphics::CGImage::maximumPixelCount) {
        std::abort();
    }
    // Re-encoding is linear in the pixels; keep the fuzzer fast on large images.
    if (image->pixels().size() <= 64 * 64) {
        const auto again = coregraphics::CGImage::decode(image->pngData());
        if (!again || again->pixels() != image->pixels()) {
            std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    checkSound(coregraphics::CGImage::decodePNG(data, size));
    checkSound(coregraphics::CGImage::decodeJPEG(data, size));

    const auto image = uikit::UIImage::fromData(foundation::Data(data, data + size), 2);
    if (image && (image->scale() != 2 || image->size().width * 2 != static_cast<double>(image->cgImage()->width()))) {
        std::abort();
    }
    return 0;
}
