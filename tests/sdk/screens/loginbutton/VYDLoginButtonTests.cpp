#include "sdk/screens/loginbutton/VYDLoginButton.hpp"

#include "LoginButtonTestSupport.hpp"
#include "platform/testing/SimulatedUser.hpp"
#include "platform/uikit/UIActivityIndicatorView.hpp"
#include "sdk/catalogue/L10n.hpp"
#include "sdk/catalogue/SdkBundle.hpp"
#include "sdk/screens/loginbutton/LoginButtonSettings.hpp"
#include "sdk/screens/loginbutton/VYDInvalidOptionError.hpp"
#include "sdk/services/RemoteConfig.hpp"
#include "sdk/uikit/Palette.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using coregraphics::CGFloat;
using coregraphics::CGRect;
using coregraphics::CGSize;
using uikit::UIControlState;
using vyd::AnalyticsEventAction;
using vyd::VYDLoginButton;
using vyd::VYDLoginButtonStyle;
using vyd::VYDLoginButtonTextType;

using vydtest::infinity;
using vydtest::notANumber;
// The layout writes frames rounded to millionths of a point.
constexpr CGFloat layoutPrecision = 1e-6;

class CountingObserver : public vyd::VYDLoginButtonObserverProtocol {
public:
    void loginButtonWasHidden() override { ++calls; }
    int calls = 0;
};

class VYDLoginButtonTest : public vydtest::LoginButtonTestBase {
protected:
    // The host app's screen with the button laid out in it.
    static std::shared_ptr<uikit::UIView> placeOnScreen(const std::shared_ptr<VYDLoginButton>& button) {
        const auto root = uikit::UIView::make({0, 0, 1000, 400});
        root->addSubview(button);
        root->layoutIfNeeded();
        return root;
    }
    static CGRect laidOutFrame(const std::shared_ptr<VYDLoginButton>& button) {
        const auto root = placeOnScreen(button);
        return button->frame();
    }

    // The minimal width a button of that text type gets for the desired height.
    static CGFloat minimalWidthFor(VYDLoginButtonTextType textType, CGFloat desiredHeight) {
        vyd::LoginButtonSettings probe(VYDLoginButtonStyle::green);
        probe.setTextType(textType);
        probe.setDesiredSize({0, desiredHeight});
        vyd::sizeHeightToDesiredSize(probe);
        return probe.minimalWidth();
    }

    void blockClients(std::vector<std::string> blacklist) {
        auto config = vyd::RemoteConfig::defaultConfig();
        config.usersBlacklist = std::move(blacklist);
        store->setRemoteConfig(config);
    }
    void restrictVersions(vyd::VersionRestrictions restrictions) {
        auto config = vyd::RemoteConfig::defaultConfig();
        config.versionRestrictions = std::move(restrictions);
        store->setRemoteConfig(config);
    }

    std::shared_ptr<CountingObserver> observer = std::make_shared<CountingObserver>();
};

} // namespace

TEST_F(VYDLoginButtonTest, ShortInitialiserGivesTheDefaultTextAndA50By30Request) {
    const auto button = VYDLoginButton::make(VYDLoginButtonStyle::white, observer);
    const auto& settings = *button->settings();
    EXPECT_EQ(settings.textType(), VYDLoginButtonTextType::loginWithVyID);
    EXPECT_EQ(settings.desiredSize(), (CGSize{50, 30}));
    EXPECT_EQ(settings.height(), 30);
    EXPECT_EQ(settings.logoSize(), (CGSize{16, 16}));
    EXPECT_EQ(settings.fontSize(), 14);

    const auto frame = laidOutFrame(button);
    EXPECT_EQ(frame.size.height, 30);
    EXPECT_GE(frame.size.width, 50);
    EXPECT_GE(frame.size.width, settings.minimalWidth() - layoutPrecision);
    EXPECT_NEAR(frame.size.width, settings.width(), layoutPrecision);
    EXPECT_FALSE(button->translatesAutoresizingMaskIntoConstraints());
    EXPECT_EQ(observer->calls, 0);
    EXPECT_FALSE(button->isHidden());
}

