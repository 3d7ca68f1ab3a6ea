#include "sdk/catalogue/L10n.hpp"
#include "sdk/catalogue/SdkBundle.hpp"
#include "sdk/screens/loginbutton/LoginButtonSettingsProtocol.hpp"
#include "sdk/services/AnalyticsParamsMaker.hpp"
#include "sdk/services/AnalyticsService.hpp"
#include "sdk/services/InMemoryAnalyticsSink.hpp"
#include "sdk/services/StaticStorageService.hpp"
#include "support/sdk/RecordingAnalyticsSink.hpp"

#include <gtest/gtest.h>

#include <set>

using vyd::AnalyticsEventAction;
using vyd::AnalyticsParams;

namespace {

// The settings the show event reads; everything else answers a neutral value.
class FakeButtonSettings : public vyd::LoginButtonSettingsProtocol {
public:
    vyd::VYDLoginButtonStyle style = vyd::VYDLoginButtonStyle::green;
    CGFloat buttonHeight = 0;
    CGFloat buttonWidth = 0;

    vyd::VYDLoginButtonStyle backgroundColor() const override { return style; }
    vyd::VYDLoginButtonTextType textType() const override { return vyd::VYDLoginButtonTextType::loginWithVyID; }
    void setTextType(vyd::VYDLoginButtonTextType) override {}
    CGFloat cornerRadius() const override { return 4; }
    void setCornerRadius(CGFloat) override {}
    CGFloat borderWidth() const override { return 0; }
    void setBorderWidth(CGFloat) override {}
    uikit::UIColor borderColor() const override { return uikit::UIColor::clear(); }
    void setBorderColor(uikit::UIColor) override {}
    uikit::UIColor loaderColor() const override { return uikit::UIColor::white(); }
    void setLoaderColor(uikit::UIColor) override {}
    uikit::UIColor titleColor() const override { return uikit::UIColor::white(); }
    void setTitleColor(uikit::UIColor) override {}
    CGSize desiredSize() const override { return {}; }
    void setDesiredSize(CGSize) override {}
    CGSize logoSize() const override { return {16, 16}; }
    void setLogoSize(CGSize) override {}
    CGFloat fontSize() const override { return 14; }
    void setFontSize(CGFloat) override {}
    std::string logoName() const override { return "logo_white"; }
    void setLogoName(std::string) override {}
    CGFloat height() const override { return buttonHeight; }
    void setHeight(CGFloat value) override { buttonHeight = value; }
    CGFloat width() const override { return buttonWidth; }
    void setWidth(CGFloat value) override { buttonWidth = value; }
    CGFloat minimalWidth() const override { return 0; }
    uikit::UIFont font() const override { return uikit::UIFont::systemFont(14); }
    std::string text() const override { return "Login"; }
    std::shared_ptr<uikit::UIImage> logoImage() const override { return nullptr; }
    std::optional<std::string> maskedName() const override { return std::nullopt; }
    std::string adaptedDescription(const std::string& name) const override { return name; }
};

class FakePresenceChecker : public vyd::KWPresenceCheckerProtocol {
public:
    bool installed = false;
    std::optional<std::vector<vyd::KWAppInfo>> existingKWs() const override { return std::nullopt; }
    bool isAnyKWInstalled() const override { return installed; }
};

class AnalyticsParamsMakerTest : public ::testing::Test {
protected:
    void SetUp() override {
        storage->setClientId("partner-1");
        storage->setLogUid("0123abcd");
    }

    // The common parameters with the given ones on top.
    static AnalyticsParams withCommon(AnalyticsParams params) {
        params.emplace("clientId", "partner-1");
        params.emplace("logUid", "0123abcd");
        params.emplace("sdkVersion", "9.9.9");
        return params;
    }

    std::shared_ptr<vyd::StaticStorageService> storage = std::make_shared<vyd::StaticStorageService>(nullptr);
    std::shared_ptr<FakePresenceChecker> checker = std::make_shared<FakePresenceChecker>();
    vyd::AnalyticsParamsMaker maker{storage, checker, [] { return std::string("9.9.9"); }};
};

} // namespace

