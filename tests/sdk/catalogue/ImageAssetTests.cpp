#include "sdk/catalogue/ImageAsset.hpp"
#include "sdk/catalogue/SdkBundle.hpp"

#include <gtest/gtest.h>

// Loaded by name elsewhere, so the bundle must carry them beside the accessors' images.
TEST(ImageAssetTest, EveryImageLoadsAtItsPointSizeAndShipsAtEveryScale) {
    ASSERT_NE(vyd::sdkBundle(), nullptr) << vyd::sdkBundlePath();
    std::vector<std::pair<std::string, std::shared_ptr<uikit::UIImage>>> images;
    for (const auto* asset : vyd::Asset::all) {
        images.emplace_back(asset->name, asset->image());
    }
    for (const char* name : {"logo_green", "logo_white", "chevron_backward"}) {
        images.emplace_back(name, uikit::UIImage::named(name, vyd::sdkBundle()));
    }
    for (const auto& [name, image] : images) {
        ASSERT_NE(image, nullptr) << name;
        // Points, whatever the screen scale: the sheet's top area is 375 x 200, the logo 48, icons 24.
        const double width = name == "gradient_background" ? 375 : name == "vy_logo" ? 48 : 24;
        EXPECT_DOUBLE_EQ(image->size().width, width) << name;
        EXPECT_DOUBLE_EQ(image->size().height, name == "gradient_background" ? 200 : width) << name;
        for (const char* suffix : {"", "@2x", "@3x"}) {
            EXPECT_TRUE(vyd::sdkBundle()->pathForResource(name + suffix, "png").has_value()) << name << suffix;
        }
    }
    EXPECT_EQ(images.size(), 10u);
}

TEST(ImageAssetDeathTest, MissingImageStopsWithItsName) {
    EXPECT_DEATH(vyd::ImageAsset{"no_such_image"}.image(), "Unable to load image asset named no_such_image\\.");
}
