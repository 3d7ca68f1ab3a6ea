#pragma once

// A bitmap image: 8-bit red, green, blue and alpha per pixel, alpha not premultiplied, rows
// from the top. Images are immutable and safe to share between threads.
//
// Decoding reads PNG (libpng) and JPEG (libjpeg) data. Anything else, and damaged or truncated
// data, gives no image; so does an image larger than maximumPixelCount, so that a small file
// cannot make the process allocate gigabytes. Decoding is safe from any thread.

#include "platform/foundation/Data.hpp"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace coregraphics {

struct CGRGBA {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t alpha = 0;

    friend constexpr bool operator==(const CGRGBA&, const CGRGBA&) = default;
};

class CGImage {
public:
    static constexpr std::size_t maximumPixelCount = 32u * 1024 * 1024;

    // No image when the pixel count is zero, too large, or does not match width and height.
    static std::shared_ptr<const CGImage> make(std::size_t width, std::size_t height, std::vector<CGRGBA> pixels);

    // PNG or JPEG, told by the data's signature.
    static std::shared_ptr<const CGImage> decode(const std::uint8_t* data, std::size_t size);
    static std::shared_ptr<const CGImage> decode(const foundation::Data& data) {
        return decode(data.data(), data.size());
    }
    static std::shared_ptr<const CGImage> decodePNG(const std::uint8_t* data, std::size_t size);
    static std::shared_ptr<const CGImage> decodeJPEG(const std::uint8_t* data, std::size_t size);

    std::size_t width() const { return width_; }
    std::size_t height() const { return height_; }
    const std::vector<CGRGBA>& pixels() const { return pixels_; }
    // Pixels outside the image are transparent black.
    CGRGBA pixel(std::size_t x, std::size_t y) const;

    // Empty data if encoding fails. JPEG has no alpha: pixels are flattened over black, as
    // the platform does. Quality runs from 0 (smallest) to 1 (best).
    foundation::Data pngData() const;
    foundation::Data jpegData(double quality) const;

private:
    CGImage(std::size_t width, std::size_t height, std::vector<CGRGBA> pixels)
        : width_(width), height_(height), pixels_(std::move(pixels)) {}

    std::size_t width_;
    std::size_t height_;
    std::vector<CGRGBA> pixels_;
};

} // namespace coregraphics
