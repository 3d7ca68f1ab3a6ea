#include "UIKitTestSupport.hpp"

#include "platform/uikit/UIColor.hpp"

#include <memory>
#include <optional>

using coregraphics::CGColorSpace;
using coregraphics::CGColorSpaceModel;
using coregraphics::CGFloat;
using namespace uikittests;

namespace {

const UITraitCollection lightTraits = UITraitCollection::withUserInterfaceStyle(UIUserInterfaceStyle::light);
const UITraitCollection darkTraits = UITraitCollection::withUserInterfaceStyle(UIUserInterfaceStyle::dark);
const UITraitCollection unspecifiedTraits;

using ColorTest = UIKitTest;

std::vector<CGFloat> components(const UIColor& color, const UITraitCollection& traits) {
    return color.resolvedColor(traits).cgColor().components();
}

TEST_F(ColorTest, NamedColoursHaveThePlatformValues) {
    struct Case {
        const char* name;
        UIColor color;
        CGColorSpaceModel model;
        std::vector<CGFloat> light;
        std::vector<CGFloat> dark;
    };
    const Case cases[] = {
        {"white", UIColor::white(), CGColorSpaceModel::monochrome, {1, 1}, {1, 1}},
        {"black", UIColor::black(), CGColorSpaceModel::monochrome, {0, 1}, {0, 1}},
        {"gray", UIColor::gray(), CGColorSpaceModel::monochrome, {0.5, 1}, {0.5, 1}},
        {"clear", UIColor::clear(), CGColorSpaceModel::monochrome, {0, 0}, {0, 0}},
        {"red", UIColor::red(), CGColorSpaceModel::rgb, {1, 0, 0, 1}, {1, 0, 0, 1}},
        {"blue", UIColor::blue(), CGColorSpaceModel::rgb, {0, 0, 1, 1}, {0, 0, 1, 1}},
        {"systemBlue",
         UIColor::systemBlue(),
         CGColorSpaceModel::rgb,
         {0, 122 / 255.0, 1, 1},
         {10 / 255.0, 132 / 255.0, 1, 1}},
        {"systemGroupedBackground",
         UIColor::systemGroupedBackground(),
         CGColorSpaceModel::rgb,
         {242 / 255.0, 242 / 255.0, 247 / 255.0, 1},
         {0, 0, 0, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.color.resolvedColor(darkTraits).cgColor().colorSpace().model(), c.model);
        EXPECT_EQ(components(c.color, lightTraits), c.light);
        EXPECT_EQ(components(c.color, unspecifiedTraits), c.light);
        EXPECT_EQ(components(c.color, darkTraits), c.dark);
        EXPECT_EQ(c.color.isDynamic(), c.light != c.dark);
    }
    EXPECT_EQ(UIColor::systemBlue(), UIColor::systemBlue()) << "a named dynamic colour is the same object on each read";

    // The platform's white is grey with two components; white made from red, green and blue has four.
    const CGColor rgbWhite = UIColor(1.0, 1.0, 1.0, 1.0).cgColor();
    EXPECT_EQ(rgbWhite.colorSpace().model(), CGColorSpaceModel::rgb);
    EXPECT_EQ(rgbWhite.colorSpace().numberOfComponents(), 3);
    EXPECT_EQ(rgbWhite.components(), (std::vector<CGFloat>{1, 1, 1, 1}));
    EXPECT_NE(UIColor::white(), UIColor(1.0, 1.0, 1.0, 1.0));
    EXPECT_EQ(UIColor::white(), UIColor(1.0, 1.0)) << "static colours compare by space and components";
}

TEST_F(ColorTest, DynamicColourResolvesPerStyleAndKeepsItsPair) {
    const UIColor light(0.1, 0.2, 0.3, 1.0);
    const UIColor dark(0.9, 0.8, 0.7, 0.5);
    int calls = 0;
    const UIColor pair([&](const UITraitCollection& traits) {
        ++calls;
        return traits.userInterfaceStyle() == UIUserInterfaceStyle::dark ? dark : light;
    });

    EXPECT_TRUE(pair.isDynamic());
    EXPECT_TRUE(pair.resolvedColor(lightTraits).isIdentical(light));
    EXPECT_TRUE(pair.resolvedColor(unspecifiedTraits).isIdentical(light));
    EXPECT_TRUE(pair.resolvedColor(darkTraits).isIdentical(dark));
    EXPECT_TRUE(pair.resolvedColor(lightTraits).isIdentical(light)) << "resolving again gives the same colours";
    EXPECT_EQ(calls, 4) << "the provider runs on every resolution";

    UITraitCollection::setCurrent(darkTraits);
    EXPECT_EQ(pair.cgColor(), dark.cgColor());
    CGFloat r = 0, g = 0, b = 0, a = 0;
    ASSERT_TRUE(pair.getRed(r, g, b, a));
    EXPECT_EQ(a, 0.5);
    lightTraits.performAsCurrent([&] { EXPECT_EQ(pair.cgColor(), light.cgColor()); });
    EXPECT_EQ(pair.cgColor(), dark.cgColor()) << "performAsCurrent restores the previous traits";
}

TEST_F(ColorTest, DynamicColoursAreEqualOnlyByProvider) {
    auto makePair = [] {
        return UIColor([](const UITraitCollection& traits) {
            return traits.userInterfaceStyle() == UIUserInterfaceStyle::dark ? UIColor::black() : UIColor::white();
        });
    };
    const UIColor first = makePair();
    const UIColor second = makePair();
    const UIColor copy = first;
    EXPECT_EQ(first, copy);
    EXPECT_TRUE(first.isIdentical(copy));
    EXPECT_NE(first, second) << "same values but separate providers";
    EXPECT_NE(first, UIColor::white()) << "a dynamic colour never equals a static one";
}

TEST_F(ColorTest, GettersConvertGreyAndRgb) {
    CGFloat r = -1, g = -1, b = -1, a = -1;
    ASSERT_TRUE(UIColor(0.4, 0.6).getRed(r, g, b, a));
    EXPECT_EQ((std::vector<CGFloat>{r, g, b, a}), (std::vector<CGFloat>{0.4, 0.4, 0.4, 0.6}));

    CGFloat h = -1, s = -1, v = -1;
    ASSERT_TRUE(UIColor::white().getHue(h, s, v, a));
    EXPECT_EQ((std::vector<CGFloat>{h, s, v}), (std::vector<CGFloat>{0, 0, 1}));
}

TEST_F(ColorTest, HueSaturationBrightnessRoundTrips) {
    struct Case {
        CGFloat red, green, blue, hue, saturation, brightness;
    };
    const Case cases[] = {
        {1, 0, 0, 0, 1, 1},
        {0, 1, 0, 1 / 3.0, 1, 1},
        {0, 0, 1, 2 / 3.0, 1, 1},
        {1, 1, 0, 1 / 6.0, 1, 1},
        {1, 0, 1, 5 / 6.0, 1, 1},
        {0.5, 0.25, 0.25, 0, 0.5, 0.5},
        {0.2, 0.4, 0.3, 5 / 12.0, 0.5, 0.4},
        {0, 0, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.red << "," << c.green << "," << c.blue);
        CGFloat h = -1, s = -1, v = -1, a = -1;
        ASSERT_TRUE(UIColor(c.red, c.green, c.blue, 0.7).getHue(h, s, v, a));
        EXPECT_NEAR(h, c.hue, 1e-12);
        EXPECT_NEAR(s, c.saturation, 1e-12);
        EXPECT_NEAR(v, c.brightness, 1e-12);
        EXPECT_EQ(a, 0.7);

        CGFloat r = -1, g = -1, b = -1;
        ASSERT_TRUE(UIColor::fromHSB(h, s, v, a).getRed(r, g, b, a));
        EXPECT_NEAR(r, c.red, 1e-12);
        EXPECT_NEAR(g, c.green, 1e-12);
        EXPECT_NEAR(b, c.blue, 1e-12);
    }
    CGFloat r = -1, g = -1, b = -1, a = -1;
    ASSERT_TRUE(UIColor::fromHSB(1.0, 1, 1, 1).getRed(r, g, b, a));
    EXPECT_NEAR(r, 1, 1e-12) << "hue 1 wraps to red";
    EXPECT_NEAR(g, 0, 1e-12);
}

TEST_F(ColorTest, WithAlphaKeepsSpaceAndDynamicColoursStayDynamic) {
    const CGColor faded = UIColor::white().withAlphaComponent(0.2).cgColor();
    EXPECT_EQ(faded.colorSpace(), CGColorSpace::extendedGray());
    EXPECT_EQ(faded.components(), (std::vector<CGFloat>{1, 0.2}));

    const UIColor fadedBlue = UIColor::systemBlue().withAlphaComponent(0.5);
    EXPECT_TRUE(fadedBlue.isDynamic());
    EXPECT_EQ(components(fadedBlue, lightTraits), (std::vector<CGFloat>{0, 122 / 255.0, 1, 0.5}));
    EXPECT_EQ(components(fadedBlue, darkTraits), (std::vector<CGFloat>{10 / 255.0, 132 / 255.0, 1, 0.5}));
}

TEST_F(ColorTest, ProviderThatNeverSettlesResolvesToClear) {
    auto self = std::make_shared<std::optional<UIColor>>();
    const UIColor endless([self](const UITraitCollection&) { return **self; });
    *self = endless;
    EXPECT_EQ(endless.resolvedColor(lightTraits), UIColor::clear());
    self->reset(); // break the cycle so that the colour is freed
}

TEST(TraitCollection, StylesComeFromTheirRawValuesAndTraitsCombine) {
    EXPECT_EQ(userInterfaceStyleFromRawValue(2), UIUserInterfaceStyle::dark);
    EXPECT_FALSE(userInterfaceStyleFromRawValue(3));
    EXPECT_FALSE(userInterfaceStyleFromRawValue(-1));

    const auto combined =
        UITraitCollection::combining({darkTraits, UITraitCollection::withDisplayScale(2), unspecifiedTraits});
    EXPECT_EQ(combined.userInterfaceStyle(), UIUserInterfaceStyle::dark);
    EXPECT_EQ(combined.displayScale(), 2);
    EXPECT_TRUE(lightTraits.hasDifferentColorAppearance(darkTraits));
    EXPECT_FALSE(combined.hasDifferentColorAppearance(darkTraits));
}

} // namespace
