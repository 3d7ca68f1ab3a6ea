// The login button, its settings and its controller, each test with a session store, analytics and
// parameter maker of its own, a keychain file of its own and the log captured.
#include "platform/foundation/Dispatch.hpp"
#include "platform/security/Keychain.hpp"
#include "platform/testing/SimulatedUser.hpp"
#include "platform/uikit/UIActivityIndicatorView.hpp"
#include "platform/uikit/UIImage.hpp"
#include "sdk/base/DIContainer.hpp"
#include "sdk/base/Logger.hpp"
#include "sdk/catalogue/L10n.hpp"
#include "sdk/screens/loginbutton/LoginButtonController.hpp"
#include "sdk/screens/loginbutton/LoginButtonSettings.hpp"
#include "sdk/screens/loginbutton/VYDInvalidOptionError.hpp"
#include "sdk/screens/loginbutton/VYDLoginButton.hpp"
#include "sdk/services/AnalyticsParamsMaker.hpp"
#include "sdk/services/AnalyticsService.hpp"
#include "sdk/services/RemoteConfig.hpp"
#include "sdk/services/StaticStorageService.hpp"
#include "sdk/uikit/Palette.hpp"
#include "support/sdk/RecordingAnalyticsSink.hpp"
#include "support/sdk/ScopedServices.hpp"
#include "support/sdk/TemporaryKeychain.hpp"

#include <gmock/gmock.h>

#include <cmath>
#include <limits>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

using namespace uikit;
using namespace vyd;
using Type = VYDLoginButtonTextType;
using Strings = std::vector<std::string>;
constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();
constexpr double infinity = std::numeric_limits<double>::infinity();
// The layout writes frames rounded to millionths of a point.
constexpr CGFloat layoutPrecision = 1e-6;

// The default configuration with a blacklist and version restrictions.
vyd::RemoteConfig config(std::optional<Strings> blacklist, std::optional<VersionRestrictions> restrictions) {
    return {{}, {}, {}, std::move(blacklist), std::move(restrictions), false, {}, {}};
}

class CountingObserver : public VYDLoginButtonObserverProtocol {
public:
    void loginButtonWasHidden() override { ++calls; }
    int calls = 0;
};

class LoginButtonTest : public ::testing::Test {
protected:
    vydtest::ScopedServices services;

    void SetUp() override {
        foundation::RunLoop::main().discardPending();
        Logger::setOutput([this](std::string_view text) { printed.emplace_back(text); });
        services.replace(&DIContainer::setStaticStorageService, store);
        services.replace(&DIContainer::setAnalyticsService, analytics);
        services.replace(&DIContainer::setAnalyticsParamsMaker, paramsMaker);
    }
    void TearDown() override {
        foundation::RunLoop::main().runUntilIdle();
        Logger::setOutput({});
    }

    // What a VY Bank app leaves in the keychain it shares with the SDK.
    void storeBankRecord(const std::string& content) {
        security::Keychain keychain(temporaryKeychain.file());
        const security::KeychainItem item{"VYBank.VYID.shared", "personalizedButtonData", "VYBank.shared",
                                          security::Bytes(content.begin(), content.end())};
        ASSERT_EQ(keychain.set(item), security::errSecSuccess);
    }
    void storeMaskedName(const std::string& name) { storeBankRecord(R"({"maskedName": ")" + name + R"("})"); }
    void blockClients(Strings blacklist) { store->setRemoteConfig(config(std::move(blacklist), std::nullopt)); }
    std::vector<AnalyticsEvent> eventsNamed(AnalyticsEventAction action) const {
        auto found = sink->events();
        std::erase_if(found, [&](const AnalyticsEvent& event) { return event.name != eventName(action); });
        return found;
    }

    // The host app's screen with the button laid out in it.
    static std::shared_ptr<UIView> placeOnScreen(const std::shared_ptr<VYDLoginButton>& button) {
        const auto root = UIView::make({0, 0, 1000, 400});
        root->addSubview(button);
        root->layoutIfNeeded();
        return root;
    }
    static CGRect laidOutFrame(const std::shared_ptr<VYDLoginButton>& button) {
        const auto root = placeOnScreen(button);
        return button->frame();
    }
    static std::string title(const std::shared_ptr<VYDLoginButton>& button) {
        return button->title(UIControlState::normal).value_or("<none>");
    }

