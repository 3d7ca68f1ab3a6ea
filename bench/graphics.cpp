// What an embedding app pays for text and images: measuring a button title, laying out a
// wrapped paragraph, decoding a logo from PNG and JPEG and redrawing it at button size. Each
// figure is also printed relative to copying the logo's PNG bytes, measured in the same run.
#include "platform/coregraphics/CGImage.hpp"
#include "platform/uikit/UIFont.hpp"
#include "platform/uikit/UIGraphicsImageRenderer.hpp"
#include "platform/uikit/UIImage.hpp"

#include "bench/RatioReporter.hpp"

#include <cstdio>
#include <string>
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

void BM_CopyPngBytes(benchmark::State& state) {
    for (auto _ : state) {
        foundation::Data copy = logoPng();
        benchmark::DoNotOptimize(copy.data());
    }
}
BENCHMARK(BM_CopyPngBytes);

void BM_TitleWidth(benchmark::State& state) {
    const uikit::UIFont font = uikit::UIFont::systemFont(16, uikit::UIFontWeight::semibold);
    for (auto _ : state) {
        benchmark::DoNotOptimize(uikit::sizeWithFont("Continue with VY ID", font));
    }
}
BENCHMARK(BM_TitleWidth);

void BM_SystemFontLookup(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(uikit::UIFont::systemFont(14, uikit::UIFontWeight::medium));
    }
}
BENCHMARK(BM_SystemFontLookup);

void BM_WrappedParagraph(benchmark::State& state) {
    const uikit::UIFont font = uikit::UIFont::systemFont(14);
    const std::string text = "This is a secure way to log in with a VY Bank account: the app will not get access to "
                             "your bank, and nothing is shared without your consent.";
    for (auto _ : state) {
        benchmark::DoNotOptimize(uikit::layoutText(text, font, 280, 3));
    }
}
BENCHMARK(BM_WrappedParagraph);

void BM_DecodePng64(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(CGImage::decode(logoPng()));
    }
}
BENCHMARK(BM_DecodePng64);

void BM_DecodeJpeg64(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(CGImage::decode(logoJpeg()));
    }
}
BENCHMARK(BM_DecodeJpeg64);

void BM_RedrawLogoAtButtonSize(benchmark::State& state) {
    const auto logo = uikit::UIImage::fromData(logoPng(), 1);
    const uikit::UIGraphicsImageRenderer renderer({16, 16}, {3, false});
    for (auto _ : state) {
        benchmark::DoNotOptimize(renderer.image([&](uikit::UIGraphicsImageRendererContext&) { logo->draw({0, 0, 16, 16}); }));
    }
}
BENCHMARK(BM_RedrawLogoAtButtonSize);

} // namespace

int main(int argc, char** argv) { return vyd::bench::runWithRatios(argc, argv, "BM_CopyPngBytes"); }
