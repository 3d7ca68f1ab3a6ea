#include "sdk/screens/loginbutton/LoginButtonSettings.hpp"
#include "sdk/screens/loginbutton/VYDInvalidOptionError.hpp"

#include "LoginButtonTestSupport.hpp"
#include "platform/uikit/UIImage.hpp"
#include "sdk/catalogue/L10n.hpp"
#include "sdk/uikit/Palette.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

using coregraphics::CGFloat;
using coregraphics::CGSize;
using vyd::LoginButtonSettings;
using vyd::VYDCornerRadiusStyle;
using vyd::VYDLoginButtonStyle;
using vyd::VYDLoginButtonTextType;

using vydtest::infinity;
using vydtest::notANumber;

class LoginButtonSettingsTest : public vydtest::LoginButtonTestBase {};

// `count` copies of a cluster.
std::string repeated(const std::string& cluster, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        text += cluster;
    }
    return text;
}

} // namespace

TEST_F(LoginButtonSettingsTest, EachStyleHasItsDefaults) {
    const LoginButtonSettings green(VYDLoginButtonStyle::green);
    EXPECT_EQ(green.backgroundColor(), VYDLoginButtonStyle::green);
    EXPECT_EQ(green.logoName(), "logo_white");
    EXPECT_EQ(green.titleColor(), uikit::UIColor::white());
    EXPECT_EQ(green.loaderColor(), uikit::UIColor::white());
    EXPECT_EQ(green.borderColor(), uikit::UIColor::clear());
    EXPECT_EQ(green.borderWidth(), 0);

    const LoginButtonSettings white(VYDLoginButtonStyle::white);
    EXPECT_EQ(white.backgroundColor(), VYDLoginButtonStyle::white);
    EXPECT_EQ(white.logoName(), "logo_green");
    EXPECT_EQ(white.titleColor(), uikit::UIColor::black());
    EXPECT_EQ(white.loaderColor(), uikit::UIColor::gray());
    EXPECT_EQ(white.borderColor(), vyd::palette::defaultBorder());
    EXPECT_EQ(white.borderWidth(), 1);

    for (const auto* settings : {&green, &white}) {
        EXPECT_EQ(settings->textType(), VYDLoginButtonTextType::loginWithVyID);
        EXPECT_EQ(settings->cornerRadius(), 4);
        EXPECT_EQ(settings->desiredSize(), CGSize());
        EXPECT_EQ(settings->logoSize(), (CGSize{16, 16}));
        EXPECT_EQ(settings->fontSize(), 14);
        EXPECT_EQ(settings->height(), 0);
        EXPECT_EQ(settings->width(), 0);
    }
}

TEST_F(LoginButtonSettingsTest, EqualOnlyWhenEveryFieldIsEqual) {
    const auto base = [] { return LoginButtonSettings(VYDLoginButtonStyle::white); };
    EXPECT_TRUE(base() == base());

    const std::vector<std::pair<const char*, std::function<void(LoginButtonSettings&)>>> changes = {
        {"textType", [](auto& s) { s.setTextType(VYDLoginButtonTextType::vyID); }},
        {"borderColor", [](auto& s) { s.setBorderColor(uikit::UIColor::red()); }},
        {"titleColor", [](auto& s) { s.setTitleColor(uikit::UIColor::red()); }},
        {"desiredSize",
         [](auto& s) {
             s.setDesiredSize({1, 0});
         }},
        {"logoSize",
         [](auto& s) {
             s.setLogoSize({16, 17});
         }},
        {"logoName", [](auto& s) { s.setLogoName("logo_white"); }},
        {"width", [](auto& s) { s.setWidth(120); }},
    };
    for (const auto& [field, change] : changes) {
        auto changed = base();
        change(changed);
        EXPECT_FALSE(changed == base()) << field;
    }
    EXPECT_FALSE(LoginButtonSettings(VYDLoginButtonStyle::green) == base()) << "style";
}