    vydtest::TemporaryKeychain temporaryKeychain;
    Strings printed;
    std::shared_ptr<vydtest::RecordingAnalyticsSink> sink = std::make_shared<vydtest::RecordingAnalyticsSink>();
    std::shared_ptr<AnalyticsService> analytics = std::make_shared<AnalyticsService>(sink);
    std::shared_ptr<StaticStorageService> store = std::make_shared<StaticStorageService>(analytics);
    std::shared_ptr<AnalyticsParamsMaker> paramsMaker =
        std::make_shared<AnalyticsParamsMaker>(store, nullptr, [] { return std::string("2.3.0"); });
    std::shared_ptr<CountingObserver> observer = std::make_shared<CountingObserver>();
};

using LoginButtonSettingsTest = LoginButtonTest;
using VYDLoginButtonTest = LoginButtonTest;

// The button and the host's observer, writing into one log with the events.
class FakeButtonAndObserver : public VYDLoginButtonProtocol, public VYDLoginButtonObserverProtocol {
public:
    explicit FakeButtonAndObserver(Strings& log) : log(log) {}
    void hideButton() override { log.push_back("button hidden"); }
    void loginButtonWasHidden() override { log.push_back("observer told"); }
    Strings& log;
};

class LoginButtonControllerTest : public LoginButtonTest {
protected:
    void SetUp() override {
        LoginButtonTest::SetUp();
        sink->onEvent = [this](const AnalyticsEvent& event) { log.push_back(event.name); };
    }
    std::shared_ptr<LoginButtonController> makeController(const std::string& sdkVersion = "2.3.0") {
        return std::make_shared<LoginButtonController>(nullptr, paramsMaker, store, button, settings, button,
                                                       [sdkVersion] { return sdkVersion; });
    }

    Strings log;
    std::shared_ptr<FakeButtonAndObserver> button = std::make_shared<FakeButtonAndObserver>(log);
    std::shared_ptr<LoginButtonSettings> settings = std::make_shared<LoginButtonSettings>(VYDLoginButtonStyle::white);
};

} // namespace

TEST_F(LoginButtonSettingsTest, MinimalWidthIsThePlainTextTwoPointsLargerPlusThreeLogos) {
    storeMaskedName("A rather long masked name for the width"); // must not count
    LoginButtonSettings settings(VYDLoginButtonStyle::white);
    for (const auto& [fontSize, logo] : {std::pair<CGFloat, CGFloat>{14, 16}, {16, 26}}) {
        settings.setFontSize(fontSize);
        settings.setLogoSize({logo, logo});
        const CGFloat textWidth = sizeWithFont(settings.text(), UIFont::systemFont(fontSize + 2)).width;
        EXPECT_DOUBLE_EQ(settings.minimalWidth(), textWidth + 3 * logo) << fontSize;
    }
}

TEST_F(LoginButtonSettingsTest, LogoIsRedrawnAtTheLogoSizeAndScale) {
    LoginButtonSettings settings(VYDLoginButtonStyle::green);
    const auto traits = UITraitCollection::current();
    UITraitCollection::setCurrent(UITraitCollection::withDisplayScale(3));
    for (const CGFloat side : {16.0, 26.0}) {
        settings.setLogoSize({side, side});
        const auto logo = settings.logoImage();
        ASSERT_TRUE(logo) << side;
        EXPECT_EQ(logo->size(), (CGSize{side, side}));
        EXPECT_EQ(logo->cgImage()->width(), static_cast<std::size_t>(side * 3)) << "drawn at the display's scale";
    }
    UITraitCollection::setCurrent(traits);
    settings.setLogoName("no_such_logo");
    EXPECT_EQ(settings.logoImage(), nullptr);
}

