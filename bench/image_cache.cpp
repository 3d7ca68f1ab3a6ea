// What an image shown again costs when it is already in memory: a hit of the memory cache, and
// the cacheable load served from it (through the service container, with its completion),
// against a plain hash-map lookup of the same key.
#include "bench/RatioReporter.hpp"
#include "platform/uikit/UIGraphicsImageRenderer.hpp"
#include "sdk/base/DIContainer.hpp"
#include "sdk/services/ImageCache.hpp"
#include "sdk/uikit/ImageLoading.hpp"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <unordered_map>

namespace {

const std::string link = "https://cdn.vy-bank.example/partners/vy-shop/logo@3x.png?version=42";

std::shared_ptr<uikit::UIImage> image() {
    static const auto made =
        uikit::UIGraphicsImageRenderer({8, 8}).image([](uikit::UIGraphicsImageRendererContext&) {});
    return made;
}

void BM_ImageCache_Baseline_HashMapLookup(benchmark::State& state) {
    std::unordered_map<std::string, std::shared_ptr<uikit::UIImage>> map{{link, image()}};
    std::string key = link;
    for (auto _ : state) {
        // The key is hashed on every lookup, as the cache must.
        benchmark::DoNotOptimize(key.data());
        benchmark::ClobberMemory();
        auto found = map.find(key);
        std::shared_ptr<uikit::UIImage> held = found->second;
        benchmark::DoNotOptimize(held);
    }
}
BENCHMARK(BM_ImageCache_Baseline_HashMapLookup);

void BM_ImageCache_MemoryHit(benchmark::State& state) {
    vyd::ImageCache cache;
    cache.setImage(image(), link);
    for (auto _ : state) {
        benchmark::DoNotOptimize(cache.image(link));
    }
}
BENCHMARK(BM_ImageCache_MemoryHit);

void BM_ImageCache_LoadCacheableFromMemory(benchmark::State& state) {
    const auto cache = std::make_shared<vyd::ImageCache>();
    cache->setImage(image(), link);
    vyd::DIContainer::setImageCache(cache);
    const std::optional<std::string> from = link;
    for (auto _ : state) {
        vyd::loadCacheableImage(from, [](std::shared_ptr<uikit::UIImage> loaded) { benchmark::DoNotOptimize(loaded); });
    }
    vyd::DIContainer::setImageCache(nullptr);
}
BENCHMARK(BM_ImageCache_LoadCacheableFromMemory);

} // namespace

int main(int argc, char** argv) { return vyd::bench::runWithRatios(argc, argv); }
