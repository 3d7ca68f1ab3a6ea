// Guards the SDK bundle in the source tree against hand edits: every catalogue entry is in the
// table, scrambled values unscramble, formatted values keep their placeholders.
#include "sdk/catalogue/L10n.hpp"
#include "sdk/catalogue/Scrambling.hpp"
#include "sdk/catalogue/SdkBundle.hpp"

#include "platform/foundation/StringsTable.hpp"
#include "support/sdk/TemporaryBundle.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

namespace {

std::map<std::string, std::string> sourceTable() {
    std::ifstream in(vydtest::sourceBundlePath() / "Localizable.strings", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    auto table = foundation::parseStringsTable(text.str());
    if (!table) {
        ADD_FAILURE() << "Localizable.strings is missing or does not parse";
        return {};
    }
    return *table;
}

// "%@" placeholders; "%%" is a literal percent sign.
int placeholders(std::string_view text) {
    int count = 0;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '%') {
            count += text[i + 1] == '@';
            ++i;
        }
    }
    return count;
}

} // namespace

TEST(BundleTableTest, EveryCatalogueKeyIsInTheTableWithAUsableValueAndTheVersionIsDotted) {
    const auto table = sourceTable();
    std::set<std::string_view> keys;
    for (const auto& entry : vyd::L10n::allEntries()) {
        SCOPED_TRACE(std::string(entry.key));
        EXPECT_TRUE(keys.insert(entry.key).second) << "key listed twice";

        const auto found = table.find(std::string(entry.key));
        ASSERT_NE(found, table.end()) << "missing from Localizable.strings";
        const std::string& value = found->second;
        if (vyd::isScrambledKey(entry.key)) {
            EXPECT_NE(vyd::unscramble(value, entry.key), "") << "table value does not unscramble: " << value;
            EXPECT_NE(vyd::unscramble(entry.fallback, entry.key), "") << "fallback does not unscramble";
        } else {
            EXPECT_FALSE(value.empty());
            EXPECT_EQ(placeholders(value), entry.arguments) << "placeholders of the table value: " << value;
            EXPECT_EQ(placeholders(entry.fallback), entry.arguments) << "placeholders of the fallback";
        }
    }
    EXPECT_EQ(table.size(), keys.size()) << "the table has keys the catalogue does not know";

    // The bundle has a dotted version.
    // ctest points VYD_BUNDLE_PATH at the source tree's bundle; so does the build's default.
    const std::string version = vyd::curentSdkVersion();
    EXPECT_THAT(version, testing::MatchesRegex(R"([0-9]+\.[0-9]+\.[0-9]+)"));
}