TEST_F(VYDLoginButtonTest, EachStyleIsDrawnWithItsColoursLogoAndFont) {
    for (const auto style : {VYDLoginButtonStyle::green, VYDLoginButtonStyle::white}) {
        SCOPED_TRACE(vyd::string(style));
        const auto button = VYDLoginButton::make(style, VYDLoginButtonTextType::fillWithVyID, {300, 40}, nullptr);
        const bool green = style == VYDLoginButtonStyle::green;
        EXPECT_EQ(button->backgroundColor(), green ? vyd::palette::brand() : uikit::UIColor::white());
        EXPECT_EQ(button->titleColor(UIControlState::normal),
                  green ? uikit::UIColor::white() : uikit::UIColor::black());
        EXPECT_EQ(button->layer()->borderWidth(), green ? 0 : 1);
        EXPECT_EQ(button->layer()->borderColor(),
                  (green ? uikit::UIColor::clear() : vyd::palette::defaultBorder()).cgColor());
        EXPECT_EQ(button->layer()->cornerRadius(), 4);
        EXPECT_EQ(button->title(UIControlState::normal), vyd::L10n::Ui::LoginButton::fillWithVyIdB64());
        EXPECT_EQ(button->titleLabel()->font(), uikit::UIFont::systemFont(14));
        EXPECT_EQ(button->titleLabel()->lineBreakMode(), uikit::NSLineBreakMode::byTruncatingTail);
        // A 40-point button draws a 22-point logo with that much room on either side.
        EXPECT_EQ(button->contentEdgeInsets(), (uikit::UIEdgeInsets{0, 22, 0, 22}));
        for (const auto state : {UIControlState::normal, UIControlState::highlighted}) {
            const auto logo = button->image(state);
            ASSERT_TRUE(logo);
            EXPECT_EQ(logo->size(), (CGSize{22, 22}));
        }
        EXPECT_EQ(button->settings()->logoName(), green ? "logo_white" : "logo_green");
    }
}

TEST_F(VYDLoginButtonTest, LaidOutFramesFollowTheSizingRule) {
    struct Row {
        CGSize desired;
        CGFloat height;
        CGFloat width; // 0: the minimal width
    };
    const Row rows[] = {
        {{400, 27.9}, 28, 400},
        {{400, 33}, 32, 400},
        {{400, 34.5}, 34.5, 400},
        {{400, 49}, 48, 400},
        {{400, 50.5}, 50.5, 400},
        {{400, 100}, 64, 400},
        {{10, 44}, 44, 0},
        // Sizes that are no sizes: the rule's limits, never a crash or a NaN frame.
        {{0, 0}, 28, 0},
        {{-20, -20}, 28, 0},
        {{notANumber, notANumber}, 28, 0},
        {{infinity, infinity}, 28, 0},
        {{notANumber, 40}, 40, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.desired.width << " x " << row.desired.height);
        const auto button = VYDLoginButton::make(VYDLoginButtonStyle::green, VYDLoginButtonTextType::loginWithVyID,
                                                 row.desired, nullptr);
        button->setCornerRadius(vyd::VYDCornerRadiusStyle::capsule);
        const auto frame = laidOutFrame(button);
        const CGFloat minimal = minimalWidthFor(VYDLoginButtonTextType::loginWithVyID, row.height);
        ASSERT_TRUE(std::isfinite(frame.size.width) && std::isfinite(frame.size.height));
        EXPECT_EQ(frame.size.height, row.height);
        EXPECT_GE(frame.size.width, minimal - layoutPrecision);
        EXPECT_NEAR(frame.size.width, row.width == 0 ? minimal : row.width, layoutPrecision);
        EXPECT_EQ(button->layer()->cornerRadius(), frame.size.height / 2) << "a capsule";
    }
}

TEST_F(VYDLoginButtonTest, TooNarrowARequestIsReportedOnceAndAnExactOneNot) {
    const CGFloat minimal = minimalWidthFor(VYDLoginButtonTextType::continueWithVyID, 48);
    VYDLoginButton::make(VYDLoginButtonStyle::white, VYDLoginButtonTextType::continueWithVyID, {minimal, 48}, nullptr);
    EXPECT_TRUE(eventsNamed(AnalyticsEventAction::vyIDWrongButtonSize).empty());

    const auto button =
        VYDLoginButton::make(VYDLoginButtonStyle::white, VYDLoginButtonTextType::continueWithVyID, {100, 48}, nullptr);
    const auto wrong = eventsNamed(AnalyticsEventAction::vyIDWrongButtonSize);
    ASSERT_EQ(wrong.size(), 1u);
    EXPECT_EQ(wrong[0].params.at("desiredWidth"), "100");
    EXPECT_EQ(wrong[0].params.at("measuredWidth"), vyd::AnalyticsParamsMaker::formatPoints(minimal));
    EXPECT_NEAR(laidOutFrame(button).size.width, minimal, layoutPrecision);

    const auto shown = eventsNamed(AnalyticsEventAction::vyIDLoginShow);
    ASSERT_EQ(shown.size(), 2u) << "one show event per button";
    EXPECT_EQ(shown[1].params.at("buttonStyle"), "white");
    EXPECT_EQ(shown[1].params.at("buttonHeight"), "48");
    EXPECT_EQ(shown[1].params.at("buttonWidth"), vyd::AnalyticsParamsMaker::formatPoints(minimal));
    EXPECT_EQ(shown[1].params.at("personalView"), "0");
    EXPECT_EQ(store->buttonSettings(), button->settings()) << "the store shares the button's settings";
}

