#include "sdk/uikit/HexColor.hpp"
#include "sdk/uikit/Palette.hpp"
#include "sdk/uikit/UIKitTestSupport.hpp"

#include <cstdio>
#include <limits>
#include <string>

namespace {

using coregraphics::CGColorSpaceModel;
using uikit::UIUserInterfaceStyle;
using uikittests::style;
using vyd::CGFloat;
using vyd::UIColor;

// Components of a static colour as stored (RGB plus alpha).
struct Components {
    CGFloat red, green, blue, alpha;
};

Components rgbaOf(const UIColor& color) {
    const auto cg = color.cgColor();
    EXPECT_EQ(cg.colorSpace().model(), CGColorSpaceModel::rgb);
    const auto& c = cg.components();
    if (c.size() != 4) {
        ADD_FAILURE() << "expected four components, got " << c.size();
        return {};
    }
    return {c[0], c[1], c[2], c[3]};
}

void expectBytes(const UIColor& color, int red, int green, int blue, int alpha, const std::string& label) {
    EXPECT_FALSE(color.isDynamic()) << label;
    const Components c = rgbaOf(color);
    EXPECT_DOUBLE_EQ(c.red, red / 255.0) << label << " red";
    EXPECT_DOUBLE_EQ(c.green, green / 255.0) << label << " green";
    EXPECT_DOUBLE_EQ(c.blue, blue / 255.0) << label << " blue";
    EXPECT_DOUBLE_EQ(c.alpha, alpha / 255.0) << label << " alpha";
}

struct HSB {
    CGFloat hue = -1, saturation = -1, brightness = -1, alpha = -1;
};

HSB hsbOf(const UIColor& color) {
    HSB value;
    EXPECT_TRUE(color.getHue(value.hue, value.saturation, value.brightness, value.alpha));
    return value;
}

} // namespace

TEST(HexColorTest, ParsesTheFormsOfHexTextByItsCharacterCount) {
    struct Row {
        std::string text;
        int red, green, blue, alpha;
    };
    const Row rows[] = {
        {"#FFF", 255, 255, 255, 255},
        {"fff", 255, 255, 255, 255},
        {"abc", 170, 187, 204, 255},
        {"  #00ff00  ", 0, 255, 0, 255},
        {"#AABBCC", 170, 187, 204, 255},
        {"aabbcc", 170, 187, 204, 255},
        {"80FF0000", 255, 0, 0, 128},
        {"#00000000", 0, 0, 0, 0},
        // The form follows the character count; the value only the leading digits.
        {"12345", 0, 0, 0, 255},
        {"", 0, 0, 0, 255},
        {"#", 0, 0, 0, 255},
        {"   ", 0, 0, 0, 255},
        {"#FG0", 0, 0, 255, 255},
        {"GGGGGG", 0, 0, 0, 255},
        {"#12 34 56", 0, 0, 0x12, 0},
        {"AB@CDE", 0, 0, 0xAB, 255},
        // Everything but letters and digits goes from both ends, inside it stays.
        {"((abc))", 170, 187, 204, 255},
        {"\tabc\n", 170, 187, 204, 255},
        {"-#fff-", 255, 255, 255, 255},
        // An "0x" prefix is read past as the platform's scanner does.
        {"0x00FF00", 0, 255, 0, 0},
        {"0XABCD", 0, 0xAB, 0xCD, 255},
        {"0xF", 0, 0, 255, 255},
        {"0XFFF", 0, 0, 0, 255},
        // The count is of user-perceived characters of any text. CR LF is one character: "a\r\nb" has three, so it is
        // the three-digit form of A.
        {"a\r\nb", 0, 0, 170, 255},
        // A letter with a combining accent is one character, so "abé" has three either way; the
        // scanner reads code units, so a decomposed "e" is still a digit.
        {"ab\xC3\xA9", 0, 170, 187, 255},
        {"abe\xCC\x81", 170, 187, 238, 255},
        // Upper-casing may lengthen the text: "aß" becomes "ASS", the ligature "ﬀ" becomes "FF".
        {"a\xC3\x9F", 0, 0, 170, 255},
        {"\xEF\xAC\x80"
         "0000",
         255, 0, 0, 255},
        // Symbols and blanks of any script are trimmed: emoji, no-break space, ideographic space.
        {"\xF0\x9F\x99\x82"
         "abc\xC2\xA0",
         170, 187, 204, 255},
        {"\xE3\x80\x80"
         "fff\xE3\x80\x80",
         255, 255, 255, 255},
        // Bytes that are not UTF-8 count as replacement characters: trimmed at the ends...
        {"\xFF"
         "abc\xFE",
         170, 187, 204, 255},
        // ...one character each inside.
        {"a\xFF"
         "b",
         0, 0, 170, 255},
        {std::string("\0abc", 4), 170, 187, 204, 255},
        {std::string("a\0b", 3), 0, 0, 170, 255},
    };
    for (const Row& row : rows) {
        expectBytes(vyd::colorFromHex(row.text), row.red, row.green, row.blue, row.alpha, "\"" + row.text + "\"");
    }
}

