#include "UIKitTestSupport.hpp"

#include "platform/uikit/UIColor.hpp"

#include <memory>
#include <optional>

using coregraphics::CGFloat;
using namespace uikittests;

namespace {

const UITraitCollection lightTraits = UITraitCollection::withUserInterfaceStyle(UIUserInterfaceStyle::light);
const UITraitCollection darkTraits = UITraitCollection::withUserInterfaceStyle(UIUserInterfaceStyle::dark);
const UITraitCollection unspecifiedTraits;

using ColorTest = UIKitTest;
using Values = std::vector<CGFloat>;
using ::testing::DoubleNear;
using ::testing::Pointwise;

std::vector<CGFloat> components(const UIColor& color, const UITraitCollection& traits) {
    return color.resolvedColor(traits).cgColor().components();
}

TEST_F(ColorTest, NamedColoursResolveAsLightWithoutAStyleAndOnlySystemOnesChangeInDark) {
    for (const UIColor& color : {UIColor::white(), UIColor::clear(), UIColor::red(), UIColor::systemBlue(),
                                 UIColor::systemGroupedBackground()}) {
        const auto light = components(color, lightTraits);
        EXPECT_EQ(components(color, unspecifiedTraits), light);
        EXPECT_EQ(color.isDynamic(), components(color, darkTraits) != light);
    }
    EXPECT_TRUE(UIColor::systemBlue().isDynamic());
    EXPECT_EQ(components(UIColor::systemBlue(), lightTraits), (std::vector<CGFloat>{0, 122 / 255.0, 1, 1}));
    EXPECT_EQ(components(UIColor::systemBlue(), darkTraits), (std::vector<CGFloat>{10 / 255.0, 132 / 255.0, 1, 1}));
    EXPECT_EQ(UIColor::systemBlue(), UIColor::systemBlue()) << "a named dynamic colour is the same object on each read";

    // The platform's white is grey with two components; white made from red, green and blue has four.
    EXPECT_EQ(components(UIColor::white(), lightTraits), (std::vector<CGFloat>{1, 1}));
    EXPECT_EQ(UIColor(1.0, 1.0, 1.0, 1.0).cgColor().components(), (std::vector<CGFloat>{1, 1, 1, 1}));
    EXPECT_NE(UIColor::white(), UIColor(1.0, 1.0, 1.0, 1.0));
    EXPECT_EQ(UIColor::white(), UIColor(1.0, 1.0)) << "static colours compare by space and components";
}

TEST_F(ColorTest, DynamicColourResolvesPerStyleAndComparesByProvider) {
    const UIColor light(0.1, 0.2, 0.3, 1.0);
    const UIColor dark(0.9, 0.8, 0.7, 0.5);
    const auto provider = [&](const UITraitCollection& traits) {
        return traits.userInterfaceStyle() == UIUserInterfaceStyle::dark ? dark : light;
    };
    const UIColor pair(provider);
    EXPECT_TRUE(pair.resolvedColor(unspecifiedTraits).isIdentical(light));
    EXPECT_TRUE(pair.resolvedColor(darkTraits).isIdentical(dark));

    UITraitCollection::setCurrent(darkTraits);
    EXPECT_EQ(pair.cgColor(), dark.cgColor());
    lightTraits.performAsCurrent([&] { EXPECT_EQ(pair.cgColor(), light.cgColor()); });
    EXPECT_EQ(pair.cgColor(), dark.cgColor()) << "performAsCurrent restores the previous traits";

    const UIColor copy = pair;
    EXPECT_EQ(pair, copy);
    EXPECT_NE(pair, UIColor(provider)) << "same values but separate providers";
    EXPECT_NE(pair, light) << "a dynamic colour never equals a static one";
}

TEST_F(ColorTest, RgbAndHueSaturationBrightnessRoundTrip) {
    struct Case {
        CGFloat red, green, blue, hue, saturation, brightness;
    };
    const Case cases[] = {
        {1, 0, 0, 0, 1, 1},
        {0, 0, 1, 2 / 3.0, 1, 1},
        {1, 0, 1, 5 / 6.0, 1, 1},
        {0.5, 0.25, 0.25, 0, 0.5, 0.5},
        {0.2, 0.4, 0.3, 5 / 12.0, 0.5, 0.4},
        {0, 0, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.red << "," << c.green << "," << c.blue);
        CGFloat h = -1, s = -1, v = -1, a = -1;
        ASSERT_TRUE(UIColor(c.red, c.green, c.blue, 0.7).getHue(h, s, v, a));
        EXPECT_THAT((Values{h, s, v, a}), Pointwise(DoubleNear(1e-12), Values{c.hue, c.saturation, c.brightness, 0.7}));
        CGFloat r = -1, g = -1, b = -1;
        ASSERT_TRUE(UIColor::fromHSB(h, s, v, a).getRed(r, g, b, a));
        EXPECT_THAT((Values{r, g, b}), Pointwise(DoubleNear(1e-12), Values{c.red, c.green, c.blue}));
    }
    CGFloat r = -1, g = -1, b = -1, a = -1;
    ASSERT_TRUE(UIColor(0.4, 0.6).getRed(r, g, b, a));
    EXPECT_EQ((std::vector<CGFloat>{r, g, b, a}), (std::vector<CGFloat>{0.4, 0.4, 0.4, 0.6})) << "grey reads as rgb";
    ASSERT_TRUE(UIColor::fromHSB(1.0, 1, 1, 1).getRed(r, g, b, a));
    EXPECT_THAT((Values{r, g}), Pointwise(DoubleNear(1e-12), Values{1, 0})) << "hue 1 wraps to red";
}

TEST_F(ColorTest, ProviderThatNeverSettlesResolvesToClear) {
    auto self = std::make_shared<std::optional<UIColor>>();
    const UIColor endless([self](const UITraitCollection&) { return **self; });
    *self = endless;
    EXPECT_EQ(endless.resolvedColor(lightTraits), UIColor::clear());
    self->reset(); // break the cycle so that the colour is freed
}

} // namespace