// Many bytes per character: counting bytes or code points would take these for longer names.
TEST_F(LoginButtonSettingsTest, PersonalisedTitleDependsOnTheNamesLengthInCharacters) {
    const LoginButtonSettings settings(VYDLoginButtonStyle::green);
    const std::size_t textLength = userPerceivedLength(settings.text());
    ASSERT_EQ(textLength, 17u);
    EXPECT_EQ(userPerceivedLength(std::string("a\xff") + "b"), 3u) << "a stray byte is one character";
    const std::string family = "\xf0\x9f\x91\xa8\xe2\x80\x8d\xf0\x9f\x91\xa9\xe2\x80\x8d\xf0\x9f\x91\xa7";
    for (const auto& cluster : {std::string("x"), std::string("e\xcc\x81"), family}) {
        std::string asLong;
        for (std::size_t i = 0; i < textLength; ++i) {
            asLong += cluster;
        }
        EXPECT_EQ(settings.adaptedDescription(asLong), " Login as " + asLong);
        EXPECT_EQ(settings.adaptedDescription(asLong + cluster), "  " + asLong + cluster);
    }
}

TEST_F(LoginButtonSettingsTest, MaskedNameComesFromTheBankAppsRecordOnEveryReadAndEqualityTakesEveryField) {
    LoginButtonSettings settings(VYDLoginButtonStyle::green);
    auto wider = settings;
    EXPECT_TRUE(wider == settings);
    wider.setWidth(120);
    EXPECT_FALSE(wider == settings) << "width";
    EXPECT_FALSE(LoginButtonSettings(VYDLoginButtonStyle::white) == settings) << "style";

    EXPECT_EQ(settings.maskedName(), std::nullopt) << "nothing stored";
    storeMaskedName("Ivan I.");
    EXPECT_EQ(settings.maskedName(), "Ivan I.");
    storeMaskedName("Maria P.");
    EXPECT_EQ(settings.maskedName(), "Maria P.") << "read afresh, never cached";
    storeMaskedName("");
    EXPECT_EQ(settings.maskedName(), std::nullopt) << "an empty name counts as none";
    storeMaskedName("Ivan I.");
    settings.setTextType(Type::vyID);
    EXPECT_EQ(settings.maskedName(), std::nullopt) << "the short text type is never personalised";
}

