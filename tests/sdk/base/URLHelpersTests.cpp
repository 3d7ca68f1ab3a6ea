#include "sdk/base/URLHelpers.hpp"

#include <gtest/gtest.h>

using foundation::URL;

namespace {

URL url(const std::string& text) {
    auto parsed = URL::string(text);
    if (!parsed) {
        ADD_FAILURE() << "not a URL: " << text;
        return *URL::string("invalid:");
    }
    return *parsed;
}

} // namespace

TEST(URLHelpersTest, DeeplinkUnlessSchemeIsExactlyHttpOrHttps) {
    const struct {
        const char* text;
        bool deeplink;
    } cases[] = {
        {"http://example.com/path", false},
        {"https://example.com", false},
        {"https://vy.example:8443/a?b=c#d", false},
        {"HTTP://example.com", true}, // compared case-sensitively
        {"Https://example.com", true},
        {"about:blank", true},
        {"tel:+15551234567", true},
        {"vybank://auth?state=1", true},
        {"httpss://example.com", true},
        {"//example.com/no-scheme", true},
        {"relative/path", true},
    };
    for (const auto& c : cases) {
        const URL u = url(c.text);
        EXPECT_EQ(vyd::isDeeplink(u), c.deeplink) << c.text;
        EXPECT_EQ(vyd::isWebLink(u), !c.deeplink) << c.text;
    }
}

TEST(URLHelpersTest, QueryParametersDecodeAndLaterNamesWin) {
    const auto parameters =
        vyd::queryParameters(url("vyid://return?state=a%20b&code=42&flag&state=second&empty=#frag"));
    const std::map<std::string, std::string> expected{{"state", "second"}, {"code", "42"}, {"flag", ""}, {"empty", ""}};
    EXPECT_EQ(parameters, expected);
    EXPECT_TRUE(vyd::queryParameters(url("https://example.com/")).empty());
}

TEST(URLHelpersTest, AddingAQueryItemKeepsTheRestOfTheURL) {
    const struct {
        const char* base;
        const char* expected;
    } cases[] = {
        {"https://example.com/path", "https://example.com/path?logUid=a%26b%3Dc%20d%2Be"},
        {"https://example.com/path?x=1", "https://example.com/path?x=1&logUid=a%26b%3Dc%20d%2Be"},
        {"https://example.com/path?", "https://example.com/path?logUid=a%26b%3Dc%20d%2Be"},
        {"https://example.com/path?x=1#top", "https://example.com/path?x=1&logUid=a%26b%3Dc%20d%2Be#top"},
        {"vybank://auth#f", "vybank://auth?logUid=a%26b%3Dc%20d%2Be#f"},
    };
    for (const auto& c : cases) {
        const URL result = vyd::byAddingQueryItem(url(c.base), "logUid", "a&b=c d+e");
        EXPECT_EQ(result.absoluteString(), c.expected) << c.base;
        EXPECT_EQ(vyd::queryParameters(result).at("logUid"), "a&b=c d+e") << c.base;
    }
}
