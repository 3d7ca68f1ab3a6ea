#include "platform/coregraphics/CGContext.hpp"

#include "PixelTestSupport.hpp"

#include <gtest/gtest.h>

#include <limits>
#include <tuple>
#include <utility>

using namespace coregraphics;

namespace {

TEST(BitmapContext, SizeInPointsTimesScaleGivesPixels) {
    // Columns: size in points, scale, pixels wide and high.
    const std::tuple<CGSize, CGFloat, std::pair<std::size_t, std::size_t>> cases[] = {
        {{16, 16}, 3, {48, 48}}, {{16.5, 10}, 2, {33, 20}}, {{10, 10}, 0, {10, 10}}, {{0.2, 0.2}, 1, {1, 1}}};
    for (const auto& [size, scale, pixels] : cases) {
        const auto context = CGContext::bitmap(size, scale, false);
        ASSERT_NE(context, nullptr);
        const auto image = context->makeImage();
        EXPECT_EQ(std::pair(image->width(), image->height()), pixels);
    }
    const CGFloat nan = std::numeric_limits<CGFloat>::quiet_NaN();
    const CGFloat inf = std::numeric_limits<CGFloat>::infinity();
    for (const CGSize bad : {CGSize{0, 10}, CGSize{10, -1}, CGSize{nan, 4}, CGSize{inf, 4}, CGSize{100000, 100000}}) {
        EXPECT_EQ(CGContext::bitmap(bad, 1, false), nullptr) << bad.width << " x " << bad.height;
    }
}

TEST(BitmapContext, FillsCompositeSourceOverInPoints) {
    const auto context = CGContext::bitmap({4, 2}, 2, false);
    EXPECT_EQ(context->makeImage()->pixel(0, 0), CGRGBA{}) << "starts transparent";
    context->fill({0, 0, 2, 2}, CGColor::rgb(1, 0, 0, 1));
    context->fill({1, 0, 3, 2}, CGColor::gray(1, 0.5));
    const auto image = context->makeImage();
    expectNear(image->pixel(0, 0), {255, 0, 0, 255});
    expectNear(image->pixel(3, 0), {255, 128, 128, 255}); // half white over red
    expectNear(image->pixel(7, 3), {255, 255, 255, 128}); // half white over nothing

    const auto opaque = CGContext::bitmap({2, 2}, 1, true);
    opaque->fill({0, 0, 1, 1}, CGColor::gray(1, 0.5));
    expectNear(opaque->makeImage()->pixel(0, 0), {128, 128, 128, 255});
    expectNear(opaque->makeImage()->pixel(1, 1), {0, 0, 0, 255});
}

TEST(BitmapContext, DrawsImagesScaledIntoTheRectangle) {
    // 2 x 1: red | blue.
    const auto source = CGImage::make(2, 1, {CGRGBA{255, 0, 0, 255}, CGRGBA{0, 0, 255, 255}});
    const auto context = CGContext::bitmap({20, 10}, 1, false);
    context->draw(*source, {0, 0, 20, 10});
    const auto image = context->makeImage();
    expectNear(image->pixel(0, 0), {255, 0, 0, 255});
    expectNear(image->pixel(19, 9), {0, 0, 255, 255});
    const CGRGBA middle = image->pixel(10, 5);
    EXPECT_GT(middle.red, 60);
    EXPECT_GT(middle.blue, 60) << "bilinear filtering blends at the seam";

    const auto partial = CGContext::bitmap({10, 10}, 1, false);
    partial->draw(*source, {5, 5, 20, 20}); // runs off the bitmap
    EXPECT_EQ(partial->makeImage()->pixel(4, 4), CGRGBA{});
    expectNear(partial->makeImage()->pixel(5, 5), {255, 0, 0, 255});

    const CGFloat nan = std::numeric_limits<CGFloat>::quiet_NaN();
    partial->draw(*source, {nan, 0, 10, 10}); // a meaningless rectangle draws nothing
    partial->fill({0, nan, 10, 10}, CGColor::white());
    EXPECT_EQ(partial->makeImage()->pixel(0, 0), CGRGBA{});
    partial->fill({0, 0, std::numeric_limits<CGFloat>::infinity(), 1}, CGColor::white());
    EXPECT_EQ(partial->makeImage()->pixel(9, 0), (CGRGBA{255, 255, 255, 255})) << "an endless rectangle covers the row";
}

TEST(BitmapContext, TransparentEdgesDoNotDarkenColours) {
    // Premultiplied sampling: a red pixel next to a transparent one stays red, only fainter.
    const auto source = CGImage::make(2, 1, {CGRGBA{255, 0, 0, 255}, CGRGBA{0, 0, 0, 0}});
    const auto context = CGContext::bitmap({4, 1}, 1, false);
    context->draw(*source, {0, 0, 4, 1});
    const CGRGBA blended = context->makeImage()->pixel(2, 0);
    EXPECT_EQ(std::pair(int(blended.red), int(blended.green)), std::pair(255, 0));
    EXPECT_TRUE(blended.alpha > 0 && blended.alpha < 255) << int(blended.alpha);
}

} // namespace
