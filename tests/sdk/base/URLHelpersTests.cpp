#include "sdk/base/URLHelpers.hpp"

#include <gtest/gtest.h>

using foundation::URL;

TEST(URLHelpersTest, DeeplinkUnlessSchemeIsExactlyHttpOrHttps) {
    const std::pair<const char*, bool> cases[] = {
        {"http://example.com/path", false}, {"https://vy.example:8443/a?b=c#d", false},
        {"HTTP://example.com", true}, // compared case-sensitively
        {"tel:+15551234567", true},         {"vybank://auth?state=1", true},
        {"httpss://example.com", true},     {"relative/path", true},
    };
    for (const auto& [text, deeplink] : cases) {
        const auto url = URL::string(text).value();
        EXPECT_EQ(vyd::isDeeplink(url), deeplink) << text;
        EXPECT_EQ(vyd::isWebLink(url), !deeplink) << text;
    }
}

// "+" in a value must arrive as "+", not as a space.
TEST(URLHelpersTest, AddingAQueryItemEscapesItsValueKeepsTheRestOfTheURLAndParametersDecode) {
    const std::pair<const char*, const char*> cases[] = {
        {"https://example.com/path", "https://example.com/path?logUid=a%26b%3Dc%20d%2Be"},
        {"https://example.com/path?", "https://example.com/path?logUid=a%26b%3Dc%20d%2Be"},
        {"https://example.com/path?x=1#top", "https://example.com/path?x=1&logUid=a%26b%3Dc%20d%2Be#top"},
        {"vybank://auth#f", "vybank://auth?logUid=a%26b%3Dc%20d%2Be#f"},
    };
    for (const auto& [base, expected] : cases) {
        const URL result = vyd::byAddingQueryItem(*URL::string(base), "logUid", "a&b=c d+e");
        EXPECT_EQ(result.absoluteString(), expected) << base;
        EXPECT_EQ(vyd::queryParameters(result).at("logUid"), "a&b=c d+e") << base;
    }

    // Query parameters decode, and later names win.
    const auto parameters =
        vyd::queryParameters(*URL::string("vyid://return?state=a%20b&code=42&flag&state=second&empty=#frag"));
    const std::map<std::string, std::string> expected{{"state", "second"}, {"code", "42"}, {"flag", ""}, {"empty", ""}};
    EXPECT_EQ(parameters, expected);
}
