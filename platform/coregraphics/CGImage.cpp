#include "platform/coregraphics/CGImage.hpp"

#include <png.h>

#include <cstdio> // jpeglib.h needs FILE
#include <jpeglib.h>
// after jpeglib.h, whose types it uses
#include <jerror.h>

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdlib>
#include <cstring>

namespace coregraphics {

namespace {

static_assert(sizeof(CGRGBA) == 4, "pixels are handed to the codecs as packed RGBA bytes");

bool fitsLimit(std::size_t width, std::size_t height) {
    return width > 0 && height > 0 && width <= CGImage::maximumPixelCount / height;
}

bool hasPngSignature(const std::uint8_t* data, std::size_t size) { return size >= 8 && png_sig_cmp(data, 0, 8) == 0; }

bool hasJpegSignature(const std::uint8_t* data, std::size_t size) {
    return size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF;
}

// libjpeg reports fatal errors through error_exit, which must not return: it jumps back to the
// decoder's setjmp. Everything the decoder owns lives in this heap object, created before the
// jump point and untouched by the jump, so that cleanup after an error sees valid state.
struct JpegErrorManager {
    jpeg_error_mgr base{};
    std::jmp_buf jump{};
};

void jpegErrorExit(j_common_ptr info) {
    auto* manager = reinterpret_cast<JpegErrorManager*>(info->err);
    std::longjmp(manager->jump, 1);
}

// Data that is missing or damaged is only a warning to libjpeg: it pads the image with grey and
// goes on. Such a file must give no image. Stray bytes between segments and odd metadata leave
// every pixel intact and stay warnings.
bool losesPixels(int warning) {
    switch (warning) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_MUST_RESYNC:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_ARITH_BAD_CODE:
    case JWRN_NOT_SEQUENTIAL:
    case JWRN_BOGUS_PROGRESSION:
        return true;
    default:
        return false;
    }
}

void jpegEmitMessage(j_common_ptr info, int level) {
    if (level == -1 && losesPixels(info->err->msg_code)) {
        jpegErrorExit(info);
    }
}

// With Huffman coding every 8 x 8 block of every component costs at least one bit (its DC
// code), so data shorter than that cannot hold the declared image: refusing it early spares
// allocating and padding a huge grey image. Arithmetic coding has no such floor.
bool dataCanFill(const jpeg_decompress_struct& info, std::size_t size) {
    if (info.arith_code) {
        return true;
    }
    std::uint64_t blocks = 0;
    for (int component = 0; component < info.num_components; ++component) {
        blocks += std::uint64_t{info.comp_info[component].width_in_blocks} * info.comp_info[component].height_in_blocks;
    }
    return blocks <= std::uint64_t{size} * 8;
}

void jpegSilentOutput(j_common_ptr) {}

struct JpegDecoder {
    jpeg_decompress_struct info{};
    JpegErrorManager errors{};
    bool created = false;
    std::vector<CGRGBA> pixels;
    ~JpegDecoder() {
        if (created) {
            jpeg_destroy_decompress(&info);
        }
    }
};

struct JpegEncoder {
    jpeg_compress_struct info{};
    JpegErrorManager errors{};
    bool created = false;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    std::vector<std::uint8_t> row;
    ~JpegEncoder() {
        if (created) {
            jpeg_destroy_compress(&info);
        }
        std::free(buffer);
    }
};

void installErrorManager(JpegErrorManager& errors, j_common_ptr info) {
    info->err = jpeg_std_error(&errors.base);
    errors.base.error_exit = jpegErrorExit;
    errors.base.emit_message = jpegEmitMessage;
    errors.base.output_message = jpegSilentOutput;
}

// Runs the whole decode between setjmp and the last libjpeg call; no C++ object is created or
// destroyed in this frame after setjmp, so the jump skips no destructor.
bool runJpegDecode(JpegDecoder* decoder, const std::uint8_t* data, std::size_t size) {
    jpeg_decompress_struct* info = &decoder->info;
    installErrorManager(decoder->errors, reinterpret_cast<j_common_ptr>(info));
    if (setjmp(decoder->errors.jump) != 0) {
        return false;
    }
    jpeg_create_decompress(info);
    decoder->created = true;
    jpeg_mem_src(info, data, static_cast<unsigned long>(size));
    if (jpeg_read_header(info, TRUE) != JPEG_HEADER_OK) {
        return false;
    }
    if (!fitsLimit(info->image_width, info->image_height) || !dataCanFill(*info, size) ||
        info->jpeg_color_space == JCS_CMYK || info->jpeg_color_space == JCS_YCCK) {
        return false;
    }
    info->out_color_space = JCS_EXT_RGBA;
    jpeg_start_decompress(info);
    decoder->pixels.resize(static_cast<std::size_t>(info->output_width) * info->output_height);
    while (info->output_scanline < info->output_height) {
        JSAMPROW row = reinterpret_cast<JSAMPROW>(decoder->pixels.data() +
                                                  static_cast<std::size_t>(info->output_scanline) * info->output_width);
        if (jpeg_read_scanlines(info, &row, 1) != 1) {
            return false;
        }
    }
    // Reads up to the end-of-image marker, so that damage after the last row counts too.
    jpeg_finish_decompress(info);
    return true;
}

bool runJpegEncode(JpegEncoder* encoder, const CGImage& image, int quality) {
    jpeg_compress_struct* info = &encoder->info;
    installErrorManager(encoder->errors, reinterpret_cast<j_common_ptr>(info));
    if (setjmp(encoder->errors.jump) != 0) {
        return false;
    }
    jpeg_create_compress(info);
    encoder->created = true;
    jpeg_mem_dest(info, &encoder->buffer, &encoder->size);
    info->image_width = static_cast<JDIMENSION>(image.width());
    info->image_height = static_cast<JDIMENSION>(image.height());
    info->input_components = 3;
    info->in_color_space = JCS_RGB;
    jpeg_set_defaults(info);
    jpeg_set_quality(info, quality, TRUE);
    jpeg_start_compress(info, TRUE);
    encoder->row.resize(image.width() * 3);
    while (info->next_scanline < info->image_height) {
        const CGRGBA* source = image.pixels().data() + static_cast<std::size_t>(info->next_scanline) * image.width();
        for (std::size_t x = 0; x < image.width(); ++x) {
            // Flatten over black: the colour weighted by its coverage.
            encoder->row[3 * x] = static_cast<std::uint8_t>((source[x].red * source[x].alpha + 127) / 255);
            encoder->row[3 * x + 1] = static_cast<std::uint8_t>((source[x].green * source[x].alpha + 127) / 255);
            encoder->row[3 * x + 2] = static_cast<std::uint8_t>((source[x].blue * source[x].alpha + 127) / 255);
        }
        JSAMPROW row = encoder->row.data();
        jpeg_write_scanlines(info, &row, 1);
    }
    jpeg_finish_compress(info);
    return true;
}

} // namespace

