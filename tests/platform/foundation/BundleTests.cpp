#include "platform/foundation/Bundle.hpp"
#include "platform/foundation/Date.hpp"
#include "platform/foundation/OSLog.hpp"
#include "platform/foundation/UUID.hpp"

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

TEST_F(BundleTest, ShortVersionFromInfo) {
    write("Info.json", R"({"CFBundleShortVersionString": "3.1.4", "CFBundleVersion": 12})");
    auto b = bundle();
    EXPECT_EQ(b->shortVersion(), "3.1.4");
    EXPECT_FALSE(b->infoString("CFBundleVersion")); // not a string
    EXPECT_FALSE(b->infoString("Missing"));
}

TEST_F(BundleTest, ShortVersionAbsentWhenInfoIsMissingOrBroken) {
    EXPECT_FALSE(bundle()->shortVersion());
    for (const char* info : {"{not json", "[\"3.1.4\"]", "{\"CFBundleShortVersionString\": null}", ""}) {
        write("Info.json", info);
        EXPECT_FALSE(bundle()->shortVersion()) << info;
    }
}

TEST_F(BundleTest, LocalizedStringFromTableWithFallbacks) {
    write("Localizable.strings", "/* texts */\n\"ui.common.done\" = \"Done!\";\n\"empty\" = \"\";\n");
    write("Other.strings", "\"k\" = \"other\";");
    write("Broken.strings", "\"k\" = \"never terminated;");
    auto b = bundle();
    EXPECT_EQ(b->localizedString("ui.common.done", "Done"), "Done!");
    EXPECT_EQ(b->localizedString("empty", "fallback"), ""); // present, even if empty
    EXPECT_EQ(b->localizedString("absent", "fallback"), "fallback");
    EXPECT_EQ(b->localizedString("absent"), "absent"); // no value: the key, as on the platform
    EXPECT_EQ(b->localizedString("k", "v", "Other"), "other");
    EXPECT_EQ(b->localizedString("k", "v", "Broken"), "v");
    EXPECT_EQ(b->localizedString("k", "v", "Missing"), "v");
    EXPECT_EQ(b->localizedString("k", "v", "../Localizable"), "v"); // never leaves the bundle
}

