#include "sdk/services/FileService.hpp"
#include "sdk/services/ImageCache.hpp"

#include "platform/uikit/UIGraphicsImageRenderer.hpp"
#include "platform/uikit/UIImage.hpp"
#include "support/sdk/TemporaryBundle.hpp"

#include <gtest/gtest.h>

#include <fstream>

namespace {

std::shared_ptr<uikit::UIImage> imageOfSize(double width, double height) {
    auto logo = uikit::UIImage::fromData(foundation::dataFromString(vydtest::sourceBundleFile("vy_logo.png")));
    EXPECT_NE(logo, nullptr);
    uikit::UIGraphicsImageRenderer renderer({width, height});
    return renderer.image([&](uikit::UIGraphicsImageRendererContext&) { logo->draw({{0, 0}, {width, height}}); });
}

class FileServiceTest : public ::testing::Test {
protected:
    vydtest::TemporaryBundle temporary;
    const std::filesystem::path& folder = temporary.path();
};

} // namespace

TEST(ImageCacheTest, KeepsImagesByKeyAndForgetsOnANullImage) {
    vyd::ImageCache cache;
    const auto image = imageOfSize(4, 3);
    EXPECT_EQ(cache.image("https://cdn.vybank.example/a.png"), nullptr);
    cache.setImage(image, "https://cdn.vybank.example/a.png");
    EXPECT_EQ(cache.image("https://cdn.vybank.example/a.png"), image);
    EXPECT_EQ(cache.image("https://cdn.vybank.example/A.png"), nullptr);
    cache.setImage(nullptr, "https://cdn.vybank.example/a.png");
    EXPECT_EQ(cache.image("https://cdn.vybank.example/a.png"), nullptr);
    EXPECT_EQ(cache.count(), 0u);
}

TEST_F(FileServiceTest, SavedImageComesBackFromAFileNamedByTheKeysHash) {
    vyd::FileService files(folder / "images");
    const auto image = imageOfSize(5, 7);
    const std::string key = "https://cdn.vybank.example/logo.png?size=../../etc/passwd";
    ASSERT_TRUE(files.saveImage(image, key));
    const auto file = files.fileFor(key);
    EXPECT_EQ(file.parent_path(), folder / "images");
    EXPECT_EQ(file.filename().string().size(), 64u + 4u);
    EXPECT_TRUE(std::filesystem::exists(file));

    const auto loaded = files.loadImage(key);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->cgImage()->width(), image->cgImage()->width());
    EXPECT_EQ(loaded->cgImage()->height(), image->cgImage()->height());
    EXPECT_EQ(loaded->pngData(), image->pngData());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder / "images"), {}), 1)
        << "no temporary file is left behind";
}

TEST_F(FileServiceTest, MissingOrDamagedFileGivesNoImage) {
    vyd::FileService files(folder);
    EXPECT_EQ(files.loadImage("never saved"), nullptr);
    std::ofstream(files.fileFor("damaged"), std::ios::binary) << "\x89PNG\r\n\x1a\n truncated";
    EXPECT_EQ(files.loadImage("damaged"), nullptr);
    EXPECT_FALSE(files.saveImage(nullptr, "nothing"));
}

TEST_F(FileServiceTest, UnwritableDirectoryFailsCleanly) {
    std::ofstream(folder / "file") << "a file where the directory should be";
    vyd::FileService files(folder / "file" / "images");
    EXPECT_FALSE(files.saveImage(imageOfSize(1, 1), "key"));
    EXPECT_EQ(files.loadImage("key"), nullptr);
}