std::shared_ptr<const CGImage> CGImage::make(std::size_t width, std::size_t height, std::vector<CGRGBA> pixels) {
    if (!fitsLimit(width, height) || pixels.size() != width * height) {
        return nullptr;
    }
    return std::shared_ptr<const CGImage>(new CGImage(width, height, std::move(pixels)));
}

std::shared_ptr<const CGImage> CGImage::decode(const std::uint8_t* data, std::size_t size) {
    if (data == nullptr) {
        return nullptr;
    }
    if (hasPngSignature(data, size)) {
        return decodePNG(data, size);
    }
    if (hasJpegSignature(data, size)) {
        return decodeJPEG(data, size);
    }
    return nullptr;
}

std::shared_ptr<const CGImage> CGImage::decodePNG(const std::uint8_t* data, std::size_t size) {
    if (data == nullptr || !hasPngSignature(data, size)) {
        return nullptr;
    }
    // libpng's simplified reader keeps its setjmp error handling inside libpng: errors come
    // back as a zero result and the reader frees what it allocated.
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_memory(&image, data, size) == 0) {
        return nullptr;
    }
    if (!fitsLimit(image.width, image.height)) {
        png_image_free(&image);
        return nullptr;
    }
    image.format = PNG_FORMAT_RGBA;
    std::vector<CGRGBA> pixels(static_cast<std::size_t>(image.width) * image.height);
    if (png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr) == 0) {
        png_image_free(&image);
        return nullptr;
    }
    return make(image.width, image.height, std::move(pixels));
}

std::shared_ptr<const CGImage> CGImage::decodeJPEG(const std::uint8_t* data, std::size_t size) {
    if (data == nullptr || !hasJpegSignature(data, size)) {
        return nullptr;
    }
    auto decoder = std::make_unique<JpegDecoder>();
    if (!runJpegDecode(decoder.get(), data, size)) {
        return nullptr;
    }
    return make(decoder->info.output_width, decoder->info.output_height, std::move(decoder->pixels));
}

CGRGBA CGImage::pixel(std::size_t x, std::size_t y) const {
    if (x >= width_ || y >= height_) {
        return {};
    }
    return pixels_[y * width_ + x];
}

foundation::Data CGImage::pngData() const {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width_);
    image.height = static_cast<png_uint_32>(height_);
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    if (png_image_write_to_memory(&image, nullptr, &size, 0, pixels_.data(), 0, nullptr) == 0) {
        return {};
    }
    foundation::Data data(size);
    if (png_image_write_to_memory(&image, data.data(), &size, 0, pixels_.data(), 0, nullptr) == 0) {
        return {};
    }
    data.resize(size);
    return data;
}

foundation::Data CGImage::jpegData(double quality) const {
    const int libjpegQuality = static_cast<int>(std::clamp(std::isnan(quality) ? 1.0 : quality, 0.0, 1.0) * 99) + 1;
    auto encoder = std::make_unique<JpegEncoder>();
    if (!runJpegEncode(encoder.get(), *this, libjpegQuality)) {
        return {};
    }
    return foundation::Data(encoder->buffer, encoder->buffer + encoder->size);
}

} // namespace coregraphics
