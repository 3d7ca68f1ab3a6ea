#include "sdk/catalogue/ImageAsset.hpp"
#include "sdk/catalogue/SdkBundle.hpp"

#include <gtest/gtest.h>

namespace {

struct ExpectedSize {
    std::string_view name;
    double width;
    double height;
};

// Points, whatever the screen scale: icons are 24 pt, the logo 48 pt, the sheet's top area
// 375 x 200 pt.
constexpr ExpectedSize kSizes[] = {
    {"spinner", 24, 24},
    {"web_spinner", 24, 24},
    {"ds_ic_24_cross_small", 24, 24},
    {"ds_ic_24_chevron_left_alt1", 24, 24},
    {"web_ds_ic_24_cross_small", 24, 24},
    {"gradient_background", 375, 200},
    {"vy_logo", 48, 48},
    {"logo_green", 24, 24},
    {"logo_white", 24, 24},
    {"chevron_backward", 24, 24},
};

} // namespace

TEST(ImageAssetTest, EveryNamedImageLoadsAtItsPointSize) {
    ASSERT_NE(vyd::sdkBundle(), nullptr) << vyd::sdkBundlePath();
    std::size_t accessors = 0;
    for (const auto& expected : kSizes) {
        SCOPED_TRACE(std::string(expected.name));
        std::shared_ptr<uikit::UIImage> image;
        for (const auto* asset : vyd::Asset::all) {
            if (asset->name == expected.name) {
                image = asset->image();
                ++accessors;
            }
        }
        if (!image) {
            image = uikit::UIImage::named(std::string(expected.name), vyd::sdkBundle());
        }
        ASSERT_NE(image, nullptr);
        EXPECT_DOUBLE_EQ(image->size().width, expected.width);
        EXPECT_DOUBLE_EQ(image->size().height, expected.height);
        // Every scale is in the bundle, so no screen gets a blurred image.
        for (const char* suffix : {"", "@2x", "@3x"}) {
            EXPECT_TRUE(vyd::sdkBundle()->pathForResource(std::string(expected.name) + suffix, "png").has_value())
                << suffix;
        }
    }
    EXPECT_EQ(accessors, vyd::Asset::all.size());
}

TEST(ImageAssetDeathTest, MissingImageStopsWithItsName) {
    EXPECT_DEATH(vyd::ImageAsset{"no_such_image"}.image(), "Unable to load image asset named no_such_image\\.");
}
