// What a host app pays for giving its colours as hex text, against the plain way of the same
// job: parsing against reading the six digits with std::from_chars and making the colour from
// the numbers, and writing a colour back as text against formatting its numbers with snprintf.
#include "bench/RatioReporter.hpp"
#include "sdk/uikit/HexColor.hpp"

#include <charconv>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const std::string plainHex = "#AABBCC";

void BM_FromHex_Baseline_FromChars(benchmark::State& state) {
    for (auto _ : state) {
        unsigned value = 0;
        std::from_chars(plainHex.data() + 1, plainHex.data() + plainHex.size(), value, 16);
        benchmark::DoNotOptimize(vyd::rgb((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF));
    }
}

void BM_FromHex_ColorFromHex(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(vyd::colorFromHex(plainHex));
    }
}

// Spaces around, alpha first, the short form and text that is no colour, in turn.
void BM_FromHex_ColorFromHexOfEveryForm(benchmark::State& state) {
    static const std::vector<std::string> texts{"#AABBCC", "  #00ff00  ", "80FF0000", "abc", "GGGGGG"};
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(vyd::colorFromHex(texts[i++ % texts.size()]));
    }
}

// Text outside ASCII takes the full Unicode path (trimming, case mapping, grapheme count).
void BM_FromHex_ColorFromHexUnicode(benchmark::State& state) {
    const std::string text = "\xC2\xA0#ab\xC3\xA9\xC2\xA0";
    for (auto _ : state) {
        benchmark::DoNotOptimize(vyd::colorFromHex(text));
    }
}

void BM_ToHex_Baseline_Snprintf(benchmark::State& state) {
    const int red = 18, green = 52, blue = 86;
    for (auto _ : state) {
        char text[8];
        std::snprintf(text, sizeof text, "#%02X%02X%02X", red, green, blue);
        benchmark::DoNotOptimize(std::string(text));
    }
}

void BM_ToHex_ToHex(benchmark::State& state) {
    const vyd::UIColor color = vyd::rgb(18, 52, 86);
    for (auto _ : state) {
        benchmark::DoNotOptimize(vyd::toHex(color));
    }
}

BENCHMARK(BM_FromHex_Baseline_FromChars);
BENCHMARK(BM_FromHex_ColorFromHex);
BENCHMARK(BM_FromHex_ColorFromHexOfEveryForm);
BENCHMARK(BM_FromHex_ColorFromHexUnicode);
BENCHMARK(BM_ToHex_Baseline_Snprintf);
BENCHMARK(BM_ToHex_ToHex);

} // namespace

int main(int argc, char** argv) { return vyd::bench::runWithRatios(argc, argv); }
