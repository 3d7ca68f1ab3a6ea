#include "platform/foundation/StringsTable.hpp"

#include <gtest/gtest.h>

#include <cctype>

using namespace foundation;

namespace {

using Table = std::map<std::string, std::string>;

struct TableCase {
    const char* name;
    std::string text;
    Table expected;
};

class StringsTableParseTest : public ::testing::TestWithParam<TableCase> {};

TEST_P(StringsTableParseTest, Parses) {
    auto table = parseStringsTable(GetParam().text);
    ASSERT_TRUE(table) << GetParam().name;
    EXPECT_EQ(*table, GetParam().expected) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Tables, StringsTableParseTest,
    ::testing::Values(
        TableCase{"empty", "", {}},
        TableCase{"only comments", "/* a */ // b\n  /* c\n d */", {}},
        TableCase{"plain", "\"ui.common.done\" = \"Done\";\n\"a\"=\"b\";", {{"ui.common.done", "Done"}, {"a", "b"}}},
        TableCase{"comments around and between",
                  "/* head */\n\"k\" /* x */ = // y\n \"v\" ; // tail\n\"k2\" = \"/* not a comment */ // nor this\";",
                  {{"k", "v"}, {"k2", "/* not a comment */ // nor this"}}},
        TableCase{"escapes",
                  R"("k" = "q\" b\\ n\n t\t r\r a\' x\z";)",
                  {{"k", "q\" b\\ n\n t\t r\r a' xz"}}},
        TableCase{"unicode escapes", R"("k" = "\U00e9\U20AC\UD83D\UDE00\u0041";)",
                  {{"k", "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80" "A"}}},
        TableCase{"unpaired surrogates become replacement characters", R"("k" = "\UD83Dx\UDE00";)",
                  {{"k", "\xEF\xBF\xBDx\xEF\xBF\xBD"}}},
        TableCase{"octal escape", R"("k" = "\101\0121";)", {{"k", "A\n1"}}},
        TableCase{"raw UTF-8 and emoji kept", "\"logs.x\" = \"\xF0\x9F\x86\x94 Open %@\";",
                  {{"logs.x", "\xF0\x9F\x86\x94 Open %@"}}},
        TableCase{"byte order mark", "\xEF\xBB\xBF\"k\" = \"v\";", {{"k", "v"}}},
        TableCase{"key only", "\"solo\";", {{"solo", "solo"}}},
        TableCase{"unquoted tokens", "key_1 = value.with:odd/chars-+$;", {{"key_1", "value.with:odd/chars-+$"}}},
        TableCase{"later duplicate wins", "\"k\" = \"1\"; \"k\" = \"2\";", {{"k", "2"}}},
        TableCase{"empty key and value", "\"\" = \"\";", {{"", ""}}}),
    [](const auto& param) {
        std::string n = param.param.name;
        for (auto& c : n)
            if (!std::isalnum(static_cast<unsigned char>(c)))
                c = '_';
        return n;
    });

class StringsTableMalformedTest : public ::testing::TestWithParam<std::string> {};

TEST_P(StringsTableMalformedTest, RefusesTheWholeTable) {
    EXPECT_FALSE(parseStringsTable(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Tables, StringsTableMalformedTest,
                         ::testing::Values("\"k\" = \"v\"",                 // no semicolon
                                           "\"good\" = \"1\";\n\"k\" = \"v", // unterminated string
                                           "\"k\" \"v\";",                  // no "="
                                           "\"k\" = ;", "= \"v\";", "\"k\" = \"v\";;", "/* open comment",
                                           "\"k\" = \"v\"; @", "\"k\" = \"bad \\U\";", "\"k\" = \"ends in \\",
                                           std::string("\"k\" = \"v\";\0", 11), "\"a\" = \"b\" \"c\";",
                                           "{ \"k\" = \"v\"; }"));

TEST(StringsTableTest, SurvivesArbitraryBytes) {
    // Every prefix of a valid table is either parsed or refused: never a crash or a throw.
    const std::string table = "/* c */ \"a\" = \"x\\U00e9\\n\"; b = c; \"d\";";
    for (std::size_t n = 0; n <= table.size(); ++n)
        (void)parseStringsTable(std::string_view(table).substr(0, n));
    EXPECT_EQ(parseStringsTable(table)->size(), 3u);
    std::string noise;
    for (int i = 0; i < 512; ++i)
        noise += static_cast<char>((i * 37) & 0xFF);
    EXPECT_FALSE(parseStringsTable(noise));
}

} // namespace