TEST_F(VYDLoginButtonTest, BlacklistedClientHidesTheButtonDuringCreation) {
    store->setClientId("Partner-Shop");
    blockClients({"partner-shop"});
    std::vector<std::string> order;
    sink->onEvent = [&](const vyd::AnalyticsEvent& event) { order.push_back(event.name); };

    const auto button = VYDLoginButton::make(VYDLoginButtonStyle::green, observer);
    EXPECT_EQ(observer->calls, 1);
    EXPECT_TRUE(button->isHidden());
    // Hidden before it is sized (50 wide is too narrow), shown last, also when hidden.
    EXPECT_EQ(order, (std::vector<std::string>{vyd::eventName(AnalyticsEventAction::vyIDLoginBlocked),
                                               vyd::eventName(AnalyticsEventAction::vyIDWrongButtonSize),
                                               vyd::eventName(AnalyticsEventAction::vyIDLoginShow)}));
    EXPECT_EQ(eventsNamed(AnalyticsEventAction::vyIDLoginBlocked).at(0).params.at("reason"), "blocked");
    // Still sized and drawn, only hidden.
    EXPECT_EQ(laidOutFrame(button).size.height, 30);
    EXPECT_EQ(button->title(UIControlState::normal), vyd::L10n::Ui::LoginButton::loginWithVyIdB64());

    drainMainQueue();
    EXPECT_TRUE(printed.empty());
    EXPECT_EQ(observer->calls, 1);
}

TEST_F(VYDLoginButtonTest, CriticalVersionHidesAndItsMessageComesAfterCreation) {
    const std::string version = vyd::curentSdkVersion();
    ASSERT_FALSE(version.empty());
    restrictVersions({"99.0.0", std::nullopt, std::vector<std::string>{"0.0.1", version}});

    const auto button = VYDLoginButton::make(VYDLoginButtonStyle::white, observer);
    EXPECT_TRUE(button->isHidden());
    EXPECT_EQ(observer->calls, 1);
    EXPECT_EQ(eventsNamed(AnalyticsEventAction::vyIDLoginBlocked).at(0).params.at("reason"), "version");
    EXPECT_TRUE(printed.empty()) << "printed before the initialiser returned";

    drainMainQueue();
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_EQ(printed[0], vyd::Logger::format(
                              vyd::L10n::Logs::versionErrorMessageValues(vyd::L10n::Ui::Common::vyIdB64(), "99.0.0")));
}

TEST_F(VYDLoginButtonTest, BankAppsRecordPersonalisesTheTitle) {
    storeMaskedName("Ivan I.");
    const auto button =
        VYDLoginButton::make(VYDLoginButtonStyle::green, VYDLoginButtonTextType::loginWithVyID, {300, 40}, nullptr);
    EXPECT_EQ(button->title(UIControlState::normal), " Login as Ivan I.");
    EXPECT_TRUE(store->isButtonPersonalized());
    EXPECT_EQ(eventsNamed(AnalyticsEventAction::vyIDLoginShow).at(0).params.at("personalView"), "1");
    // The width stays that of the plain text.
    EXPECT_DOUBLE_EQ(button->settings()->width(), 300);

    const std::string longName = "Konstantin Konstantinopolsky";
    storeMaskedName(longName);
    EXPECT_TRUE(button->attemptToPersonalize());
    EXPECT_EQ(button->title(UIControlState::normal), "  " + longName);

    const auto plain =
        VYDLoginButton::make(VYDLoginButtonStyle::green, VYDLoginButtonTextType::vyID, {300, 40}, nullptr);
    EXPECT_EQ(plain->title(UIControlState::normal), vyd::L10n::Ui::LoginButton::vyIdB64());
    EXPECT_FALSE(store->isButtonPersonalized());
}