TEST_F(LoginButtonSettingsTest, RawValuesOutsideTheEnumerationsAreRefused) {
    using vyd::fromRawValue;
    EXPECT_EQ(fromRawValue<VYDLoginButtonStyle>(1), VYDLoginButtonStyle::white);
    EXPECT_EQ(fromRawValue<VYDLoginButtonTextType>(3), VYDLoginButtonTextType::continueWithVyID);
    EXPECT_EQ(fromRawValue<VYDCornerRadiusStyle>(2), VYDCornerRadiusStyle::capsule);
    for (const std::int64_t raw : {std::int64_t{-1}, std::int64_t{4}, std::numeric_limits<std::int64_t>::max(),
                                   std::numeric_limits<std::int64_t>::min()}) {
        EXPECT_EQ(fromRawValue<VYDLoginButtonTextType>(raw), std::nullopt) << raw;
    }
    EXPECT_EQ(fromRawValue<VYDLoginButtonStyle>(2), std::nullopt);
    EXPECT_EQ(fromRawValue<VYDCornerRadiusStyle>(3), std::nullopt);

    try {
        LoginButtonSettings settings(static_cast<VYDLoginButtonStyle>(2));
        FAIL() << "a style of raw value 2 was accepted";
    } catch (const vyd::VYDInvalidOptionError& error) {
        EXPECT_EQ(error.optionType(), "VYDLoginButtonStyle");
        EXPECT_EQ(error.rawValue(), 2);
        EXPECT_STREQ(error.what(), "VYDLoginButtonStyle has no case with raw value 2 (valid: 0 to 1)");
    }
    EXPECT_THROW(LoginButtonSettings(VYDLoginButtonStyle::green, static_cast<VYDLoginButtonTextType>(-1), 4, 0,
                                     uikit::UIColor::clear(), uikit::UIColor::white(), {}, uikit::UIColor::white(),
                                     "logo_white", {16, 16}, 14, 0, 0),
                 vyd::VYDInvalidOptionError);

    LoginButtonSettings settings(VYDLoginButtonStyle::green);
    EXPECT_THROW(settings.setTextType(static_cast<VYDLoginButtonTextType>(9)), vyd::VYDInvalidOptionError);
    EXPECT_EQ(settings.textType(), VYDLoginButtonTextType::loginWithVyID) << "a refused value changes nothing";
    settings.setHeight(40);
    EXPECT_THROW(vyd::applyCornerStyle(settings, static_cast<VYDCornerRadiusStyle>(3)), vyd::VYDInvalidOptionError);
    EXPECT_EQ(settings.cornerRadius(), 4);
    EXPECT_THROW(vyd::loginButtonText(static_cast<VYDLoginButtonTextType>(4)), vyd::VYDInvalidOptionError);
}

TEST_F(LoginButtonSettingsTest, MinimalWidthIsThePlainTextTwoPointsLargerPlusThreeLogos) {
    // A stored name must not count: the width is for the plain text.
    storeMaskedName("A rather long masked name for the width");
    LoginButtonSettings settings(VYDLoginButtonStyle::white);
    ASSERT_TRUE(settings.maskedName());
    for (const auto& [fontSize, logo] : {std::pair<CGFloat, CGFloat>{14, 16}, {14, 22}, {16, 26}}) {
        settings.setFontSize(fontSize);
        settings.setLogoSize({logo, logo});
        const CGFloat textWidth = uikit::sizeWithFont(settings.text(), uikit::UIFont::systemFont(fontSize + 2)).width;
        EXPECT_GT(textWidth, uikit::sizeWithFont(settings.text(), settings.font()).width);
        EXPECT_DOUBLE_EQ(settings.minimalWidth(), textWidth + 3 * logo) << fontSize << " " << logo;
    }
}

TEST_F(LoginButtonSettingsTest, LogoIsRedrawnAtTheLogoSize) {
    LoginButtonSettings settings(VYDLoginButtonStyle::green);
    const auto traits = uikit::UITraitCollection::current();
    // Asked again at another display scale, the logo is drawn anew at that scale.
    for (const CGFloat scale : {3.0, 2.0, 3.0}) {
        uikit::UITraitCollection::setCurrent(uikit::UITraitCollection::withDisplayScale(scale));
        for (const CGFloat side : {16.0, 22.0, 26.0, 16.0}) {
            settings.setLogoSize({side, side});
            const auto logo = settings.logoImage();
            ASSERT_TRUE(logo) << side;
            EXPECT_EQ(logo->size(), (CGSize{side, side}));
            EXPECT_EQ(logo->scale(), scale);
            EXPECT_EQ(logo->cgImage()->width(), static_cast<std::size_t>(side * scale));
        }
    }
    uikit::UITraitCollection::setCurrent(traits);
    settings.setLogoName("no_such_logo");
    EXPECT_EQ(settings.logoImage(), nullptr);
    // A size nothing can be drawn at leaves the image as loaded.
    settings.setLogoName("logo_green");
    settings.setLogoSize({0, 0});
    const auto unchanged = settings.logoImage();
    ASSERT_TRUE(unchanged);
    EXPECT_EQ(unchanged->size(), (CGSize{24, 24}));
}

