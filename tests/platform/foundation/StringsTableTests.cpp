#include "platform/foundation/StringsTable.hpp"

#include <gtest/gtest.h>

using namespace foundation;

namespace {

using Table = std::map<std::string, std::string>;

TEST(StringsTableTest, Parses) {
    struct TableCase {
        const char* name;
        std::string text;
        Table expected;
    };
    const TableCase cases[] = {
        {"only comments", "/* a */ // b\n  /* c\n d */", {}},
        {"plain", "\"ui.common.done\" = \"Done\";\n\"a\"=\"b\";", {{"ui.common.done", "Done"}, {"a", "b"}}},
        {"comments around and between",
         "/* head */\n\"k\" /* x */ = // y\n \"v\" ; // tail\n\"k2\" = \"/* not a comment */ // nor this\";",
         {{"k", "v"}, {"k2", "/* not a comment */ // nor this"}}},
        {"escapes", R"("k" = "q\" b\\ n\n t\t r\r a\' x\z";)", {{"k", "q\" b\\ n\n t\t r\r a' xz"}}},
        {"unicode escapes",
         R"("k" = "\U00e9\U20AC\UD83D\UDE00\u0041";)",
         {{"k", "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"
                "A"}}},
        {"unpaired surrogates become replacement characters",
         R"("k" = "\UD83Dx\UDE00";)",
         {{"k", "\xEF\xBF\xBDx\xEF\xBF\xBD"}}},
        {"raw UTF-8 and emoji kept",
         "\"logs.x\" = \"\xF0\x9F\x86\x94 Open %@\";",
         {{"logs.x", "\xF0\x9F\x86\x94 Open %@"}}},
        {"byte order mark", "\xEF\xBB\xBF\"k\" = \"v\";", {{"k", "v"}}},
        {"unquoted tokens", "key_1 = value.with:odd/chars-+$;", {{"key_1", "value.with:odd/chars-+$"}}},
        {"later duplicate wins", "\"k\" = \"1\"; \"k\" = \"2\";", {{"k", "2"}}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseStringsTable(c.text), c.expected) << c.name;
    }
}

TEST(StringsTableTest, RefusesAMalformedTableWhole) {
    using namespace std::string_literals;
    for (const auto& text : {"\"k\" = \"v\""s,                  // no semicolon
                             "\"good\" = \"1\";\n\"k\" = \"v"s, // unterminated string
                             "\"k\" \"v\";"s,                   // no "="
                             "\"k\" = ;"s, "= \"v\";"s, "\"k\" = \"v\";;"s, "/* open comment"s, "\"k\" = \"v\"; @"s,
                             "\"k\" = \"bad \\U\";"s, "\"k\" = \"ends in \\"s, "\"k\" = \"v\";\0"s,
                             "\"a\" = \"b\" \"c\";"s, "{ \"k\" = \"v\"; }"s}) {
        EXPECT_FALSE(parseStringsTable(text)) << text;
    }
}

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