TEST(HexColorTest, HexTextAndColourRoundTrip) {
    for (int k = 0; k < 256; ++k) {
        const int red = k;
        const int green = 255 - k;
        const int blue = (k * 7) & 0xFF;
        char lower[8];
        std::snprintf(lower, sizeof lower, "#%02x%02x%02x", red, green, blue);
        char upper[8];
        std::snprintf(upper, sizeof upper, "#%02X%02X%02X", red, green, blue);

        EXPECT_EQ(vyd::toHex(vyd::colorFromHex(lower)), upper);
        const UIColor made = vyd::rgb(red, green, blue);
        EXPECT_EQ(vyd::toHex(made), upper);
        EXPECT_EQ(vyd::colorFromHex(vyd::toHex(made)), made) << upper;
    }
}

TEST(HexColorTest, ToHexDropsAlphaTruncatesAndKeepsTwoDigits) {
    const CGFloat infinity = std::numeric_limits<CGFloat>::infinity();
    const struct {
        UIColor color;
        const char* hex;
    } rows[] = {
        {vyd::colorFromHex("abc"), "#AABBCC"},
        {vyd::rgb(0x12, 0x34, 0x56, 0.5), "#123456"},
        {UIColor::clear(), "#000000"},
        {UIColor::white(), "#FFFFFF"},
        {UIColor(0.5, 0.5, 0.5, 1), "#7F7F7F"}, // 127.5 truncates toward zero
        {UIColor(0.999, 0.0039, 0.004, 1), "#FE0001"},
        // Components outside the range still give two digits each.
        {UIColor(1.2, -0.1, 0.5, 1), "#FF007F"},
        {UIColor(infinity, -infinity, 0, 1), "#FF0000"},
        {UIColor(1e300, 0, -1e300, 1), "#FF0000"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(vyd::toHex(row.color), row.hex);
    }
    // A dynamic colour is resolved under the current style.
    style(UIUserInterfaceStyle::light).performAsCurrent([] {
        EXPECT_EQ(vyd::toHex(vyd::palette::textPrimary()), "#080808");
    });
    style(UIUserInterfaceStyle::dark).performAsCurrent([] {
        EXPECT_EQ(vyd::toHex(vyd::palette::textPrimary()), "#FFFFFF");
    });
}

TEST(HexColorTest, LightnessByPerceivedBrightness) {
    struct Row {
        UIColor color;
        bool light;
        const char* label;
    };
    const Row rows[] = {
        {UIColor::white(), false, "platform white: grey, two components"},
        {vyd::rgb(255, 255, 255), true, "RGB white"},
        {UIColor(0.5, 0.5, 0.5, 1), true, "exactly the threshold"},
        {vyd::rgb(127, 127, 127), false, "just below"},
        {vyd::rgb(128, 128, 128), true, "just above"},
        {vyd::rgb(0, 255, 0), true, "green weighs 0.587"},
        {vyd::rgb(255, 0, 0), false, "red weighs 0.299"},
        {vyd::rgb(255, 0, 255), false, "red and blue: 0.413"},
        {vyd::rgb(255, 255, 0), true, "red and green: 0.886"},
        {vyd::rgb(255, 255, 255, 0), true, "alpha plays no part"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(vyd::isLight(row.color), row.light) << row.label;
    }
    style(UIUserInterfaceStyle::light).performAsCurrent([] {
        EXPECT_FALSE(vyd::isLight(vyd::palette::textPrimary()));
    });
    style(UIUserInterfaceStyle::dark).performAsCurrent([] { EXPECT_TRUE(vyd::isLight(vyd::palette::textPrimary())); });
}

TEST(HexColorTest, AdjustScalesBrightnessOnlyAndKeepsItWithinRange) {
    const UIColor color = vyd::rgb(100, 200, 150, 0.4);
    const HSB before = hsbOf(color);
    struct Row {
        CGFloat factor;
        CGFloat brightness;
    };
    for (const Row& row :
         {Row{0.5, before.brightness * 0.5}, Row{2, 1}, Row{1e9, 1}, Row{std::numeric_limits<CGFloat>::infinity(), 1},
          Row{-1, 0}, Row{std::numeric_limits<CGFloat>::quiet_NaN(), 0}}) {
        const UIColor adjusted = vyd::adjust(color, row.factor);
        const Components c = rgbaOf(adjusted);
        for (CGFloat component : {c.red, c.green, c.blue}) {
            EXPECT_GE(component, 0) << "factor " << row.factor;
            EXPECT_LE(component, 1) << "factor " << row.factor;
        }
        const HSB after = hsbOf(adjusted);
        EXPECT_DOUBLE_EQ(after.brightness, row.brightness) << "factor " << row.factor;
        EXPECT_DOUBLE_EQ(after.alpha, 0.4) << "factor " << row.factor;
        if (row.brightness > 0) {
            EXPECT_NEAR(after.hue, before.hue, 1e-12);
            EXPECT_NEAR(after.saturation, before.saturation, 1e-12);
        }
    }
    EXPECT_EQ(vyd::toHex(vyd::adjust(vyd::rgb(200, 100, 50), 0.5)), "#643219");
}

TEST(HexColorTest, GradientDarkensALightColourAndBrightensADarkOne) {
    const UIColor light = vyd::rgb(236, 240, 241);
    const auto lightStops = vyd::makeGradient(light);
    ASSERT_EQ(lightStops.size(), 3u);
    EXPECT_TRUE(lightStops[0].isIdentical(light));
    EXPECT_TRUE(lightStops[2].isIdentical(light));
    EXPECT_NEAR(hsbOf(lightStops[1]).brightness, 241 / 255.0 * 0.94, 1e-12);

    const UIColor dark = vyd::rgb(28, 35, 37);
    const auto darkStops = vyd::makeGradient(dark);
    ASSERT_EQ(darkStops.size(), 3u);
    EXPECT_TRUE(darkStops[0].isIdentical(dark));
    EXPECT_TRUE(darkStops[2].isIdentical(dark));
    EXPECT_NEAR(hsbOf(darkStops[1]).brightness, 37 / 255.0 * 1.35, 1e-12);

    // A saturated dark colour is already at full brightness: its middle stop stays itself
    // rather than going past the gamut.
    const auto blueStops = vyd::makeGradient(vyd::rgb(0, 0, 255));
    EXPECT_EQ(vyd::toHex(blueStops[1]), "#0000FF");
    EXPECT_DOUBLE_EQ(rgbaOf(blueStops[1]).blue, 1.0);

    // The platform white counts as dark (grey space), so it is "brightened" and stays white.
    EXPECT_EQ(vyd::toHex(vyd::makeGradient(UIColor::white())[1]), "#FFFFFF");
}