TEST(AnalyticsEventActionTest, EveryActionHasItsOwnNonEmptyName) {
    std::set<std::string> names;
    for (int action = 0; action <= static_cast<int>(AnalyticsEventAction::vyIDLoginAuthResult); ++action) {
        const auto& name = vyd::eventName(static_cast<AnalyticsEventAction>(action));
        EXPECT_FALSE(name.empty()) << action;
        names.insert(name);
    }
    EXPECT_EQ(names.size(), 13u);
    EXPECT_EQ(vyd::eventName(AnalyticsEventAction::authNative), "VYD_Auth native");
    EXPECT_EQ(vyd::eventName(AnalyticsEventAction::authNativeError), "VYD_Auth native error");
    EXPECT_EQ(vyd::eventName(AnalyticsEventAction::vyIDAuthPopupShow),
              vyd::L10n::Analytics::Events::AuthPopup::vyIdAuthPopupShowB64());
    EXPECT_EQ(vyd::eventName(AnalyticsEventAction::cancelSheetChoice),
              vyd::L10n::Analytics::Events::AppList::vyIdCancelChoiceB64());
}

TEST(AnalyticsServiceTest, SendsOneBusinessEventNamedByTheCatalogueForTheCurrentLoginId) {
    auto sink = std::make_shared<vydtest::RecordingAnalyticsSink>();
    vyd::AnalyticsService service(sink);
    service.sendEvent(AnalyticsEventAction::authNative, {{"eventType", "show"}});
    service.refreshUserLoginId("partner-1");
    service.sendEvent(AnalyticsEventAction::vyIDLoginShow, {});

    const auto events = sink->events();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0], (vyd::AnalyticsEvent{"VYD_Auth native", vyd::AnalyticsEventType::business,
                                              {{"eventType", "show"}}, std::nullopt}));
    EXPECT_EQ(events[1].name, vyd::eventName(AnalyticsEventAction::vyIDLoginShow));
    EXPECT_EQ(events[1].userLoginId, "partner-1");
}

TEST(AnalyticsServiceTest, WithoutASinkEventsGoToMemory) {
    vyd::AnalyticsService service(nullptr);
    service.sendEvent(AnalyticsEventAction::authLogUid, {});
    auto memory = std::dynamic_pointer_cast<vyd::InMemoryAnalyticsSink>(service.sink());
    ASSERT_NE(memory, nullptr);
    ASSERT_EQ(memory->events().size(), 1u);
    EXPECT_EQ(memory->takeEvents().front().name, vyd::eventName(AnalyticsEventAction::authLogUid));
    EXPECT_TRUE(memory->events().empty());
}

TEST(InMemoryAnalyticsSinkTest, KeepsTheLatestEventsUpToItsCapacity) {
    vyd::InMemoryAnalyticsSink sink(3);
    for (const char* name : {"a", "b", "c", "d", "e"}) {
        sink.send({name, vyd::AnalyticsEventType::business, {}, std::nullopt});
    }
    const auto events = sink.events();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].name, "c");
    EXPECT_EQ(events[2].name, "e");
}

TEST_F(AnalyticsParamsMakerTest, LoginShowReportsStyleSizeAndPersonalisation) {
    FakeButtonSettings settings;
    settings.style = vyd::VYDLoginButtonStyle::white;
    settings.buttonHeight = 48;
    settings.buttonWidth = 212.5;
    storage->setIsButtonPersonalized(true);
    EXPECT_EQ(maker.makeLoginShowEventParams(settings),
              withCommon({{"buttonStyle", "white"}, {"buttonHeight", "48"}, {"buttonWidth", "212.5"},
                          {"personalView", "1"}}));
    settings.style = vyd::VYDLoginButtonStyle::green;
    storage->setIsButtonPersonalized(false);
    const auto params = maker.makeLoginShowEventParams(settings);
    EXPECT_EQ(params.at("buttonStyle"), "green");
    EXPECT_EQ(params.at("personalView"), "0");
}

TEST_F(AnalyticsParamsMakerTest, WrongSizeAndHideReason) {
    EXPECT_EQ(maker.makeWrongButtonSizeEventParams(100, 187.25),
              withCommon({{"desiredWidth", "100"}, {"measuredWidth", "187.25"}}));
    EXPECT_EQ(maker.makeButtonHideEventParams(vyd::LoginButtonHideReason::blacklist),
              withCommon({{"reason", "blocked"}}));
    EXPECT_EQ(maker.makeButtonHideEventParams(vyd::LoginButtonHideReason::versions).at("reason"), "version");
}