TEST_F(LoginButtonControllerTest, HideRulesFirstMatchWins) {
    using R = VersionRestrictions;
    using Message = std::string (*)(std::string_view, std::string_view);
    const auto error = &L10n::Logs::versionErrorMessageValues;
    const auto warning = &L10n::Logs::versionWarningMessageValues;
    const auto info = &L10n::Logs::versionInfoMessageValues;
    const std::nullopt_t none = std::nullopt;
    // Columns: title, client, configuration, SDK version, hide reason, log message.
    using Row = std::tuple<const char*, std::optional<std::string>, RemoteConfig, std::string,
                           std::optional<LoginButtonHideReason>, Message>;
    const Row rows[] = {
        // clang-format off
        {"nothing configured", "shop", config(none, none), "2.3.0", none, nullptr},
        {"client lowered", "ABC", config(Strings{"abc"}, none), "2.3.0", LoginButtonHideReason::blacklist, nullptr},
        {"entries not lowered", "ABC", config(Strings{"ABC"}, none), "2.3.0", none, nullptr},
        {"non-ASCII client lowered", "\xc3\x84X", config(Strings{"\xc3\xa4x"}, none), "2.3.0",
         LoginButtonHideReason::blacklist, nullptr},
        {"no client, empty entry", none, config(Strings{"x", ""}, none), "2.3.0", LoginButtonHideReason::blacklist,
         nullptr},
        {"blacklist before critical", "abc", config(Strings{"abc"}, R{"2.4.0", none, Strings{"2.3.0"}}), "2.3.0",
         LoginButtonHideReason::blacklist, nullptr},
        {"critical", "shop", config(Strings{"abc"}, R{"2.4.0", "2.3.5", Strings{"2.3.0"}}), "2.3.0",
         LoginButtonHideReason::versions, error},
        {"critical without a current version", "shop", config(none, R{none, none, Strings{"2.3.0"}}), "2.3.0",
         LoginButtonHideReason::versions, error},
        {"critical matches exactly", "shop", config(none, R{"2.3", none, Strings{"2.3"}}), "2.3.0", none, nullptr},
        {"warning when equal", "shop", config(none, R{"2.4.0", "2.3.0", none}), "2.3.0", none, warning},
        {"information when older", "shop", config(none, R{"2.4.0", "2.2.9", none}), "2.3.0", none, info},
        {"current", "shop", config(none, R{"2.3.0", none, none}), "2.3.0", none, nullptr},
        // Versions order as numbers; a pre-release comes before its release; text that is no
        // version counts as 0.
        {"1.9.0 below current 1.10.0", "shop", config(none, R{"1.10.0", none, none}), "1.9.0", none, info},
        {"1.10.0 above warning 1.9.0", "shop", config(none, R{"1.10.0", "1.9.0", none}), "1.10.0", none, nullptr},
        {"a number beyond any integer", "shop", config(none, R{"99999999999999999999999.0", none, none}), "2.3.0",
         none, info},
        {"above a pre-release", "shop", config(none, R{"2.3.0-beta", none, none}), "2.3.0", none, nullptr},
        {"no version at all", "shop", config(none, R{"abc", "x.y", none}), "2.3.0", none, nullptr},
        {"no current, no message", "shop", config(none, R{none, none, none}), "2.3.0", none, nullptr},
        // clang-format on
    };
    for (const auto& [title, clientId, config, sdkVersion, reason, message] : rows) {
        SCOPED_TRACE(title);
        log.clear();
        printed.clear();
        store->setClientId(clientId);
        store->setRemoteConfig(config);
        const auto controller = makeController(sdkVersion);
        controller->hideButtonIfNeeded();
        EXPECT_TRUE(printed.empty()) << "printed before the main queue ran";
        foundation::RunLoop::main().runUntilIdle();

        EXPECT_EQ(controller->reasonForButtonHiding(), reason);
        // The reason is stored before the observer hears, the event goes last.
        const Strings hidden = {"button hidden", "observer told", eventName(AnalyticsEventAction::vyIDLoginBlocked)};
        EXPECT_EQ(log, reason ? hidden : Strings{});
        if (reason) {
            EXPECT_EQ(sink->events().back().params.at("reason"), rawValue(*reason));
        }
        const auto current = config.versionRestrictions ? config.versionRestrictions->current : none;
        EXPECT_EQ(printed, message ? Strings{Logger::format(message(L10n::Ui::Common::vyIdB64(), current.value_or("")))}
                                   : Strings{});
    }
}

// Creation resets the personalisation and refreshes the login identifier; a button and an
// observer that have gone are skipped, and the blocked event still sent.
TEST_F(LoginButtonControllerTest, CreationAndAHidingWithTheButtonGone) {
    store->setClientId("partner-shop");
    store->setIsButtonPersonalized(true);
    sink->setUserLoginId("someone else");
    store->setRemoteConfig(config(std::nullopt, VersionRestrictions{"3.0.0", std::nullopt, Strings{"2.3.0"}}));
    const auto controller = makeController();
    EXPECT_FALSE(store->isButtonPersonalized());
    EXPECT_EQ(sink->userLoginId(), "partner-shop");
    controller->buttonPersonalizationChanged(true);
    EXPECT_TRUE(store->isButtonPersonalized());
    button.reset();
    controller->hideButtonIfNeeded();
    EXPECT_EQ(std::tuple(controller->reasonForButtonHiding(), log, sink->events().back().params.at("reason")),
              std::tuple(LoginButtonHideReason::versions, Strings{eventName(AnalyticsEventAction::vyIDLoginBlocked)},
                         "version"));
}

TEST_F(VYDLoginButtonTest, ShortInitialiserGivesTheDefaultTextAndA50By30Request) {
    const auto button = VYDLoginButton::initWithType(1, observer);
    EXPECT_EQ(std::tuple(title(button), button->image(UIControlState::normal)->size(), button->titleLabel()->font()),
              std::tuple(L10n::Ui::LoginButton::loginWithVyIdB64(), CGSize{16, 16}, UIFont::systemFont(14)));
    const auto frame = laidOutFrame(button);
    EXPECT_EQ(frame.size.height, 30);
    EXPECT_GE(frame.size.width, 50);
    EXPECT_NEAR(frame.size.width, button->settings()->minimalWidth(), layoutPrecision);
}

