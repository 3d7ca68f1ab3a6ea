#include "UIKitTestSupport.hpp"

#include "platform/foundation/Bundle.hpp"
#include "platform/uikit/UIGraphicsImageRenderer.hpp"
#include "platform/uikit/UIImage.hpp"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <random>
#include <tuple>
#include <utility>

using coregraphics::CGImage;
using coregraphics::CGRGBA;
using namespace uikittests;
namespace fs = std::filesystem;

namespace {

foundation::Data solidPng(std::size_t width, std::size_t height, CGRGBA colour) {
    return CGImage::make(width, height, std::vector<CGRGBA>(width * height, colour))->pngData();
}

void writeFile(const fs::path& path, const foundation::Data& data) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
}

using ImageTest = UIKitTest;

TEST_F(ImageTest, SizeIsPixelsDividedByScale) {
    const auto image = UIImage::fromData(solidPng(30, 12, {1, 2, 3, 255}), 3);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->size(), (CGSize{10, 4}));
    EXPECT_EQ(UIImage::fromData(solidPng(8, 8, {}), std::nan(""))->scale(), 1) << "a meaningless scale counts as 1";
    EXPECT_EQ(UIImage::fromData(foundation::dataFromString("GIF89a...")), nullptr);
    EXPECT_EQ(UIImage::fromData({}), nullptr);
}

class NamedImageTest : public ImageTest {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("vyd-bundle-" + std::to_string(std::random_device{}()));
        fs::create_directories(folder);
        writeFile(folder / "logo.png", solidPng(10, 10, {255, 0, 0, 255}));
        writeFile(folder / "logo@2x.png", solidPng(20, 20, {0, 255, 0, 255}));
        writeFile(folder / "logo@3x.png", solidPng(30, 30, {0, 0, 255, 255}));
        writeFile(folder / "retina@2x.png", solidPng(8, 4, {0, 0, 0, 255}));
        writeFile(folder / "photo.jpg", CGImage::make(6, 6, std::vector<CGRGBA>(36, {50, 50, 50, 255}))->jpegData(0.8));
        writeFile(folder / "broken.png", foundation::dataFromString("\x89PNG\r\n\x1a\nnot really"));
        bundle = foundation::Bundle::make(folder.string());
        ASSERT_NE(bundle, nullptr);
    }
    void TearDown() override {
        ImageTest::TearDown();
        fs::remove_all(folder);
    }

    fs::path folder;
    std::shared_ptr<foundation::Bundle> bundle;
};

TEST_F(NamedImageTest, PicksTheVariantForTheDisplayScale) {
    // Every variant is the same size in points; each is decoded once, then shared.
    for (const auto& [scale, colour] :
         {std::pair<CGFloat, CGRGBA>{3, {0, 0, 255, 255}}, {2, {0, 255, 0, 255}}, {1, {255, 0, 0, 255}}}) {
        const auto image = UIImage::named("logo", bundle, UITraitCollection::withDisplayScale(scale));
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(std::tuple(image->scale(), image->size(), image->cgImage()->pixel(0, 0),
                             UIImage::named("logo", bundle, UITraitCollection::withDisplayScale(scale))),
                  std::tuple(scale, CGSize{10, 10}, colour, image));
    }
    UITraitCollection::setCurrent(UITraitCollection::withDisplayScale(2));
    EXPECT_EQ(UIImage::named("logo", bundle)->scale(), 2) << "without traits the current ones count";

    for (const CGFloat displayScale : {3.0, 1.0}) { // the next lower variant, else the next higher
        const auto onlyRetina = UIImage::named("retina", bundle, UITraitCollection::withDisplayScale(displayScale));
        ASSERT_NE(onlyRetina, nullptr);
        EXPECT_EQ(onlyRetina->size(), (CGSize{4, 2}));
    }
    ASSERT_NE(UIImage::named("photo", bundle), nullptr) << "JPEG too";
}

TEST_F(NamedImageTest, MissingBrokenOrOutsideGivesNoImage) {
    EXPECT_EQ(UIImage::named("absent", bundle), nullptr);
    EXPECT_EQ(UIImage::named("broken", bundle), nullptr);
    EXPECT_EQ(UIImage::named("../logo", bundle), nullptr);
    EXPECT_EQ(UIImage::named("logo", nullptr), nullptr);
}

TEST_F(ImageTest, ImageContextFunctionsPairBeginAndEnd) {
    const auto logo = UIImage::fromData(solidPng(10, 10, {255, 255, 255, 255}), 1);
    UIGraphicsBeginImageContextWithOptions({8, 4}, false, 1);
    logo->draw({0, 0, 8, 4});
    const auto scaled = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    ASSERT_NE(scaled, nullptr);
    EXPECT_EQ(scaled->cgImage()->pixel(7, 3), (CGRGBA{255, 255, 255, 255}));

    // A begin that cannot make a context still pairs with its end.
    UIGraphicsBeginImageContextWithOptions({4, 4}, false, 1);
    UIGraphicsBeginImageContextWithOptions({0, 0}, false, 1);
    EXPECT_EQ(UIGraphicsGetImageFromCurrentImageContext(), nullptr);
    logo->draw({0, 0, 4, 4}); // nowhere to draw: nothing happens
    UIGraphicsEndImageContext();
    EXPECT_NE(UIGraphicsGetImageFromCurrentImageContext(), nullptr) << "the outer context is current again";
    UIGraphicsEndImageContext();
    UIGraphicsEndImageContext(); // one end too many does nothing
    EXPECT_EQ(UIGraphicsGetCurrentContext(), nullptr);

    // A begin left open inside a renderer's actions ends with the renderer.
    UIGraphicsImageRenderer({2, 2}, {1, false}).image([](UIGraphicsImageRendererContext&) {
        UIGraphicsBeginImageContextWithOptions({3, 3}, false, 1);
    });
    EXPECT_EQ(UIGraphicsGetCurrentContext(), nullptr);
}

TEST_F(ImageTest, DecodesAndDrawsOnWorkerThreads) {
    const foundation::Data png = solidPng(32, 32, {10, 20, 30, 255});
    std::vector<std::future<bool>> results;
    for (int i = 0; i < 4; ++i) {
        results.push_back(std::async(std::launch::async, [&png, i] {
            const auto image = UIImage::fromData(png, 2);
            UIGraphicsBeginImageContextWithOptions({8.0 + i, 8}, false, 1);
            image->draw({0, 0, 8.0 + i, 8});
            const auto drawn = UIGraphicsGetImageFromCurrentImageContext();
            UIGraphicsEndImageContext();
            return drawn && drawn->cgImage()->width() == static_cast<std::size_t>(8 + i) &&
                   drawn->cgImage()->pixel(3, 3) == CGRGBA{10, 20, 30, 255};
        }));
    }
    for (auto& result : results) {
        ASSERT_EQ(result.wait_for(std::chrono::seconds(30)), std::future_status::ready);
        EXPECT_TRUE(result.get());
    }
}

} // namespace
