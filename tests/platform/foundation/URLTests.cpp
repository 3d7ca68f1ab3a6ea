#include "platform/foundation/PercentEncoding.hpp"
#include "platform/foundation/URL.hpp"
#include "platform/foundation/URLComponents.hpp"
#include "platform/foundation/URLRequest.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>

using namespace foundation;

namespace {

using Items = std::vector<URLQueryItem>;
using std::nullopt;

TEST(URLTest, SplitsIntoItsParts) {
    using Text = std::optional<std::string>;
    // Columns: text, scheme, host, path, query.
    const std::tuple<std::string, Text, Text, std::string, Text> cases[] = {
        {"https://vybank.example/auth?client_id=abc", "https", "vybank.example", "/auth", "client_id=abc"},
        {"HTTP://Example.COM/A", "HTTP", "Example.COM", "/A", nullopt}, // capitals kept as given
        {"//cdn.vybank.example/logo.png", nullopt, "cdn.vybank.example", "/logo.png", nullopt},
        {"about:blank", "about", nullopt, "blank", nullopt},
        {"mailto:support@vybank.example?subject=Hi", "mailto", nullopt, "support@vybank.example", "subject=Hi"},
        {"vyid://auth?code=1&state", "vyid", "auth", "", "code=1&state"},
        {"https://vybank.example/dir/", "https", "vybank.example", "/dir", nullopt},
        {"https://vybank.example/a%20b", "https", "vybank.example", "/a b", nullopt},
        {"http://[::1]:8080/x", "http", "::1", "/x", nullopt},
        {"https://vybank.example?", "https", "vybank.example", "", ""},
        {"/only/a/path#top", nullopt, nullopt, "/only/a/path", nullopt},
    };
    for (const auto& [text, scheme, host, path, query] : cases) {
        auto url = URL::string(text);
        ASSERT_TRUE(url) << text;
        EXPECT_EQ(std::tuple(url->scheme(), url->host(), url->path(), url->query(), url->absoluteString()),
                  std::tuple(scheme, host, path, query, text));
    }
}

TEST(URLTest, NotAURLGivesNoURL) {
    using namespace std::string_literals;
    for (const auto& text :
         {""s, " "s, "\t"s, "https://vy bank.example/"s, "https://vybank.example/ "s, " https://vybank.example/"s,
          "http://[::1"s, "http://vybank.example/]"s, "https://vybank.example/%zz"s, "https://vybank.example/%4"s,
          "http://vybank.example:port/"s, "http://vybank.example:99999/"s, "https://vybank.example/#a#b"s,
          "https://vybank.example/{x}"s, "https://vybank.example/\xD0\xBF"s, "https://vybank.example/a\nb"s,
          "https://vybank.example/a\0b"s, ":"s, "1abc:foo"s}) {
        EXPECT_FALSE(URL::string(text)) << text;
        EXPECT_FALSE(URLComponents::string(text)) << text;
    }
}

TEST(URLTest, QueryItemsKeepOrderAndDecode) {
    auto url = URL::string("vyapp://cb?a=1&b=&c&=v&d=x=y&e=%26%3D%2B&f=+&g=%D0%BF&h=%FF&a=2#frag");
    ASSERT_TRUE(url);
    Items expected{
        {"a", "1"},   {"b", ""},  {"c", nullopt},    {"", "v"},    {"d", "x=y"},
        {"e", "&=+"}, {"f", "+"}, {"g", "\xD0\xBF"}, {"h", "%FF"}, // does not decode to UTF-8: kept as written
        {"a", "2"}};
    EXPECT_EQ(url->queryItems(), expected);
    EXPECT_EQ(url->fragment(), "frag");
    EXPECT_TRUE(URL::string("https://vybank.example/")->queryItems().empty());
    EXPECT_TRUE(URL::string("https://vybank.example/?")->queryItems().empty());
}

TEST(URLTest, EqualityIsByAbsoluteString) {
    EXPECT_EQ(*URL::string("https://vybank.example/a?x=1"), *URL::string("https://vybank.example/a?x=1"));
    EXPECT_NE(*URL::string("https://vybank.example"), *URL::string("https://vybank.example/"));
    EXPECT_NE(*URL::string("https://VYBANK.example/"), *URL::string("https://vybank.example/"));
}

TEST(URLTest, ResolvesAgainstABase) {
    auto base = *URL::string("https://vybank.example/a/b?x=1");
    struct {
        const char* reference;
        const char* expected;
    } cases[] = {
        {"../c", "https://vybank.example/c"},
        {"/d?y=2", "https://vybank.example/d?y=2"},
        {"?q=1", "https://vybank.example/a/b?q=1"},
        {"https://other.example/", "https://other.example/"},
        {"//cdn.example/i.png", "https://cdn.example/i.png"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(URL::string(c.reference, base).value_or(base).absoluteString(), c.expected);
    }
    EXPECT_FALSE(URL::string("a b", base));
}

TEST(PercentEncodingTest, DecodingRefusesBrokenInput) {
    EXPECT_EQ(removingPercentEncoding("a%20b%2F"), "a b/");
    EXPECT_EQ(removingPercentEncoding("%d0%bf"), "\xD0\xBF");
    // cut short, not hex, not UTF-8, an overlong "/", a surrogate
    for (const char* broken : {"%", "a%2", "%G0", "%FF", "%C0%AF", "%ED%A0%80"}) {
        EXPECT_FALSE(removingPercentEncoding(broken)) << broken;
    }
    EXPECT_EQ(addingPercentEncoding("a b/?&=+~", URLCharacterSet::urlQueryItemAllowed), "a%20b/?%26%3D+~");
}

TEST(URLRequestTest, HeaderNamesIgnoreCase) {
    URLRequest request(*URL::string("https://vybank.example/api"));
    request.setValue("application/json", "Content-Type");
    request.setValue("text/plain", "content-type"); // same field, other case
    EXPECT_EQ(request.value("CONTENT-TYPE"), "text/plain");
    ASSERT_EQ(request.allHTTPHeaderFields().size(), 1u);
    EXPECT_EQ(request.allHTTPHeaderFields()[0].first, "Content-Type");
    request.setValue(nullopt, "Content-type");
    EXPECT_FALSE(request.value("Content-Type"));
}

} // namespace