TEST_F(VYDLoginButtonTest, UnusableRecordsLeaveTheUsualText) {
    for (const char* record : {"not json at all", R"({"maskedName": ""})", R"({"maskedName": null})", "[]"}) {
        SCOPED_TRACE(record);
        storeBankRecord(record);
        store->setIsButtonPersonalized(true);
        const auto button = VYDLoginButton::make(VYDLoginButtonStyle::white, observer);
        EXPECT_EQ(button->title(UIControlState::normal), vyd::L10n::Ui::LoginButton::loginWithVyIdB64());
        EXPECT_FALSE(store->isButtonPersonalized());
        // A later attempt that finds nothing keeps the title as it is.
        EXPECT_FALSE(button->attemptToPersonalize());
        EXPECT_EQ(button->title(UIControlState::normal), vyd::L10n::Ui::LoginButton::loginWithVyIdB64());
    }
}

TEST_F(VYDLoginButtonTest, LoaderReplacesContentAndGivesItBack) {
    storeMaskedName("Ivan I.");
    const auto button =
        VYDLoginButton::make(VYDLoginButtonStyle::white, VYDLoginButtonTextType::loginWithVyID, {260, 48}, nullptr);
    EXPECT_TRUE(button->isLoaderHidden());
    EXPECT_EQ(button->loaderView()->superview(), nullptr);

    button->setIsLoaderHidden(false);
    EXPECT_FALSE(button->isLoaderHidden());
    EXPECT_EQ(button->image(UIControlState::normal), nullptr);
    EXPECT_EQ(button->image(UIControlState::highlighted), nullptr);
    EXPECT_EQ(button->title(UIControlState::normal), std::nullopt);
    const auto& loader = button->loaderView();
    EXPECT_EQ(loader->superview().get(), button.get());
    EXPECT_TRUE(loader->isAnimating());
    EXPECT_EQ(loader->color(), uikit::UIColor::gray());
    EXPECT_EQ(loader->center(), (coregraphics::CGPoint{130, 24}));

    storeMaskedName("Maria P.");
    button->setIsLoaderHidden(true);
    EXPECT_TRUE(button->isLoaderHidden());
    EXPECT_EQ(loader->superview(), nullptr);
    ASSERT_TRUE(button->image(UIControlState::normal));
    EXPECT_EQ(button->image(UIControlState::normal)->size(), (CGSize{22, 22}));
    EXPECT_TRUE(button->image(UIControlState::highlighted));
    EXPECT_EQ(button->title(UIControlState::normal), " Login as Maria P.") << "personalised afresh";

    // Writing the same value again runs the steps again.
    storeBankRecord("{}");
    button->setIsLoaderHidden(true);
    EXPECT_EQ(button->title(UIControlState::normal), vyd::L10n::Ui::LoginButton::loginWithVyIdB64());
}

TEST_F(VYDLoginButtonTest, BorderColourOnlyForTheWhiteStyle) {
    const auto green = VYDLoginButton::make(VYDLoginButtonStyle::green, observer);
    const auto greenBorder = green->settings()->borderColor();
    green->setBorderColor(uikit::UIColor::red());
    EXPECT_EQ(green->settings()->borderColor(), greenBorder);
    EXPECT_EQ(green->layer()->borderColor(), greenBorder.cgColor());

    const auto white = VYDLoginButton::make(VYDLoginButtonStyle::white, observer);
    white->setBorderColor(uikit::UIColor::red());
    EXPECT_EQ(white->settings()->borderColor(), uikit::UIColor::red());
    EXPECT_EQ(white->layer()->borderColor(), uikit::UIColor::red().cgColor());
}

TEST_F(VYDLoginButtonTest, CornerRadiusStyles) {
    const auto button =
        VYDLoginButton::make(VYDLoginButtonStyle::white, VYDLoginButtonTextType::loginWithVyID, {300, 48}, nullptr);
    button->setCornerRadius(vyd::VYDCornerRadiusStyle::capsule);
    EXPECT_EQ(button->layer()->cornerRadius(), 24);
    EXPECT_EQ(button->settings()->cornerRadius(), 24);
    button->setCornerRadius(std::int64_t{0});
    EXPECT_EQ(button->layer()->cornerRadius(), 0);
    button->setCornerRadius(std::int64_t{1});
    EXPECT_EQ(button->layer()->cornerRadius(), 4);
    EXPECT_THROW(button->setCornerRadius(std::int64_t{3}), vyd::VYDInvalidOptionError);
    EXPECT_THROW(button->setCornerRadius(static_cast<vyd::VYDCornerRadiusStyle>(-1)), vyd::VYDInvalidOptionError);
    EXPECT_EQ(button->layer()->cornerRadius(), 4) << "a refused style changes nothing";
    EXPECT_EQ(button->settings()->cornerRadius(), 4);
}

