#include "sdk/uikit/Palette.hpp"

#include "platform/foundation/NotificationCenter.hpp"
#include "sdk/base/NotificationNames.hpp"
#include "sdk/uikit/HexColor.hpp"
#include "sdk/uikit/UIKitTestSupport.hpp"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <limits>
#include <string>

using namespace vyd;
namespace {

using uikit::UIUserInterfaceStyle;
using uikittests::style;
namespace p = palette;
using Read = UIColor (*)();

std::string hexUnder(UIUserInterfaceStyle value, const UIColor& color) {
    return toHex(color.resolvedColor(style(value)));
}

CGFloat brightness(const UIColor& color) {
    CGFloat h = 0, s = 0, b = 0, a = 0;
    EXPECT_TRUE(color.getHue(h, s, b, a));
    return b;
}

} // namespace

TEST(PaletteTest, ThemedEntriesDifferBetweenStylesAndFixedOnesDoNot) {
    const auto light = style(UIUserInterfaceStyle::light);
    const auto dark = style(UIUserInterfaceStyle::dark);
    for (Read read : {p::textPrimary, p::textSecondary, p::themedText, p::inversedThemedText, p::themedSubTitle,
                      p::themedElementBackground, p::themedGlobalBackground, p::backgroundSecondary,
                      p::backgroundTransparencePrimary, p::backgroundTransparenceSecondary,
                      p::backgroundTransparenceThird, p::borderPrimary, p::overlay, p::accent, p::logoGreenWhite,
                      p::darkGradientStart, p::darkGradientEnd, p::shimmerColor}) {
        const UIColor color = read();
        ASSERT_TRUE(color.isDynamic()) << toHex(color);
        EXPECT_FALSE(read().isIdentical(color)) << "every read makes a new colour";
        EXPECT_NE(color.resolvedColor(light), color.resolvedColor(dark)) << toHex(color);
    }
    for (Read read : {p::textSecondaryLight, p::textSecondaryDark, p::pureWhite, p::separatorColor, p::greenSecondary,
                      p::secondaryShadow, p::lightShadow, p::iconDragModel}) {
        EXPECT_FALSE(read().isDynamic()) << toHex(read());
    }
    // A few values a reader can check by eye.
    EXPECT_EQ(hexUnder(UIUserInterfaceStyle::light, p::textPrimary()), "#080808");
    EXPECT_EQ(hexUnder(UIUserInterfaceStyle::dark, p::accent()), "#24B23E");
    EXPECT_EQ(p::borderPrimary().resolvedColor(dark), rgb(255, 255, 255, 0.1))
        << toHex(p::borderPrimary().resolvedColor(dark));
}

TEST(PaletteTest, SettableEntriesKeepWhatIsWrittenAndOnlyThat) {
    const struct {
        Read read;
        void (*write)(const UIColor&);
        const char* initial;
    } rows[] = {
        {p::brand, p::setBrand, "#21A038"},
        {p::brandOrange, p::setBrandOrange, "#FE6D1E"},
        {p::defaultBorder, p::setDefaultBorder, "#767676"},
        {p::darkGray, p::setDarkGray, "#313131"}, // 44/225 per component, as the snack bar has always shown it
    };
    for (const auto& row : rows) {
        const UIColor initial = row.read();
        EXPECT_EQ(toHex(initial), row.initial);
        const UIColor partner = colorFromHex("#123456");
        row.write(partner);
        EXPECT_TRUE(row.read().isIdentical(partner)) << row.initial;
        const auto& next = rows[static_cast<std::size_t>(&row - rows + 1) % std::size(rows)];
        EXPECT_EQ(toHex(next.read()), next.initial) << "writing one entry leaves the others alone";
        row.write(initial);
    }
}

TEST(PaletteTest, ClearShimmerColourPostsOncePerChangeOfStyle) {
    // A fresh process: the remembered style starts unspecified.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            int posts = 0;
            int withPayload = 0;
            foundation::NotificationCenter::defaultCenter().addObserver(
                NotificationNames::traitCollectionDidChange(), nullptr, [&](const foundation::Notification& note) {
                    ++posts;
                    withPayload += note.object != nullptr || !note.userInfo.empty();
                });
            std::string trace;
            for (auto value :
                 {UIUserInterfaceStyle::unspecified, UIUserInterfaceStyle::light, UIUserInterfaceStyle::light,
                  UIUserInterfaceStyle::dark, UIUserInterfaceStyle::unspecified, UIUserInterfaceStyle::light}) {
                const bool clear = p::clearShimmerColor().resolvedColor(style(value)) == UIColor::clear();
                trace += (clear ? "" : "!") + std::to_string(posts);
            }
            // Resolving through the current traits, as a layer colour does, counts the same.
            style(UIUserInterfaceStyle::dark).performAsCurrent([] { (void)p::clearShimmerColor().cgColor(); });
            std::cerr << "posts " << trace << posts << " payload " << withPayload << std::endl;
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "posts 0112345 payload 0");
}