TEST_F(VYDLoginButtonTest, EachStyleIsDrawnWithItsColoursLogoAndFont) {
    for (const auto style : {VYDLoginButtonStyle::green, VYDLoginButtonStyle::white}) {
        SCOPED_TRACE(string(style));
        const auto button = VYDLoginButton::make(style, Type::fillWithVyID, {300, 40}, nullptr);
        const bool green = style == VYDLoginButtonStyle::green;
        EXPECT_EQ(std::tuple(button->backgroundColor(), button->titleColor(UIControlState::normal),
                             button->layer()->borderWidth(), button->layer()->borderColor(),
                             button->settings()->logoName(), title(button)),
                  std::tuple(green ? palette::brand() : UIColor::white(), green ? UIColor::white() : UIColor::black(),
                             green ? 0 : 1, (green ? UIColor::clear() : palette::defaultBorder()).cgColor(),
                             green ? "logo_white" : "logo_green", L10n::Ui::LoginButton::fillWithVyIdB64()));
        // A 40-point button draws a 22-point logo with that much room on either side.
        EXPECT_EQ(std::tuple(button->contentEdgeInsets(), button->image(UIControlState::highlighted)->size()),
                  std::tuple(UIEdgeInsets{0, 22, 0, 22}, CGSize{22, 22}));
        button->setBorderColor(UIColor::red());
        EXPECT_EQ(button->layer()->borderColor(), (green ? UIColor::clear() : UIColor::red()).cgColor())
            << "only the white style takes a border colour";
    }
}

TEST_F(VYDLoginButtonTest, LaidOutFramesFollowTheSizingRule) {
    // Columns: desired size, height, logo side, font size, width (0: the minimal width).
    const std::tuple<CGSize, CGFloat, CGFloat, CGFloat, CGFloat> rows[] = {
        // clang-format off
        {{400, 27.9}, 28, 16, 14, 400},   {{400, 28}, 28, 16, 14, 400},   {{400, 34}, 32, 16, 14, 400},
        {{400, 34.5}, 34.5, 22, 14, 400}, {{400, 50}, 48, 22, 14, 400},   {{400, 50.5}, 50.5, 26, 16, 400},
        {{400, 100}, 64, 26, 16, 400},    {{10, 44}, 44, 22, 14, 0},
        // Sizes that are no sizes: the rule's limits, never a crash or a NaN frame.
        {{-20, -20}, 28, 16, 14, 0},      {{notANumber, notANumber}, 28, 16, 14, 0},
        {{infinity, infinity}, 28, 16, 14, 0},
        // clang-format on
    };
    for (const auto& [desired, height, logo, font, width] : rows) {
        SCOPED_TRACE(::testing::Message() << desired.width << " x " << desired.height);
        const auto button = VYDLoginButton::make(VYDLoginButtonStyle::green, Type::loginWithVyID, desired, nullptr);
        button->setCornerRadius(VYDCornerRadiusStyle::capsule);
        const auto frame = laidOutFrame(button);
        ASSERT_TRUE(std::isfinite(frame.size.width) && std::isfinite(frame.size.height));
        EXPECT_NEAR(frame.size.width, width == 0 ? button->settings()->minimalWidth() : width, layoutPrecision);
        EXPECT_EQ(std::tuple(frame.size.height, button->settings()->logoSize(), button->settings()->fontSize(),
                             button->layer()->cornerRadius()),
                  std::tuple(height, CGSize{logo, logo}, font, height / 2));
    }
}

