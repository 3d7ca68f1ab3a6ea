#include "sdk/facade/VYD.hpp"

#include "sdk/base/DIContainer.hpp"
#include "sdk/facade/AuthURLManager.hpp"
#include "sdk/services/AnalyticsService.hpp"
#include "sdk/services/StaticStorageService.hpp"
#include "support/sdk/RecordingAnalyticsSink.hpp"
#include "support/sdk/ScopedServices.hpp"

#include <gtest/gtest.h>

namespace {

class VYDSettingsTest : public ::testing::Test {
protected:
    vydtest::ScopedServices services;

    void SetUp() override { services.replace(&vyd::DIContainer::setStaticStorageService, storage); }

    std::shared_ptr<vydtest::RecordingAnalyticsSink> sink = std::make_shared<vydtest::RecordingAnalyticsSink>();
    std::shared_ptr<vyd::StaticStorageService> storage =
        std::make_shared<vyd::StaticStorageService>(std::make_shared<vyd::AnalyticsService>(sink));
};

} // namespace

TEST_F(VYDSettingsTest, MainPreferencesAreStoredAbsentOnesKeepTheStoredValuesAndUIPreferencesMerge) {
    const auto& settings = vyd::VYD::settings();
    settings->applyMainPreferences("partner-1", "user-1", "VY Partner", "https://partner.example/profile",
                                   vyd::VYDStandType::ift);
    EXPECT_EQ(sink->userLoginId(), "partner-1");
    settings->applyMainPreferences("partner-2", std::nullopt, "", std::nullopt, std::nullopt);
    EXPECT_EQ(storage->clientId(), "partner-2");
    EXPECT_EQ(storage->userId(), "user-1");
    EXPECT_EQ(storage->partnerName(), "") << "an empty name is a value, not an absent one";
    EXPECT_EQ(storage->partnerProfileUrl(), "https://partner.example/profile");
    EXPECT_EQ(storage->stand(), vyd::VYDStandType::ift);

    // UI preferences merge into the session's ones.
    const auto semibold = uikit::UIFont::systemFont(17, uikit::UIFontWeight::semibold);
    const auto medium = uikit::UIFont::systemFont(15, uikit::UIFontWeight::medium);
    vyd::VYD::settings()->applyUIPreferences(vyd::VYDUIPreferences(vyd::VYDFonts(semibold, std::nullopt)));
    vyd::VYD::settings()->applyUIPreferences(vyd::VYDUIPreferences(vyd::VYDFonts(std::nullopt, medium)));
    const auto& fonts = storage->uiPreferences()->fonts;
    EXPECT_EQ(fonts.semiboldFont, semibold);
    EXPECT_EQ(fonts.mediumFont, medium);

    // The login and the settings are made once per process.
    EXPECT_EQ(vyd::VYD::login(), vyd::VYD::login());
    EXPECT_EQ(vyd::VYD::settings(), vyd::VYD::settings());
    EXPECT_NE(vyd::VYD::login(), nullptr);
}

TEST_F(VYDSettingsTest, ATestStandsAuthorizationPageIsASettingTheProductionOneIsNot) {
    const auto& settings = vyd::VYD::settings();
    const auto local = "https://127.0.0.1:8443/oauth2/authorize";
    EXPECT_EQ(settings->applyTestStandAuthorizationPage(vyd::VYDStandType::ift, local), std::nullopt);
    for (const char* refused : {"vybank://authorize", "https://", "not a page"}) {
        const auto error = settings->applyTestStandAuthorizationPage(vyd::VYDStandType::ift, std::string(refused));
        EXPECT_EQ(error.value_or(vyd::VYDError{}).type, vyd::VYDErrorType::linkIsNotValid) << refused;
    }
    const auto production = settings->applyTestStandAuthorizationPage(vyd::VYDStandType::prom, local);
    EXPECT_EQ(production.value_or(vyd::VYDError{}).type, vyd::VYDErrorType::invalidRequest);
    EXPECT_EQ(storage->authorizationPageURL(vyd::VYDStandType::ift), local) << "refusals change nothing";
    EXPECT_EQ(storage->authorizationPageURL(vyd::VYDStandType::prom), std::nullopt);

    storage->setClientId("partner-1");
    storage->setStand(vyd::VYDStandType::ift);
    const vyd::AuthURLManager manager(storage);
    const vyd::VYDAuthRequest request{"", "", "", "partner://auth", {}, {}, {}, {}};
    const auto page = manager.makeWebURL(request);
    EXPECT_EQ(page.value().absoluteString().rfind(std::string(local) + "?response_type=code", 0), 0u);

    EXPECT_EQ(settings->applyTestStandAuthorizationPage(vyd::VYDStandType::ift, std::nullopt), std::nullopt);
    EXPECT_EQ(manager.makeWebURL(request)->host(), "id-ift.vybank.example");
}