TEST_F(LoginButtonSettingsTest, SizingRuleFollowsTheDesiredHeight) {
    struct Row {
        CGFloat desired;
        CGFloat height;
        CGFloat logo;
        CGFloat font;
    };
    const Row rows[] = {
        {27.9, 28, 16, 14},
        {28, 28, 16, 14},
        {30, 30, 16, 14},
        {33, 32, 16, 14},
        {34, 32, 16, 14},
        {34.5, 34.5, 22, 14},
        {40, 40, 22, 14},
        {49, 48, 22, 14},
        {50, 48, 22, 14},
        {50.5, 50.5, 26, 16},
        {55, 55, 26, 16},
        {100, 64, 26, 16},
        // Sizes that are no sizes give the rule's lower limit, never NaN.
        {0, 28, 16, 14},
        {-40, 28, 16, 14},
        {notANumber, 28, 16, 14},
        {infinity, 28, 16, 14},
        {-infinity, 28, 16, 14},
    };
    for (const auto& row : rows) {
        LoginButtonSettings settings(VYDLoginButtonStyle::green);
        settings.setDesiredSize({0, row.desired});
        vyd::sizeHeightToDesiredSize(settings);
        EXPECT_EQ(settings.height(), row.height) << row.desired;
        EXPECT_EQ(settings.logoSize(), (CGSize{row.logo, row.logo})) << row.desired;
        EXPECT_EQ(settings.fontSize(), row.font) << row.desired;
    }
}

TEST_F(LoginButtonSettingsTest, UserPerceivedCharactersAreGraphemeClusters) {
    struct Row {
        std::string text;
        std::size_t length;
    };
    const Row rows[] = {
        {"", 0},
        {"Ivan I.", 7},
        {"\xd0\x98\xd0\xb2\xd0\xb0\xd0\xbd", 4}, // Cyrillic, two bytes each
        {"e\xcc\x81", 1},                        // e + combining acute accent
        {"\xf0\x9f\x87\xb7\xf0\x9f\x87\xba", 1}, // a flag: two regional indicators
        {"\xf0\x9f\x91\xa8\xe2\x80\x8d\xf0\x9f\x91\xa9\xe2\x80\x8d\xf0\x9f\x91\xa7", 1}, // family (ZWJ)
        {"\r\n", 1},
        {"a\xff"
         "b",
         3}, // a stray byte counts as one
    };
    for (const auto& [text, length] : rows) {
        EXPECT_EQ(vyd::userPerceivedLength(text), length) << text;
    }
}

TEST_F(LoginButtonSettingsTest, PersonalisedTitleDependsOnTheNamesLengthInCharacters) {
    const LoginButtonSettings settings(VYDLoginButtonStyle::green);
    const std::size_t textLength = vyd::userPerceivedLength(settings.text());
    ASSERT_EQ(textLength, 17u);

    // Many bytes per character: counting bytes or code points would take these for longer names.
    const std::string accented = "e\xcc\x81";
    const std::string family = "\xf0\x9f\x91\xa8\xe2\x80\x8d\xf0\x9f\x91\xa9\xe2\x80\x8d\xf0\x9f\x91\xa7";
    for (const auto& cluster : {std::string("x"), accented, family}) {
        const auto asLong = repeated(cluster, textLength);
        EXPECT_EQ(settings.adaptedDescription(asLong), " Login as " + asLong);
        const auto longer = repeated(cluster, textLength + 1);
        EXPECT_EQ(settings.adaptedDescription(longer), "  " + longer);
    }
    EXPECT_EQ(settings.adaptedDescription(""), " Login as ");
}

TEST_F(LoginButtonSettingsTest, MaskedNameComesFromTheBankAppsRecordOnEveryRead) {
    LoginButtonSettings settings(VYDLoginButtonStyle::green);
    EXPECT_EQ(settings.maskedName(), std::nullopt) << "nothing stored";

    storeMaskedName("Ivan I.");
    EXPECT_EQ(settings.maskedName(), "Ivan I.");
    storeMaskedName("Maria P.");
    EXPECT_EQ(settings.maskedName(), "Maria P.") << "read afresh, never cached";

    storeMaskedName("");
    EXPECT_EQ(settings.maskedName(), std::nullopt) << "an empty name counts as none";

    storeMaskedName("Ivan I.");
    settings.setTextType(VYDLoginButtonTextType::vyID);
    EXPECT_EQ(settings.maskedName(), std::nullopt) << "the short text type is never personalised";
    for (const auto type : {VYDLoginButtonTextType::fillWithVyID, VYDLoginButtonTextType::continueWithVyID}) {
        settings.setTextType(type);
        EXPECT_EQ(settings.maskedName(), "Ivan I.");
    }
}