TEST(HexColorTest, ParsesTheFormsOfHexTextByItsCharacterCount) {
    const std::tuple<std::string, const char*, int> rows[] = {
        {"#FFF", "#FFFFFF", 255},
        {"abc", "#AABBCC", 255},
        {"  #00ff00  ", "#00FF00", 255},
        {"80FF0000", "#FF0000", 128},
        // The form follows the character count; the value only the leading digits.
        {"12345", "#000000", 255},
        {"", "#000000", 255},
        {"#FG0", "#0000FF", 255},
        {"GGGGGG", "#000000", 255},
        {"0x00FF00", "#00FF00", 0}, // an "0x" prefix is read past as the platform's scanner does
        {std::string("a\0b", 3), "#0000AA", 255},
        {"\xFF" // bytes that are not UTF-8 count as one replacement character each
         "abc\xFE",
         "#AABBCC", 255},
    };
    for (const auto& [text, hex, alpha] : rows) {
        const UIColor color = colorFromHex(text);
        EXPECT_FALSE(color.isDynamic());
        EXPECT_EQ(toHex(color), hex) << '"' << text << '"';
        EXPECT_DOUBLE_EQ(color.cgColor().components().back(), alpha / 255.0) << '"' << text << '"';
    }
}

TEST(HexColorTest, HexTextRoundTripsToHexTruncatesToTwoDigitsAndLightnessGoesByPerceivedBrightness) {
    for (int k = 0; k < 256; ++k) {
        char upper[8];
        std::snprintf(upper, sizeof upper, "#%02X%02X%02X", k, 255 - k, (k * 7) & 0xFF);
        EXPECT_EQ(toHex(colorFromHex(upper)), upper);
        const UIColor made = rgb(k, 255 - k, (k * 7) & 0xFF);
        EXPECT_EQ(colorFromHex(toHex(made)), made) << upper;
    }
    const CGFloat infinity = std::numeric_limits<CGFloat>::infinity();
    EXPECT_EQ(toHex(rgb(0x12, 0x34, 0x56, 0.5)), "#123456") << "no alpha";
    EXPECT_EQ(toHex(UIColor::clear()), "#000000");
    EXPECT_EQ(toHex(UIColor(0.5, 0.5, 0.5, 1)), "#7F7F7F");
    EXPECT_EQ(toHex(UIColor(infinity, -infinity, 0, 1)), "#FF0000");
    // A dynamic colour resolves under the current style.
    style(UIUserInterfaceStyle::dark).performAsCurrent([] {
        EXPECT_EQ(toHex(p::textPrimary()), "#FFFFFF");
        EXPECT_TRUE(isLight(p::textPrimary()));
    });

    // Lightness goes by perceived brightness.
    EXPECT_FALSE(isLight(UIColor::white())) << "grey space: never light";
    EXPECT_TRUE(isLight(rgb(255, 255, 255)));
    EXPECT_TRUE(isLight(UIColor(0.5, 0.5, 0.5, 1)));
    EXPECT_FALSE(isLight(rgb(127, 127, 127)));
    EXPECT_TRUE(isLight(rgb(0, 255, 0)));
    EXPECT_FALSE(isLight(rgb(255, 0, 255)));
    EXPECT_TRUE(isLight(rgb(255, 255, 255, 0))) << "alpha plays no part";
}

TEST(HexColorTest, AdjustAndGradientScaleBrightnessOnlyWithinRange) {
    for (const auto& [factor, expected] :
         std::vector<std::pair<CGFloat, CGFloat>>{{1e9, 1}, {-1, 0}, {std::numeric_limits<CGFloat>::quiet_NaN(), 0}}) {
        EXPECT_DOUBLE_EQ(brightness(adjust(rgb(100, 200, 150, 0.4), factor)), expected) << factor;
    }
    EXPECT_EQ(toHex(adjust(rgb(200, 100, 50), 0.5)), "#643219");

    // The middle stop of a light colour darkens, of a dark one brightens, never past the gamut.
    for (const auto& [base, factor] : std::vector<std::pair<UIColor, CGFloat>>{
             {rgb(236, 240, 241), 0.94}, {rgb(28, 35, 37), 1.35}, {rgb(0, 0, 255), 1.35}}) {
        const auto stops = makeGradient(base);
        ASSERT_EQ(stops.size(), 3u);
        EXPECT_TRUE(stops[0].isIdentical(base));
        EXPECT_TRUE(stops[2].isIdentical(base));
        EXPECT_NEAR(brightness(stops[1]), std::min<CGFloat>(1, brightness(base) * factor), 1e-12) << toHex(base);
    }
}
