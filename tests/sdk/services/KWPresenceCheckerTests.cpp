#include "sdk/services/KWPresenceChecker.hpp"

#include "sdk/services/StaticStorageService.hpp"
#include "support/sdk/BankAppSchemes.hpp"
#include "support/sdk/FakeAppMethodsWrapper.hpp"

#include <gtest/gtest.h>

namespace {

class KWPresenceCheckerTest : public ::testing::Test {
protected:
    std::shared_ptr<vydtest::FakeAppMethodsWrapper> application = std::make_shared<vydtest::FakeAppMethodsWrapper>();
    std::shared_ptr<vyd::StaticStorageService> storage = std::make_shared<vyd::StaticStorageService>(nullptr);
    vyd::KWPresenceChecker checker{application, storage};
};

} // namespace

TEST_F(KWPresenceCheckerTest, NothingInstalledAndNoSchemesIsAbsentNotEmpty) {
    EXPECT_FALSE(checker.existingKWs().has_value());
    vydtest::setBankAppSchemes(*storage, {});
    EXPECT_FALSE(checker.existingKWs().has_value());
    EXPECT_FALSE(checker.isAnyKWInstalled());

    application->installedSchemes = {"vybank"};
    vyd::KWPresenceChecker headless(nullptr, storage);
    EXPECT_FALSE(headless.existingKWs().has_value()) << "without an application nothing can be opened";
    EXPECT_FALSE(headless.isAnyKWInstalled());
}

TEST_F(KWPresenceCheckerTest, InstalledStableAppsComeInCatalogueOrder) {
    application->installedSchemes = {"vybankbusiness", "vybank"};
    const auto apps = checker.existingKWs();
    ASSERT_TRUE(apps.has_value());
    ASSERT_EQ(apps->size(), 2u);
    EXPECT_EQ((*apps)[0].name, "VY Bank");
    EXPECT_EQ((*apps)[0].type, vyd::KWAppInfo::AppType(vyd::KWAppInfo::Stable{"vybank://"}));
    EXPECT_EQ((*apps)[1].name, "VY Bank Business");
    EXPECT_TRUE((*apps)[1].isStable());
    EXPECT_NE((*apps)[0].id, (*apps)[1].id);

    application->installedSchemes = {"vybankbusiness"};
    const auto only = checker.existingKWs();
    ASSERT_TRUE(only.has_value());
    ASSERT_EQ(only->size(), 1u);
    EXPECT_EQ(only->front().name, "VY Bank Business");
}

TEST_F(KWPresenceCheckerTest, DynamicEntryFollowsWithAllConfiguredSchemesEvenWhenNoneIsInstalled) {
    application->installedSchemes = {"vybank"};
    vydtest::setBankAppSchemes(*storage, {"vybankbeta", "vybankalpha://"});
    const auto apps = checker.existingKWs();
    ASSERT_TRUE(apps.has_value());
    ASSERT_EQ(apps->size(), 2u);
    EXPECT_FALSE(apps->back().isStable());
    EXPECT_EQ(apps->back().name, vyd::KWPresenceChecker::dynamicEntryName());
    EXPECT_EQ(apps->back().type, vyd::KWAppInfo::AppType(vyd::KWAppInfo::Unstable{{"vybankbeta", "vybankalpha://"}}));
}

TEST_F(KWPresenceCheckerTest, AnyInstalledCountsStableAppsAndDynamicSchemes) {
    vydtest::setBankAppSchemes(*storage, {"vybankbeta"});
    EXPECT_FALSE(checker.isAnyKWInstalled()) << "a listed scheme is not an installed app";
    application->installedSchemes = {"vybankbeta"};
    EXPECT_TRUE(checker.isAnyKWInstalled());
    EXPECT_EQ(application->asked.back().absoluteString(), "vybankbeta://");
}