TEST_F(VYDLoginButtonTest, TooNarrowARequestIsReportedOnceAndAnExactOneNot) {
    const auto button = VYDLoginButton::make(VYDLoginButtonStyle::white, Type::continueWithVyID, {100, 48}, nullptr);
    const CGFloat minimal = button->settings()->minimalWidth();
    VYDLoginButton::make(VYDLoginButtonStyle::white, Type::continueWithVyID, {minimal, 48}, nullptr);
    const auto wrong = eventsNamed(AnalyticsEventAction::vyIDWrongButtonSize);
    ASSERT_EQ(wrong.size(), 1u) << "only the button narrower than its content is reported";
    EXPECT_EQ(std::tuple(wrong[0].params.at("desiredWidth"), wrong[0].params.at("measuredWidth")),
              std::tuple(std::string("100"), AnalyticsParamsMaker::formatPoints(minimal)));
    EXPECT_NEAR(laidOutFrame(button).size.width, minimal, layoutPrecision);

    const auto shown = eventsNamed(AnalyticsEventAction::vyIDLoginShow);
    ASSERT_EQ(shown.size(), 2u) << "one show event per button";
    EXPECT_EQ(std::tuple(shown[0].params.at("buttonStyle"), shown[0].params.at("buttonHeight"),
                         shown[0].params.at("personalView")),
              std::tuple("white", "48", "0"));
}

TEST_F(VYDLoginButtonTest, BlacklistedClientHidesTheButtonDuringCreation) {
    store->setClientId("Partner-Shop");
    blockClients({"partner-shop"});
    std::vector<std::string> order;
    sink->onEvent = [&](const AnalyticsEvent& event) { order.push_back(event.name); };

    const auto button = VYDLoginButton::make(VYDLoginButtonStyle::green, observer);
    EXPECT_EQ(std::tuple(observer->calls, button->isHidden()), std::tuple(1, true));
    // Hidden before it is sized (50 wide is too narrow), shown last, also when hidden.
    EXPECT_EQ(order, (std::vector<std::string>{eventName(AnalyticsEventAction::vyIDLoginBlocked),
                                               eventName(AnalyticsEventAction::vyIDWrongButtonSize),
                                               eventName(AnalyticsEventAction::vyIDLoginShow)}));
    EXPECT_EQ(laidOutFrame(button).size.height, 30) << "still sized, only hidden";
    foundation::RunLoop::main().runUntilIdle();
    EXPECT_TRUE(printed.empty());
}

TEST_F(VYDLoginButtonTest, BankAppsRecordPersonalisesTheTitle) {
    storeMaskedName("Ivan I.");
    const auto button = VYDLoginButton::make(VYDLoginButtonStyle::green, Type::loginWithVyID, {300, 40}, nullptr);
    EXPECT_EQ(std::tuple(title(button), store->isButtonPersonalized(),
                         eventsNamed(AnalyticsEventAction::vyIDLoginShow).at(0).params.at("personalView")),
              std::tuple(" Login as Ivan I.", true, "1"));
    EXPECT_DOUBLE_EQ(button->settings()->width(), 300) << "the width stays that of the plain text";

    storeMaskedName("Konstantin Konstantinopolsky");
    EXPECT_TRUE(button->attemptToPersonalize());
    EXPECT_EQ(title(button), "  Konstantin Konstantinopolsky");

    const auto plain = VYDLoginButton::make(VYDLoginButtonStyle::green, Type::vyID, {300, 40}, nullptr);
    EXPECT_EQ(title(plain), L10n::Ui::LoginButton::vyIdB64());
    EXPECT_FALSE(store->isButtonPersonalized());

    storeBankRecord("not json at all"); // the service's own tests go through the other unusable records
    const auto unusable = VYDLoginButton::make(VYDLoginButtonStyle::white, observer);
    EXPECT_EQ(title(unusable), L10n::Ui::LoginButton::loginWithVyIdB64());
    EXPECT_FALSE(store->isButtonPersonalized());
}

TEST_F(VYDLoginButtonTest, LoaderReplacesContentAndGivesItBack) {
    storeMaskedName("Ivan I.");
    const auto button = VYDLoginButton::make(VYDLoginButtonStyle::white, Type::loginWithVyID, {260, 48}, nullptr);
    EXPECT_TRUE(button->isLoaderHidden());
    button->setIsLoaderHidden(false);
    const auto& loader = button->loaderView();
    EXPECT_EQ(std::tuple(button->image(UIControlState::normal), button->title(UIControlState::normal),
                         loader->superview().get(), loader->isAnimating(), loader->center()),
              std::tuple(nullptr, std::nullopt, button.get(), true, coregraphics::CGPoint{130, 24}));

    storeMaskedName("Maria P.");
    button->setIsLoaderHidden(true);
    EXPECT_EQ(loader->superview(), nullptr);
    ASSERT_TRUE(button->image(UIControlState::normal));
    EXPECT_EQ(title(button), " Login as Maria P.") << "personalised afresh";
}

