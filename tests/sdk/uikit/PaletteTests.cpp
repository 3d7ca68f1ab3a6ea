#include "sdk/uikit/Palette.hpp"

#include "platform/foundation/NotificationCenter.hpp"
#include "sdk/base/NotificationNames.hpp"
#include "sdk/uikit/HexColor.hpp"
#include "sdk/uikit/UIKitTestSupport.hpp"

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

namespace {

using coregraphics::CGColorSpace;
using uikit::UIUserInterfaceStyle;
using uikittests::style;
using vyd::CGFloat;
using vyd::UIColor;

// A colour as a reader writes it down.
struct Expected {
    bool grey = false;
    std::vector<CGFloat> components; // without alpha
    CGFloat alpha = 1;
};

void expectColor(const UIColor& resolved, const Expected& expected, const std::string& label) {
    ASSERT_FALSE(resolved.isDynamic()) << label;
    const auto cg = resolved.cgColor();
    EXPECT_EQ(cg.colorSpace(), expected.grey ? CGColorSpace::extendedGray() : CGColorSpace::extendedSRGB()) << label;
    const auto& components = cg.components();
    ASSERT_EQ(components.size(), expected.components.size() + 1) << label;
    for (std::size_t i = 0; i < expected.components.size(); ++i) {
        EXPECT_DOUBLE_EQ(components[i], expected.components[i]) << label << " component " << i;
    }
    EXPECT_DOUBLE_EQ(components.back(), expected.alpha) << label << " alpha";
}

Expected bytes(int red, int green, int blue, CGFloat alpha = 1) {
    return {false, {red / 255.0, green / 255.0, blue / 255.0}, alpha};
}

// Counts the style-change notifications posted while it lives.
class StyleChangeCounter {
public:
    StyleChangeCounter() {
        token_ = foundation::NotificationCenter::defaultCenter().addObserver(
            vyd::NotificationNames::traitCollectionDidChange(), nullptr, [this](const foundation::Notification& note) {
                ++count;
                withObjectOrUserInfo += note.object != nullptr || !note.userInfo.empty();
            });
    }
    ~StyleChangeCounter() { foundation::NotificationCenter::defaultCenter().removeObserver(token_); }
    StyleChangeCounter(const StyleChangeCounter&) = delete;
    StyleChangeCounter& operator=(const StyleChangeCounter&) = delete;

    int count = 0;
    int withObjectOrUserInfo = 0;

private:
    foundation::NotificationToken token_;
};

} // namespace

TEST(PaletteTest, ThemedEntriesFollowTheStyleAndFixedOnesDoNot) {
    namespace p = vyd::palette;
    using Read = UIColor (*)();
    const auto light = style(UIUserInterfaceStyle::light);
    const auto dark = style(UIUserInterfaceStyle::dark);
    const auto unspecified = style(UIUserInterfaceStyle::unspecified);
    // greenShadow is themed but the same in both styles.
    for (Read read : {p::textPrimary, p::textSecondary, p::themedText, p::inversedThemedText, p::themedSubTitle,
                      p::themedElementBackground, p::themedGlobalBackground, p::backgroundSecondary,
                      p::backgroundTransparencePrimary, p::backgroundTransparenceSecondary,
                      p::backgroundTransparenceThird, p::borderPrimary, p::overlay, p::accent, p::logoGreenWhite,
                      p::darkGradientStart, p::darkGradientEnd, p::shimmerColor}) {
        const UIColor color = read();
        ASSERT_TRUE(color.isDynamic()) << vyd::toHex(color);
        EXPECT_FALSE(read().isIdentical(color)) << "every read makes a new colour";
        EXPECT_NE(color.resolvedColor(light), color.resolvedColor(dark)) << vyd::toHex(color);
        EXPECT_EQ(color.resolvedColor(unspecified), color.resolvedColor(light)) << vyd::toHex(color);
    }
    for (Read read :
         {p::textSecondaryLight, p::textSecondaryDark, p::backgroundSecondaryLight, p::backgroundSecondaryDark,
          p::pureWhite, p::backgroundTransparenceSecondaryLight, p::backgroundTransparenceSecondaryDark,
          p::separatorColor, p::greenSecondary, p::secondaryShadow, p::lightShadow, p::iconDragModel}) {
        EXPECT_FALSE(read().isDynamic()) << vyd::toHex(read());
    }
    // The light and dark halves of a themed entry are the fixed entries of the same name.
    EXPECT_EQ(p::textSecondary().resolvedColor(light), p::textSecondaryLight());
    EXPECT_EQ(p::textSecondary().resolvedColor(dark), p::textSecondaryDark());
    EXPECT_EQ(p::backgroundSecondary().resolvedColor(dark), p::backgroundSecondaryDark());
    // A few values a reader can check by eye.
    expectColor(p::textPrimary().resolvedColor(light), bytes(8, 8, 8), "textPrimary light");
    expectColor(p::accent().resolvedColor(dark), bytes(36, 178, 62), "accent dark");
    expectColor(p::borderPrimary().resolvedColor(dark), bytes(255, 255, 255, 0.1), "borderPrimary dark");
    expectColor(p::overlay().resolvedColor(dark), {true, {0}, 0.6}, "overlay dark");
    expectColor(p::greenShadow().resolvedColor(dark), bytes(106, 193, 156), "greenShadow dark");
}

