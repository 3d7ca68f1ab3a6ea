#include "platform/coregraphics/CGFontLibrary.hpp"
#include "platform/foundation/OSLog.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

using namespace coregraphics;
namespace fs = std::filesystem;

namespace {

const fs::path interFolder = "/usr/share/fonts/opentype/inter";

class FontLibraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("vyd-fonts-" + std::to_string(std::random_device{}()));
        fs::create_directories(folder);
        fs::copy_file(interFolder / "Inter-Regular.otf", folder / "Inter-Regular.otf");
        std::ofstream(folder / "Inter-Bold.otf") << "this is not a font";
        std::ofstream(folder / "Inter-Medium.otf").write("OTTO\0\x0b\0\x80", 8); // a header and nothing else
        foundation::clearRecordedLogs();
    }
    void TearDown() override { fs::remove_all(folder); }

    static std::size_t logsMentioning(const std::string& text) {
        std::size_t count = 0;
        for (const auto& entry : foundation::recordedLogs()) {
            count += entry.category == "fonts" && entry.message.find(text) != std::string::npos;
        }
        return count;
    }

    fs::path folder;
};

TEST_F(FontLibraryTest, LoadsFacesByPostScriptNameOnce) {
    CGFontLibrary library(folder.string());
    const auto regular = library.font("Inter-Regular");
    ASSERT_NE(regular, nullptr);
    EXPECT_EQ(regular->postScriptName(), "Inter-Regular");
    EXPECT_GT(regular->ascent(), 0);
    EXPECT_LT(regular->descent(), 0);
    EXPECT_EQ(library.font("Inter-Regular"), regular) << "the face is cached";
}

TEST_F(FontLibraryTest, UnreadableFacesFallBackAndSaySoOncePerName) {
    CGFontLibrary library(folder.string());
    EXPECT_EQ(library.font("Inter-Bold"), nullptr);
    EXPECT_EQ(library.font("Inter-Medium"), nullptr) << "a truncated font file is no font";

    const auto regular = library.font("Inter-Regular");
    for (int twice = 0; twice < 2; ++twice)
        EXPECT_EQ(library.font("Inter-Bold", "Inter-Regular"), regular);
    EXPECT_EQ(library.font("Inter-Medium", "Inter-Regular"), regular);
    EXPECT_EQ(logsMentioning("\"Inter-Bold\""), 1u);
    EXPECT_EQ(logsMentioning("\"Inter-Medium\""), 1u);

    EXPECT_EQ(library.font("Missing", "AlsoMissing"), nullptr);
    EXPECT_EQ(logsMentioning("estimated metrics"), 1u);
}

TEST_F(FontLibraryTest, NamesCannotReachOutsideTheFolder) {
    fs::create_directories(folder / "sub");
    fs::copy_file(interFolder / "Inter-Light.otf", folder / "sub" / "Inter-Light.otf");
    CGFontLibrary library((folder / "sub" / "deeper").string());
    fs::create_directories(folder / "sub" / "deeper");
    EXPECT_EQ(library.font("../Inter-Light"), nullptr);
    EXPECT_EQ(library.font(".hidden"), nullptr);
    EXPECT_EQ(library.font(""), nullptr);
}

TEST(CGFont, ShapedAdvancesFollowTheTextInOrder) {
    const auto face = CGFont::load((interFolder / "Inter-Regular.otf").string());
    ASSERT_NE(face, nullptr);
    EXPECT_TRUE(face->clusterAdvances("")->empty());
    const auto& clusters = *face->clusterAdvances("a\xC3\xA9z"); // a, é (two bytes), z
    ASSERT_EQ(clusters.size(), 3u);
    EXPECT_EQ(clusters[0].offset, 0u);
    EXPECT_EQ(clusters[1].offset, 1u);
    EXPECT_EQ(clusters[2].offset, 3u);
    for (const auto& cluster : clusters) {
        EXPECT_GT(cluster.advance, 0);
    }
    EXPECT_GT(face->advanceWidth("\xFF\xFE"), 0) << "invalid UTF-8 still measures";
    EXPECT_EQ(CGFont::load("/nonexistent/font.otf"), nullptr);
}

} // namespace
