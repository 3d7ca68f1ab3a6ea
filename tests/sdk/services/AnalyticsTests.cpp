#include "sdk/catalogue/L10n.hpp"
#include "sdk/catalogue/SdkBundle.hpp"
#include "sdk/screens/loginbutton/LoginButtonSettings.hpp"
#include "sdk/services/AnalyticsParamsMaker.hpp"
#include "sdk/services/AnalyticsService.hpp"
#include "sdk/services/InMemoryAnalyticsSink.hpp"
#include "sdk/services/KWPresenceChecker.hpp"
#include "sdk/services/StaticStorageService.hpp"
#include "support/sdk/FakeAppMethodsWrapper.hpp"
#include "support/sdk/RecordingAnalyticsSink.hpp"

#include <gtest/gtest.h>

#include <set>

using namespace vyd;

TEST(AnalyticsServiceTest, SendsOneBusinessEventNamedByTheCatalogueForTheCurrentLoginId) {
    std::set<std::string> names;
    for (int action = 0; action <= static_cast<int>(AnalyticsEventAction::vyIDLoginAuthResult); ++action) {
        names.insert(eventName(static_cast<AnalyticsEventAction>(action)));
    }
    EXPECT_EQ(names.size(), 13u) << "every action has a name of its own";
    EXPECT_EQ(names.count(""), 0u);

    auto sink = std::make_shared<vydtest::RecordingAnalyticsSink>();
    AnalyticsService service(sink);
    service.sendEvent(AnalyticsEventAction::authNative, {{"eventType", "show"}});
    service.refreshUserLoginId("partner-1");
    service.sendEvent(AnalyticsEventAction::vyIDAuthPopupShow, {});
    const auto business = AnalyticsEventType::business;
    EXPECT_EQ(sink->events(),
              (std::vector<AnalyticsEvent>{
                  {"VYD_Auth native", business, {{"eventType", "show"}}, std::nullopt},
                  {L10n::Analytics::Events::AuthPopup::vyIdAuthPopupShowB64(), business, {}, "partner-1"}}));
}

TEST(AnalyticsServiceTest, WithoutASinkTheLatestEventsGoToABoundedMemory) {
    AnalyticsService service(nullptr);
    service.sendEvent(AnalyticsEventAction::authLogUid, {});
    auto memory = std::dynamic_pointer_cast<InMemoryAnalyticsSink>(service.sink());
    ASSERT_NE(memory, nullptr);
    EXPECT_EQ(memory->takeEvents().at(0).name, eventName(AnalyticsEventAction::authLogUid));
    EXPECT_TRUE(memory->events().empty());

    InMemoryAnalyticsSink bounded(3);
    std::vector<AnalyticsEvent> sent;
    for (const char* name : {"a", "b", "c", "d", "e"}) {
        sent.push_back({name, AnalyticsEventType::business, {}, std::nullopt});
        bounded.send(sent.back());
    }
    EXPECT_EQ(bounded.events(), std::vector(sent.end() - 3, sent.end()));
}

TEST(AnalyticsParamsMakerTest, EachEventAddsItsOwnParametersToTheCommonOnesAndPointsHaveNoFloatingNoise) {
    const auto storage = std::make_shared<StaticStorageService>(nullptr);
    const auto application = std::make_shared<vydtest::FakeAppMethodsWrapper>();
    AnalyticsParamsMaker maker{storage, std::make_shared<KWPresenceChecker>(application, storage),
                               [] { return std::string("9.9.9"); }};
    using P = AuthNativeParams;
    LoginButtonSettings white(VYDLoginButtonStyle::white);
    white.setHeight(48);
    white.setWidth(212.5);
    const VYDAuthResponse failure{false, {}, {}, {}, {}, "invalid_state"};
    const AnalyticsParams common{{"clientId", "partner-1"}, {"logUid", "0123abcd"}, {"sdkVersion", "9.9.9"}};
    const auto withCommon = [&common](AnalyticsParams params) {
        params.insert(common.begin(), common.end());
        return params;
    };
    EXPECT_EQ(maker.makeKwsAppListEventParams(std::nullopt),
              (AnalyticsParams{{"personalView", "0"}, {"authApp", "none"}, {"sdkVersion", "9.9.9"}}))
        << "no client, no log identifier, no bank app";

    storage->setClientId("partner-1");
    storage->setLogUid("0123abcd");
    storage->setIsButtonPersonalized(true);
    application->installedSchemes = {"vybank"};
    const std::pair<AnalyticsParams, AnalyticsParams> cases[] = {
        {maker.makeLoginShowEventParams(white),
         {{"buttonStyle", "white"}, {"buttonHeight", "48"}, {"buttonWidth", "212.5"}, {"personalView", "1"}}},
        {maker.makeKwsAppListEventParams("VY Bank"),
         {{"personalView", "1"}, {L10n::Analytics::kwTypeB64(), "VY Bank"}, {"authApp", L10n::Common::kwB64()}}},
        {maker.makeAuthPopupParams(AuthType::app2web), {{"authType", "app2web"}}},
        {maker.makeAuthNativeEventParams(P(P::EventType::close, P::ScreenType::webViewNotAllow, P::FinalEvent::reject)),
         {{"eventType", "close"}, {"screenType", "webViewNotAllow"}, {"finalEvent", "reject"}}},
        {maker.makeAuthNativeEventParams(P(P::EventType::show, std::nullopt, std::nullopt)), {{"eventType", "show"}}},
        {maker.makeAuthLogUidEventParams("previous-run"), {{"logUid", "previous-run"}}},
        {maker.makeAuthResultEventParams(failure), {{"isSuccess", "0"}, {"error", "invalid_state"}}},
    };
    for (std::size_t row = 0; row < std::size(cases); ++row) {
        EXPECT_EQ(cases[row].first, withCommon(cases[row].second)) << "row " << row;
    }

    // Without a version given it comes from the SDK bundle; points have no floating noise.
    AnalyticsParamsMaker bundled(std::make_shared<StaticStorageService>(nullptr), nullptr);
    EXPECT_EQ(bundled.makeAuthPopupParams(AuthType::app2app).at("sdkVersion"), curentSdkVersion());
    EXPECT_EQ(bundled.makeKwsAppListEventParams(std::nullopt).at("authApp"), "none") << "no checker, no app";
    EXPECT_EQ(AnalyticsParamsMaker::formatPoints(0.1 + 0.2), "0.3");
    EXPECT_EQ(AnalyticsParamsMaker::formatPoints(std::numeric_limits<double>::quiet_NaN()), "0");
}