TEST(PaletteTest, SettableEntriesStartWithTheirColoursAndKeepWhatIsWritten) {
    struct Row {
        const char* name;
        UIColor (*read)();
        void (*write)(const UIColor&);
        Expected initial;
    };
    // The darker grey is 44/225 per component, as the snack bar has always shown it.
    const CGFloat darkGray = 44.0 / 225.0;
    const Row rows[] = {
        {"brand", vyd::palette::brand, vyd::palette::setBrand, bytes(33, 160, 56)},
        {"brandOrange", vyd::palette::brandOrange, vyd::palette::setBrandOrange, bytes(254, 109, 30)},
        {"defaultBorder", vyd::palette::defaultBorder, vyd::palette::setDefaultBorder, bytes(118, 118, 118)},
        {"darkGray", vyd::palette::darkGray, vyd::palette::setDarkGray, {false, {darkGray, darkGray, darkGray}}},
    };
    for (const Row& row : rows) {
        const UIColor initial = row.read();
        EXPECT_FALSE(initial.isDynamic()) << row.name;
        expectColor(initial, row.initial, row.name);
        EXPECT_TRUE(row.read().isIdentical(initial)) << row.name << ": a stored value, the same object on each read";

        const UIColor partnerColour = vyd::colorFromHex("#123456");
        row.write(partnerColour);
        EXPECT_TRUE(row.read().isIdentical(partnerColour)) << row.name;
        // A dynamic colour may be stored too, and stays dynamic.
        const UIColor themed = vyd::palette::textPrimary();
        row.write(themed);
        EXPECT_TRUE(row.read().isIdentical(themed)) << row.name;
        EXPECT_TRUE(row.read().isDynamic()) << row.name;
        row.write(initial);
    }
    // Writing one entry leaves the others alone.
    const UIColor brand = vyd::palette::brand();
    vyd::palette::setBrand(UIColor::red());
    EXPECT_EQ(vyd::toHex(vyd::palette::brandOrange()), "#FE6D1E");
    vyd::palette::setBrand(brand);
}

TEST(PaletteTest, ClearShimmerColourIsClearAndPostsOncePerChangeOfStyle) {
    // A fresh process: the remembered style starts unspecified, so the first resolution posts
    // only under a style.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            StyleChangeCounter posts;
            std::string trace;
            for (auto value : {UIUserInterfaceStyle::unspecified, UIUserInterfaceStyle::light,
                               UIUserInterfaceStyle::light, UIUserInterfaceStyle::dark}) {
                vyd::palette::clearShimmerColor().resolvedColor(style(value));
                trace += std::to_string(posts.count);
            }
            std::cerr << "posts " << trace << std::endl;
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "posts 0112");

    // Here the remembered style is whatever ran before: settle it first.
    vyd::palette::clearShimmerColor().resolvedColor(style(UIUserInterfaceStyle::light));
    EXPECT_TRUE(vyd::palette::clearShimmerColor().isDynamic());
    StyleChangeCounter posts;
    const struct {
        UIUserInterfaceStyle style;
        int postsSoFar;
    } steps[] = {
        {UIUserInterfaceStyle::light, 0}, {UIUserInterfaceStyle::light, 0},       {UIUserInterfaceStyle::dark, 1},
        {UIUserInterfaceStyle::dark, 1},  {UIUserInterfaceStyle::unspecified, 2}, {UIUserInterfaceStyle::light, 3},
    };
    for (const auto& step : steps) {
        // Each resolution goes through a colour read anew, as every screen reads the entry.
        EXPECT_EQ(vyd::palette::clearShimmerColor().resolvedColor(style(step.style)), UIColor::clear());
        EXPECT_EQ(posts.count, step.postsSoFar) << "after resolving under style " << uikit::rawValue(step.style);
    }
    EXPECT_EQ(posts.withObjectOrUserInfo, 0);

    // Resolving through the current traits (what a layer colour does) counts the same.
    style(UIUserInterfaceStyle::dark).performAsCurrent([] { (void)vyd::palette::clearShimmerColor().cgColor(); });
    EXPECT_EQ(posts.count, 4);
}
