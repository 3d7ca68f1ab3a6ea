// What an embedding app pays for text and images, each against the plain way of doing the same
// job: a title measured again against a hash-map lookup of its width, a wrapped paragraph
// against the same text measured on one line, the system font against a hash-map lookup,
// decoding a logo against libpng and libjpeg called directly, redrawing it at button size
// against drawing into a bitmap context directly.
#include "bench/RatioReporter.hpp"

#include "platform/coregraphics/CGContext.hpp"
#include "platform/coregraphics/CGImage.hpp"
#include "platform/uikit/UIFont.hpp"
#include "platform/uikit/UIGraphicsImageRenderer.hpp"
#include "platform/uikit/UIImage.hpp"

#include <cstdio>
#include <jpeglib.h>
#include <png.h>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

using coregraphics::CGImage;
using coregraphics::CGRGBA;

std::shared_ptr<const CGImage> logoBitmap() {
    std::vector<CGRGBA> pixels;
    for (std::size_t y = 0; y < 64; ++y) {
        for (std::size_t x = 0; x < 64; ++x) {
            const bool inside = (x - 32) * (x - 32) + (y - 32) * (y - 32) < 28 * 28;
            pixels.push_back(inside ? CGRGBA{20, 143, static_cast<std::uint8_t>(x * 4), 255} : CGRGBA{});
        }
    }
    return CGImage::make(64, 64, std::move(pixels));
}

const foundation::Data& logoPng() {
    static const foundation::Data data = logoBitmap()->pngData();
    return data;
}

const foundation::Data& logoJpeg() {
    static const foundation::Data data = logoBitmap()->jpegData(0.9);
    return data;
}

const std::string title = "Continue with VY ID";
const std::string paragraph = "This is a secure way to log in with a VY Bank account: the app will not get access "
                              "to your bank, and nothing is shared without your consent.";

void BM_Title_Baseline_HashMapLookup(benchmark::State& state) {
    const std::unordered_map<std::string, coregraphics::CGSize> sizes{{title, {140, 19}}, {"VY ID", {40, 19}}};
    for (auto _ : state) {
        benchmark::DoNotOptimize(sizes.find(title)->second);
    }
}

void BM_Title_SizeWithFont(benchmark::State& state) {
    const uikit::UIFont font = uikit::UIFont::systemFont(16, uikit::UIFontWeight::semibold);
    for (auto _ : state) {
        benchmark::DoNotOptimize(uikit::sizeWithFont(title, font));
    }
}

void BM_Paragraph_Baseline_OneLine(benchmark::State& state) {
    const uikit::UIFont font = uikit::UIFont::systemFont(14);
    for (auto _ : state) {
        benchmark::DoNotOptimize(uikit::sizeWithFont(paragraph, font));
    }
}

void BM_Paragraph_WrappedInThreeLines(benchmark::State& state) {
    const uikit::UIFont font = uikit::UIFont::systemFont(14);
    for (auto _ : state) {
        benchmark::DoNotOptimize(uikit::layoutText(paragraph, font, 280, 3));
    }
}

void BM_Font_Baseline_HashMapLookup(benchmark::State& state) {
    const std::unordered_map<std::string, uikit::UIFont> fonts{{"Inter-Medium", uikit::UIFont::systemFont(14)}};
    const std::string name = "Inter-Medium";
    for (auto _ : state) {
        benchmark::DoNotOptimize(fonts.find(name)->second.pointSize());
    }
}

void BM_Font_SystemFont(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(uikit::UIFont::systemFont(14, uikit::UIFontWeight::medium));
    }
}

void BM_DecodePng_Baseline_LibPng(benchmark::State& state) {
    const auto& data = logoPng();
    std::vector<std::uint8_t> pixels;
    for (auto _ : state) {
        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        png_image_begin_read_from_memory(&image, data.data(), data.size());
        image.format = PNG_FORMAT_RGBA;
        pixels.resize(PNG_IMAGE_SIZE(image));
        png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr);
        benchmark::DoNotOptimize(pixels.data());
    }
}

void BM_DecodePng_CGImage(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(CGImage::decode(logoPng()));
    }
}

void BM_DecodeJpeg_Baseline_LibJpeg(benchmark::State& state) {
    const auto& data = logoJpeg();
    std::vector<std::uint8_t> pixels;
    for (auto _ : state) {
        jpeg_decompress_struct info{};
        jpeg_error_mgr errors{};
        info.err = jpeg_std_error(&errors);
        jpeg_create_decompress(&info);
        jpeg_mem_src(&info, data.data(), static_cast<unsigned long>(data.size()));
        jpeg_read_header(&info, TRUE);
        info.out_color_space = JCS_EXT_RGBA;
        jpeg_start_decompress(&info);
        pixels.resize(static_cast<std::size_t>(info.output_width) * info.output_height * 4);
        while (info.output_scanline < info.output_height) {
            JSAMPROW row = pixels.data() + static_cast<std::size_t>(info.output_scanline) * info.output_width * 4;
            jpeg_read_scanlines(&info, &row, 1);
        }
        jpeg_finish_decompress(&info);
        jpeg_destroy_decompress(&info);
        benchmark::DoNotOptimize(pixels.data());
    }
}

void BM_DecodeJpeg_CGImage(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(CGImage::decode(logoJpeg()));
    }
}

void BM_Redraw_Baseline_BitmapContext(benchmark::State& state) {
    const auto logo = CGImage::decode(logoPng());
    for (auto _ : state) {
        const auto context = coregraphics::CGContext::bitmap({16, 16}, 3, false);
        context->draw(*logo, {0, 0, 16, 16});
        benchmark::DoNotOptimize(context->makeImage());
    }
}

void BM_Redraw_ImageRenderer(benchmark::State& state) {
    const auto logo = uikit::UIImage::fromData(logoPng(), 1);
    const uikit::UIGraphicsImageRenderer renderer({16, 16}, {3, false});
    for (auto _ : state) {
        benchmark::DoNotOptimize(renderer.image([&](uikit::UIGraphicsImageRendererContext&) {
            logo->draw({0, 0, 16, 16});
        }));
    }
}

BENCHMARK(BM_Title_Baseline_HashMapLookup);
BENCHMARK(BM_Title_SizeWithFont);
BENCHMARK(BM_Paragraph_Baseline_OneLine);
BENCHMARK(BM_Paragraph_WrappedInThreeLines);
BENCHMARK(BM_Font_Baseline_HashMapLookup);
BENCHMARK(BM_Font_SystemFont);
BENCHMARK(BM_DecodePng_Baseline_LibPng);
BENCHMARK(BM_DecodePng_CGImage);
BENCHMARK(BM_DecodeJpeg_Baseline_LibJpeg);
BENCHMARK(BM_DecodeJpeg_CGImage);
BENCHMARK(BM_Redraw_Baseline_BitmapContext);
BENCHMARK(BM_Redraw_ImageRenderer);

} // namespace

int main(int argc, char** argv) { return vyd::bench::runWithRatios(argc, argv); }
