#include "sdk/services/FileService.hpp"
#include "sdk/services/ImageCache.hpp"

#include "platform/uikit/UIImage.hpp"
#include "support/sdk/TemporaryBundle.hpp"

#include <gtest/gtest.h>

#include <fstream>

namespace {

std::shared_ptr<uikit::UIImage> logo() {
    return uikit::UIImage::fromData(foundation::dataFromString(vydtest::sourceBundleFile("vy_logo.png")));
}

} // namespace

TEST(ImageCacheTest, KeepsImagesByExactKeyAndForgetsOnANullImage) {
    vyd::ImageCache cache;
    const auto image = logo();
    cache.setImage(image, "https://cdn.vybank.example/a.png");
    EXPECT_EQ(cache.image("https://cdn.vybank.example/a.png"), image);
    EXPECT_EQ(cache.image("https://cdn.vybank.example/A.png"), nullptr);
    cache.setImage(nullptr, "https://cdn.vybank.example/a.png");
    EXPECT_EQ(cache.image("https://cdn.vybank.example/a.png"), nullptr);
}

TEST(FileServiceTest, SavedImageComesBackFromAFileNamedByTheKeysHashAndBrokenFilesGiveNone) {
    const vydtest::TemporaryBundle temporary;
    vyd::FileService files(temporary.path() / "images");
    const auto image = logo();
    const std::string key = "https://cdn.vybank.example/logo.png?size=../../etc/passwd";
    ASSERT_TRUE(files.saveImage(image, key));
    const auto file = files.fileFor(key);
    EXPECT_EQ(file.parent_path(), temporary.path() / "images");
    EXPECT_EQ(file.filename().string().size(), 64u + 4u);

    const auto loaded = files.loadImage(key);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->pngData(), image->pngData());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(temporary.path() / "images"), {}), 1)
        << "no temporary file is left behind";

    // Missing, damaged or unwritable files give no image and no crash.
    EXPECT_EQ(files.loadImage("never saved"), nullptr);
    std::ofstream(files.fileFor("damaged"), std::ios::binary) << "\x89PNG\r\n\x1a\n truncated";
    EXPECT_EQ(files.loadImage("damaged"), nullptr);
    EXPECT_FALSE(files.saveImage(nullptr, "nothing"));

    std::ofstream(temporary.path() / "file") << "a file where the directory should be";
    vyd::FileService blocked(temporary.path() / "file" / "images");
    EXPECT_FALSE(blocked.saveImage(logo(), "key"));
    EXPECT_EQ(blocked.loadImage("key"), nullptr);
}