TEST_F(AnalyticsParamsMakerTest, AppListReportsPickAndWhetherABankAppIsThere) {
    const std::string& kwKey = vyd::L10n::Analytics::kwTypeB64();
    ASSERT_FALSE(kwKey.empty());
    checker->installed = true;
    storage->setIsButtonPersonalized(true);
    EXPECT_EQ(maker.makeKwsAppListEventParams("VY Bank"),
              withCommon({{"personalView", "1"}, {kwKey, "VY Bank"}, {"authApp", vyd::L10n::Common::kwB64()}}));

    checker->installed = false;
    storage->setIsButtonPersonalized(false);
    EXPECT_EQ(maker.makeKwsAppListEventParams(std::nullopt),
              withCommon({{"personalView", "0"}, {"authApp", "none"}}));
}

TEST_F(AnalyticsParamsMakerTest, PopupAndNativeEvents) {
    EXPECT_EQ(maker.makeAuthPopupParams(vyd::AuthType::app2web), withCommon({{"authType", "app2web"}}));
    EXPECT_EQ(maker.makeAuthPopupParams(vyd::AuthType::vyID).at("authType"), "vyID");

    using P = vyd::AuthNativeParams;
    EXPECT_EQ(maker.makeAuthNativeEventParams(P(P::EventType::close, P::ScreenType::webViewNotAllow, P::FinalEvent::reject)),
              withCommon({{"eventType", "close"}, {"screenType", "webViewNotAllow"}, {"finalEvent", "reject"}}));
    EXPECT_EQ(maker.makeAuthNativeEventParams(P(P::EventType::show, std::nullopt, std::nullopt)),
              withCommon({{"eventType", "show"}}));
}

TEST_F(AnalyticsParamsMakerTest, CommonParametersFollowTheSession) {
    storage->setClientId(std::nullopt);
    storage->setLogUid(std::nullopt);
    EXPECT_EQ(maker.makeAuthPopupParams(vyd::AuthType::app2app),
              (AnalyticsParams{{"authType", "app2app"}, {"sdkVersion", "9.9.9"}}));
    storage->setClientId("partner-2");
    EXPECT_EQ(maker.makeAuthPopupParams(vyd::AuthType::app2app).at("clientId"), "partner-2");
}

TEST_F(AnalyticsParamsMakerTest, ReturnLinkEvents) {
    EXPECT_EQ(maker.makeAuthLogUidEventParams("previous-run"), (AnalyticsParams{{"clientId", "partner-1"},
                                                                                 {"logUid", "previous-run"},
                                                                                 {"sdkVersion", "9.9.9"}}));
    vyd::VYDAuthResponse failure;
    failure.error = "invalid_state";
    EXPECT_EQ(maker.makeAuthResultEventParams(failure), withCommon({{"isSuccess", "0"}, {"error", "invalid_state"}}));
    vyd::VYDAuthResponse success;
    success.isSuccess = true;
    EXPECT_EQ(maker.makeAuthResultEventParams(success), withCommon({{"isSuccess", "1"}}));
}

TEST(AnalyticsParamsMakerVersionTest, VersionComesFromTheSdkBundleByDefault) {
    vyd::AnalyticsParamsMaker maker(std::make_shared<vyd::StaticStorageService>(nullptr), nullptr);
    EXPECT_EQ(maker.makeAuthPopupParams(vyd::AuthType::app2app).at("sdkVersion"), vyd::curentSdkVersion());
    EXPECT_EQ(maker.makeKwsAppListEventParams(std::nullopt).at("authApp"), "none") << "no checker, no app";
}

TEST(AnalyticsParamsMakerFormatTest, PointsAreFormattedCompactly) {
    EXPECT_EQ(vyd::AnalyticsParamsMaker::formatPoints(28), "28");
    EXPECT_EQ(vyd::AnalyticsParamsMaker::formatPoints(50.5), "50.5");
    EXPECT_EQ(vyd::AnalyticsParamsMaker::formatPoints(0.1 + 0.2), "0.3");
    EXPECT_EQ(vyd::AnalyticsParamsMaker::formatPoints(std::numeric_limits<double>::quiet_NaN()), "0");
}