TEST_F(VYDLoginButtonTest, OutOfRangeRawValuesAreRefusedBeforeAnythingHappens) {
    blockClients({""});
    EXPECT_THAT([&] { VYDLoginButton::initWithType(2, observer); },
                ::testing::ThrowsMessage<VYDInvalidOptionError>(
                    ::testing::StrEq("VYDLoginButtonStyle has no case with raw value 2 (valid: 0 to 1)")));
    EXPECT_THROW(VYDLoginButton::initWithType(0, 4, {200, 40}, observer), VYDInvalidOptionError);
    EXPECT_THROW(VYDLoginButton::initWithType(-1, 1, {200, 40}, observer), VYDInvalidOptionError);
    EXPECT_EQ(observer->calls, 0);
    EXPECT_TRUE(sink->events().empty());

    const auto button = VYDLoginButton::initWithType(1, 3, {200, 40}, observer);
    EXPECT_EQ(std::tuple(button->settings()->textType(), observer->calls), std::tuple(Type::continueWithVyID, 1))
        << "the valid one is blocked as usual";
    button->setCornerRadius(std::int64_t{0});
    EXPECT_EQ(button->layer()->cornerRadius(), 0);
    EXPECT_THROW(button->setCornerRadius(std::int64_t{3}), VYDInvalidOptionError);
    EXPECT_EQ(button->layer()->cornerRadius(), 0) << "a refused style changes nothing";
}

TEST_F(VYDLoginButtonTest, TapsReachTheHostAppsTargetOncePerActionAndReportNothing) {
    int taps = 0;
    const auto countTap = [&taps](UIControl&, const UIEvent*) { ++taps; };
    const auto button = VYDLoginButton::make(VYDLoginButtonStyle::green, observer);
    button->addTarget(countTap, UIControlEvents::touchUpInside);
    const auto screen = placeOnScreen(button);
    EXPECT_EQ(::testing::SimulatedUser::tap(button), button);
    ::testing::SimulatedUser::tap(button);
    EXPECT_EQ(taps, 2);
    EXPECT_EQ(eventsNamed(AnalyticsEventAction::vyIDLoginShow).size(), 1u) << "a tap reports nothing";

    blockClients({""});
    const auto blocked = VYDLoginButton::make(VYDLoginButtonStyle::green, observer);
    blocked->addTarget(countTap, UIControlEvents::touchUpInside);
    const auto blockedScreen = placeOnScreen(blocked);
    EXPECT_EQ(::testing::SimulatedUser::tap(blocked), blockedScreen) << "a hidden button takes no touches";
    EXPECT_EQ(taps, 2);
}

TEST_F(VYDLoginButtonTest, PlainButtonIsNeitherSizedNorReported) {
    storeMaskedName("Ivan I.");
    const auto button = VYDLoginButton::make(CGRect{10, 20, 120, 40});
    EXPECT_EQ(std::tuple(button->controller(), button->frame(), button->title(UIControlState::normal)),
              std::tuple(nullptr, CGRect{10, 20, 120, 40}, std::nullopt));
    EXPECT_TRUE(button->attemptToPersonalize()) << "personalises without a controller";
    EXPECT_EQ(title(button), " Login as Ivan I.");
    EXPECT_TRUE(sink->events().empty());
}

TEST_F(VYDLoginButtonTest, ButtonOwnsItsControllerAndSharesItsSettings) {
    auto button = VYDLoginButton::make(VYDLoginButtonStyle::white, observer);
    const std::weak_ptr<LoginButtonControllerProtocol> controller = button->controller();
    const std::weak_ptr<VYDLoginButton> weakButton = button;
    const auto settings = button->settings();
    button.reset();
    EXPECT_TRUE(weakButton.expired()) << "the controller must not keep its button";
    EXPECT_TRUE(controller.expired());
    EXPECT_EQ(store->buttonSettings(), settings) << "the settings outlive the button in the store";
}