TEST_F(VYDLoginButtonTest, OutOfRangeRawValuesAreRefusedBeforeAnythingHappens) {
    blockClients({""});
    EXPECT_THROW(VYDLoginButton::initWithType(2, observer), vyd::VYDInvalidOptionError);
    EXPECT_THROW(VYDLoginButton::initWithType(0, 4, {200, 40}, observer), vyd::VYDInvalidOptionError);
    EXPECT_THROW(VYDLoginButton::initWithType(-1, 1, {200, 40}, observer), vyd::VYDInvalidOptionError);
    EXPECT_THROW(VYDLoginButton::make(static_cast<VYDLoginButtonStyle>(9), observer), vyd::VYDInvalidOptionError);
    EXPECT_EQ(observer->calls, 0);
    EXPECT_TRUE(sink->events().empty());

    const auto button = VYDLoginButton::initWithType(1, 3, {200, 40}, observer);
    EXPECT_EQ(button->settings()->backgroundColor(), VYDLoginButtonStyle::white);
    EXPECT_EQ(button->settings()->textType(), VYDLoginButtonTextType::continueWithVyID);
    EXPECT_EQ(observer->calls, 1) << "the valid one is blocked as usual";
}

TEST_F(VYDLoginButtonTest, TapsReachTheHostAppsTargetOncePerAction) {
    int taps = 0;
    const auto countTap = [&taps](uikit::UIControl&, const uikit::UIEvent*) { ++taps; };
    const auto button = VYDLoginButton::make(VYDLoginButtonStyle::green, observer);
    button->addTarget(countTap, uikit::UIControlEvents::touchUpInside);
    const auto screen = placeOnScreen(button);
    EXPECT_EQ(::testing::SimulatedUser::tap(button), button);
    ::testing::SimulatedUser::tap(button);
    EXPECT_EQ(taps, 2);
    EXPECT_EQ(eventsNamed(AnalyticsEventAction::vyIDLoginShow).size(), 1u) << "a tap reports nothing";

    const auto plain = VYDLoginButton::make(CGRect{0, 0, 100, 40});
    plain->addTarget(countTap, uikit::UIControlEvents::touchUpInside);
    plain->sendActions(uikit::UIControlEvents::touchUpInside);
    EXPECT_EQ(taps, 3) << "a button without a controller delivers too";

    blockClients({""});
    const auto blocked = VYDLoginButton::make(VYDLoginButtonStyle::green, observer);
    blocked->addTarget(countTap, uikit::UIControlEvents::touchUpInside);
    const auto blockedScreen = placeOnScreen(blocked);
    EXPECT_EQ(::testing::SimulatedUser::tap(blocked), blockedScreen) << "a hidden button takes no touches";
    EXPECT_EQ(taps, 3);
}

TEST_F(VYDLoginButtonTest, PlainButtonIsNeitherSizedNorDrawn) {
    storeMaskedName("Ivan I.");
    const auto button = VYDLoginButton::make(CGRect{10, 20, 120, 40});
    EXPECT_EQ(button->controller(), nullptr);
    EXPECT_EQ(button->frame(), (CGRect{10, 20, 120, 40}));
    EXPECT_TRUE(button->translatesAutoresizingMaskIntoConstraints());
    EXPECT_EQ(button->title(UIControlState::normal), std::nullopt);
    const auto* settings = dynamic_cast<const vyd::LoginButtonSettings*>(button->settings().get());
    ASSERT_NE(settings, nullptr);
    EXPECT_TRUE(*settings == vyd::LoginButtonSettings(VYDLoginButtonStyle::white));
    EXPECT_TRUE(button->isLoaderHidden());
    EXPECT_TRUE(button->attemptToPersonalize()) << "personalises without a controller";
    EXPECT_EQ(button->title(UIControlState::normal), " Login as Ivan I.");
    EXPECT_FALSE(store->isButtonPersonalized());
    EXPECT_TRUE(sink->events().empty());
}

TEST_F(VYDLoginButtonTest, ButtonOwnsItsControllerAndSharesItsSettings) {
    auto button = VYDLoginButton::make(VYDLoginButtonStyle::white, observer);
    const std::weak_ptr<vyd::LoginButtonControllerProtocol> controller = button->controller();
    const std::weak_ptr<VYDLoginButton> weakButton = button;
    const auto settings = button->settings();
    EXPECT_EQ(store->buttonSettings(), settings);
    button.reset();
    EXPECT_TRUE(weakButton.expired()) << "the controller must not keep its button";
    EXPECT_TRUE(controller.expired());
    EXPECT_EQ(store->buttonSettings(), settings) << "the settings outlive the button in the store";
}
