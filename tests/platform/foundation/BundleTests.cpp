#include "platform/foundation/Bundle.hpp"
#include "platform/foundation/Date.hpp"
#include "platform/foundation/OSLog.hpp"
#include "platform/foundation/UUID.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <set>
#include <thread>
#include <vector>

using namespace foundation;
namespace fs = std::filesystem;

namespace {

class BundleTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("vyd-bundle-" + UUID().uuidString());
        fs::create_directories(dir);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    void write(const std::string& name, const std::string& content) {
        std::ofstream(dir / name, std::ios::binary) << content;
    }
    std::shared_ptr<Bundle> bundle() {
        auto b = Bundle::make(dir.string());
        EXPECT_TRUE(b);
        return b;
    }

    fs::path dir;
};

TEST_F(BundleTest, MissingFolderGivesNoBundle) {
    EXPECT_FALSE(Bundle::make((dir / "absent").string()));
    EXPECT_FALSE(Bundle::make(""));
    write("file", "x");
    EXPECT_FALSE(Bundle::make((dir / "file").string()));
    EXPECT_EQ(bundle()->bundlePath(), dir.string());
}

TEST_F(BundleTest, ShortVersionIsTheInfosStringAndAbsentOtherwise) {
    EXPECT_FALSE(bundle()->shortVersion()) << "no Info.json";
    for (const char* info : {R"({"CFBundleShortVersionString": 314})", R"({"CFBundleShortVersionString": null})",
                             "{not json", "[\"3.1.4\"]", ""}) {
        write("Info.json", info);
        EXPECT_FALSE(bundle()->shortVersion()) << info;
    }
    write("Info.json", R"({"CFBundleShortVersionString": "3.1.4", "CFBundleVersion": 12})");
    EXPECT_EQ(bundle()->shortVersion(), "3.1.4");
}

TEST_F(BundleTest, LocalizedStringFromTableWithFallbacks) {
    write("Localizable.strings", "\"empty\" = \"\";\n");
    write("Other.strings", "\"k\" = \"other\";");
    auto b = bundle();
    EXPECT_EQ(b->localizedString("empty", "fallback"), ""); // present, even if empty
    EXPECT_EQ(b->localizedString("absent"), "absent");      // no value: the key, as on the platform
    EXPECT_EQ(b->localizedString("k", "v", "Other"), "other");
    EXPECT_EQ(b->localizedString("k", "v", "../Localizable"), "v"); // never leaves the bundle
}

TEST_F(BundleTest, ConcurrentLookupsAgree) {
    std::string table;
    for (int i = 0; i < 200; ++i)
        table += "\"key" + std::to_string(i) + "\" = \"value" + std::to_string(i) + "\";\n";
    write("Localizable.strings", table);
    auto b = bundle();
    std::atomic<int> wrong{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < 200; ++i) {
                int k = (i + t * 50) % 200;
                if (b->localizedString("key" + std::to_string(k), "x") != "value" + std::to_string(k))
                    ++wrong;
            }
        });
    for (auto& th : threads)
        th.join();
    EXPECT_EQ(wrong.load(), 0);
}

TEST(UUIDTest, RandomVersion4InPlatformFormat) {
    std::set<std::string> seen;
    for (int i = 0; i < 100; ++i) {
        std::string s = UUID().uuidString();
        EXPECT_THAT(s, testing::MatchesRegex("[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}"));
        seen.insert(s);
    }
    EXPECT_EQ(seen.size(), 100u);
}

TEST(OSLogTest, RecordsWithoutPrintingAndKeepsTheLatest) {
    clearRecordedLogs();
    testing::internal::CaptureStdout();
    osLog("SlidePanel", "layout is ambiguous", OSLogType::Error);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    for (std::size_t i = 0; i < recordedLogCapacity + 5; ++i)
        osLog("Fonts", std::to_string(i));
    auto logs = recordedLogs();
    ASSERT_EQ(logs.size(), recordedLogCapacity);
    EXPECT_EQ(logs.back().message, std::to_string(recordedLogCapacity + 4));
}

} // namespace
