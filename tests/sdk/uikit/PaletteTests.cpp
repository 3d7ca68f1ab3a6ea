#include "sdk/uikit/Palette.hpp"

#include "platform/foundation/NotificationCenter.hpp"
#include "sdk/uikit/HexColor.hpp"
#include "sdk/base/NotificationNames.hpp"
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

// A colour as the palette table gives it.
struct Expected {
    bool grey = false;
    std::vector<CGFloat> components; // without alpha
    CGFloat alpha = 1;
};

Expected bytes(int red, int green, int blue, CGFloat alpha = 1) {
    return {false, {red / 255.0, green / 255.0, blue / 255.0}, alpha};
}
Expected fraction(CGFloat red, CGFloat green, CGFloat blue) { return {false, {red, green, blue}, 1}; }
Expected grey(CGFloat white, CGFloat alpha = 1) { return {true, {white}, alpha}; }

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

struct Entry {
    const char* name;
    UIColor (*read)();
    bool dynamic;
    Expected light;
    Expected dark;
};

Entry pair(const char* name, UIColor (*read)(), Expected light, Expected dark) {
    return {name, read, true, std::move(light), std::move(dark)};
}
Entry fixed(const char* name, UIColor (*read)(), const Expected& value) { return {name, read, false, value, value}; }

std::vector<Entry> table() {
    namespace p = vyd::palette;
    return {
        pair("textPrimary", p::textPrimary, bytes(8, 8, 8), bytes(255, 255, 255)),
        pair("textSecondary", p::textSecondary, bytes(8, 8, 8, 0.5), bytes(255, 255, 255, 0.5)),
        fixed("textSecondaryLight", p::textSecondaryLight, bytes(8, 8, 8, 0.5)),
        fixed("textSecondaryDark", p::textSecondaryDark, bytes(255, 255, 255, 0.5)),
        pair("themedText", p::themedText, grey(1), grey(0)),
        pair("inversedThemedText", p::inversedThemedText, grey(0), grey(1)),
        pair("themedSubTitle", p::themedSubTitle, fraction(0.6746488, 0.6890887, 0.7148605),
             fraction(0.5294023, 0.544161, 0.5656634)),
        pair("themedElementBackground", p::themedElementBackground, fraction(0.35423163, 0.36879966, 0.41167507),
             fraction(0.91764706, 0.91764706, 0.91764706)),
        pair("themedGlobalBackground", p::themedGlobalBackground, fraction(0.27058825, 0.27432492, 0.3216106),
             fraction(0.97254926, 0.972549, 0.97254914)),
        pair("backgroundSecondary", p::backgroundSecondary, bytes(255, 255, 255), bytes(39, 39, 39)),
        fixed("backgroundSecondaryLight", p::backgroundSecondaryLight, bytes(255, 255, 255)),
        fixed("backgroundSecondaryDark", p::backgroundSecondaryDark, bytes(39, 39, 39)),
        fixed("pureWhite", p::pureWhite, bytes(255, 255, 255)),
        pair("backgroundTransparencePrimary", p::backgroundTransparencePrimary, bytes(8, 8, 8, 0.02),
             bytes(255, 255, 255, 0.06)),
        pair("backgroundTransparenceSecondary", p::backgroundTransparenceSecondary, bytes(8, 8, 8, 0.06),
             bytes(255, 255, 255, 0.12)),
        fixed("backgroundTransparenceSecondaryLight", p::backgroundTransparenceSecondaryLight, bytes(8, 8, 8, 0.06)),
        fixed("backgroundTransparenceSecondaryDark", p::backgroundTransparenceSecondaryDark,
              bytes(255, 255, 255, 0.12)),
        pair("backgroundTransparenceThird", p::backgroundTransparenceThird, bytes(248, 248, 248), bytes(68, 69, 80)),
        pair("borderPrimary", p::borderPrimary, bytes(8, 8, 8, 0.08), bytes(255, 255, 255, 0.1)),
        fixed("separatorColor", p::separatorColor, bytes(0, 0, 0, 0.12)),
        pair("overlay", p::overlay, grey(0, 0.2), grey(0, 0.6)),
        pair("accent", p::accent, bytes(20, 143, 43), bytes(36, 178, 62)),
        pair("logoGreenWhite", p::logoGreenWhite, bytes(20, 143, 43), bytes(255, 255, 255)),
        fixed("greenSecondary", p::greenSecondary, bytes(224, 251, 225)),
        pair("greenShadow", p::greenShadow, bytes(106, 193, 156), bytes(106, 193, 156)),
        fixed("secondaryShadow", p::secondaryShadow, bytes(0, 0, 0, 0.15)),
        fixed("lightShadow", p::lightShadow, bytes(0, 0, 0, 0.25)),
        fixed("iconDragModel", p::iconDragModel, bytes(255, 255, 255, 0.25)),
        pair("darkGradientStart", p::darkGradientStart, bytes(255, 255, 255), bytes(70, 68, 80)),
        pair("darkGradientEnd", p::darkGradientEnd, bytes(255, 255, 255), bytes(63, 86, 99)),
        pair("shimmerColor", p::shimmerColor, bytes(236, 240, 241), bytes(28, 35, 37)),
    };
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

TEST(PaletteTest, EveryEntryHasItsLightAndDarkComponents) {
    for (const Entry& entry : table()) {
        const UIColor color = entry.read();
        EXPECT_EQ(color.isDynamic(), entry.dynamic) << entry.name;
        EXPECT_FALSE(entry.read().isIdentical(color)) << entry.name << ": every read makes a new colour";
        expectColor(color.resolvedColor(style(UIUserInterfaceStyle::light)), entry.light, std::string(entry.name) + " light");
        expectColor(color.resolvedColor(style(UIUserInterfaceStyle::unspecified)), entry.light,
                    std::string(entry.name) + " unspecified");
        expectColor(color.resolvedColor(style(UIUserInterfaceStyle::dark)), entry.dark, std::string(entry.name) + " dark");
    }
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
        {"darkGray", vyd::palette::darkGray, vyd::palette::setDarkGray, fraction(darkGray, darkGray, darkGray)},
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
        {UIUserInterfaceStyle::light, 0},       {UIUserInterfaceStyle::light, 0},
        {UIUserInterfaceStyle::dark, 1},        {UIUserInterfaceStyle::dark, 1},
        {UIUserInterfaceStyle::unspecified, 2}, {UIUserInterfaceStyle::light, 3},
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