TEST_F(BundleTest, TableIsParsedOnceAndCached) {
    write("Localizable.strings", "\"k\" = \"first\";");
    auto b = bundle();
    EXPECT_EQ(b->localizedString("k", "fallback"), "first");
    write("Localizable.strings", "\"k\" = \"second\";");
    EXPECT_EQ(b->localizedString("k", "fallback"), "first");
    fs::remove(dir / "Localizable.strings");
    EXPECT_EQ(b->localizedString("k", "fallback"), "first");
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

TEST_F(BundleTest, ResourcesAndScaleVariants) {
    write("spinner.png", "one");
    write("spinner@2x.png", "two");
    write("spinner@3x.png", "three");
    write("retina@2x.png", "only two");
    write("notes", "plain");
    auto b = bundle();

    EXPECT_EQ(b->pathForResource("spinner", "png"), (dir / "spinner.png").string());
    EXPECT_EQ(b->pathForResource("retina", "png"), (dir / "retina@2x.png").string());
    EXPECT_EQ(b->pathForResource("notes", ""), (dir / "notes").string());
    EXPECT_FALSE(b->pathForResource("absent", "png"));
    EXPECT_FALSE(b->pathForResource("spinner", "jpg"));
    EXPECT_FALSE(b->pathForResource("../" + dir.filename().string() + "/spinner", "png"));

    auto data = b->contentsOfResource("spinner", "png");
    ASSERT_TRUE(data);
    EXPECT_EQ(stringFromData(*data), "one");
    EXPECT_FALSE(b->contentsOfResource("absent", "png"));

    auto best = b->imageResource("spinner", "png", 3);
    ASSERT_TRUE(best);
    EXPECT_EQ(best->scale, 3);
    EXPECT_EQ(best->path, (dir / "spinner@3x.png").string());
    EXPECT_EQ(b->imageResource("spinner", "png", 1)->scale, 1);
    EXPECT_EQ(b->imageResource("retina", "png", 3)->scale, 2); // next lower when the larger is missing
    EXPECT_EQ(b->imageResource("retina", "png", 1)->scale, 2); // larger before nothing
    EXPECT_FALSE(b->imageResource("absent"));
}

TEST(UUIDTest, RandomVersion4InPlatformFormat) {
    std::set<std::string> seen;
    for (int i = 0; i < 100; ++i) {
        UUID uuid;
        std::string s = uuid.uuidString();
        ASSERT_EQ(s.size(), 36u);
        EXPECT_EQ(s[8], '-');
        EXPECT_EQ(s[13], '-');
        EXPECT_EQ(s[18], '-');
        EXPECT_EQ(s[23], '-');
        EXPECT_EQ(s[14], '4');                                   // version
        EXPECT_NE(std::string("89AB").find(s[19]), std::string::npos); // variant
        for (char c : s)
            EXPECT_TRUE(c == '-' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F')) << s;
        seen.insert(s);
    }
    EXPECT_EQ(seen.size(), 100u);
}

TEST(UUIDTest, ParsesItsOwnStringAndRefusesOthers) {
    UUID uuid;
    auto parsed = UUID::fromString(uuid.uuidString());
    ASSERT_TRUE(parsed);
    EXPECT_EQ(*parsed, uuid);
    EXPECT_EQ(UUID::fromString("e621e1f8-c36c-495a-93fc-0c247a3e6e5f")->uuidString(),
              "E621E1F8-C36C-495A-93FC-0C247A3E6E5F");
    for (const char* bad : {"", "E621E1F8C36C495A93FC0C247A3E6E5F", "E621E1F8-C36C-495A-93FC-0C247A3E6E5",
                            "E621E1F8-C36C-495A-93FC-0C247A3E6E5FF", "G621E1F8-C36C-495A-93FC-0C247A3E6E5F",
                            "E621E1F-8C36C-495A-93FC-0C247A3E6E5F"})
        EXPECT_FALSE(UUID::fromString(bad)) << bad;
}

TEST(DateTest, ArithmeticAndOrdering) {
    Date a(1000);
    Date b = a + 60;
    EXPECT_EQ(b.timeIntervalSince1970(), 1060);
    EXPECT_EQ(b - a, 60);
    EXPECT_EQ((b - 30).timeIntervalSince(a), 30);
    EXPECT_LT(a, b);
    EXPECT_EQ(a.addingTimeInterval(60), b);
    Date now = Date::now();
    EXPECT_GT(now.timeIntervalSince1970(), 1.6e9); // wall-clock seconds since 1970
    EXPECT_LE(now, Date::now());
}

TEST(OSLogTest, RecordsWithoutPrintingAndKeepsTheLatest) {
    clearRecordedLogs();
    testing::internal::CaptureStdout();
    osLog("SlidePanel", "layout is ambiguous", OSLogType::Error);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    auto logs = recordedLogs();
    ASSERT_EQ(logs.size(), 1u);
    EXPECT_EQ(logs[0].category, "SlidePanel");
    EXPECT_EQ(logs[0].message, "layout is ambiguous");
    EXPECT_EQ(logs[0].type, OSLogType::Error);

    for (std::size_t i = 0; i < recordedLogCapacity + 5; ++i)
        osLog("Fonts", std::to_string(i));
    logs = recordedLogs();
    ASSERT_EQ(logs.size(), recordedLogCapacity);
    EXPECT_EQ(logs.back().message, std::to_string(recordedLogCapacity + 4));
    clearRecordedLogs();
    EXPECT_TRUE(recordedLogs().empty());
}

} // namespace
