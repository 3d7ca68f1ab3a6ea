// What a host app pays for giving its colours as hex text: parsing against making the same
// colour from numbers, and writing a colour back as text.
#include "bench/RatioReporter.hpp"
#include "sdk/uikit/HexColor.hpp"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

const std::vector<std::string>& samples() {
    static const std::vector<std::string> texts{"#AABBCC", "  #00ff00  ", "80FF0000", "abc", "GGGGGG"};
    return texts;
}

void BM_RgbBaseline(benchmark::State& state) {
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(vyd::rgb(170, 187, static_cast<vyd::CGFloat>(i++ & 0xFF)));
    }
}
BENCHMARK(BM_RgbBaseline);

void BM_ColorFromHex(benchmark::State& state) {
    const auto& texts = samples();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(vyd::colorFromHex(texts[i++ % texts.size()]));
    }
}
BENCHMARK(BM_ColorFromHex);

void BM_ColorFromHexUnicode(benchmark::State& state) {
    // Text outside ASCII takes the full Unicode path (trimming, case mapping, grapheme count).
    const std::string text = "\xC2\xA0#ab\xC3\xA9\xC2\xA0";
    for (auto _ : state) {
        benchmark::DoNotOptimize(vyd::colorFromHex(text));
    }
}
BENCHMARK(BM_ColorFromHexUnicode);

void BM_ToHex(benchmark::State& state) {
    const vyd::UIColor color = vyd::rgb(18, 52, 86);
    for (auto _ : state) {
        benchmark::DoNotOptimize(vyd::toHex(color));
    }
}
BENCHMARK(BM_ToHex);

} // namespace

int main(int argc, char** argv) { return vyd::bench::runWithRatios(argc, argv, "BM_RgbBaseline"); }
