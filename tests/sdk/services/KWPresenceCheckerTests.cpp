#include "sdk/services/KWPresenceChecker.hpp"

#include "sdk/services/StaticStorageService.hpp"
#include "support/sdk/BankAppSchemes.hpp"
#include "support/sdk/FakeAppMethodsWrapper.hpp"

#include <gtest/gtest.h>

namespace {

class KWPresenceCheckerTest : public ::testing::Test {
protected:
    // The names of the entries found, or "absent".
    std::string found() const {
        const auto apps = checker.existingKWs();
        std::string names = apps ? "" : "absent";
        for (const auto& app : apps.value_or(std::vector<vyd::KWAppInfo>{})) {
            names += app.name + (app.isStable() ? "; " : " (dynamic); ");
        }
        return names;
    }

    std::shared_ptr<vydtest::FakeAppMethodsWrapper> application = std::make_shared<vydtest::FakeAppMethodsWrapper>();
    std::shared_ptr<vyd::StaticStorageService> storage = std::make_shared<vyd::StaticStorageService>(nullptr);
    vyd::KWPresenceChecker checker{application, storage};
};

} // namespace

TEST_F(KWPresenceCheckerTest, InstalledStableAppsThenTheDynamicEntryElseAbsentAndAnyInstalledCountsBoth) {
    vydtest::setBankAppSchemes(*storage, {});
    EXPECT_EQ(found(), "absent") << "nothing installed and no schemes is absent, not empty";
    EXPECT_FALSE(checker.isAnyKWInstalled());

    application->installedSchemes = {"vybankbusiness", "vybank"};
    EXPECT_EQ(found(), "VY Bank; VY Bank Business; ");
    const auto apps = checker.existingKWs();
    EXPECT_EQ(apps->front().type, vyd::KWAppInfo::AppType(vyd::KWAppInfo::Stable{"vybank://"}));
    EXPECT_NE(apps->front().id, apps->back().id);

    application->installedSchemes = {"vybankbusiness"};
    vydtest::setBankAppSchemes(*storage, {"vybankbeta", "vybankalpha://"});
    EXPECT_EQ(found(), "VY Bank Business; " + vyd::KWPresenceChecker::dynamicEntryName() + " (dynamic); ")
        << "the dynamic entry comes with all configured schemes even when none is installed";
    EXPECT_EQ(checker.existingKWs()->back().type,
              vyd::KWAppInfo::AppType(vyd::KWAppInfo::Unstable{{"vybankbeta", "vybankalpha://"}}));

    vyd::KWPresenceChecker headless(nullptr, storage);
    EXPECT_FALSE(headless.isAnyKWInstalled()) << "without an application nothing can be opened";

    // Any installed counts stable apps and dynamic schemes.
    application->installedSchemes = {};
    vydtest::setBankAppSchemes(*storage, {"vybankbeta"});
    EXPECT_FALSE(checker.isAnyKWInstalled()) << "a listed scheme is not an installed app";
    application->installedSchemes = {"vybankbeta"};
    EXPECT_TRUE(checker.isAnyKWInstalled());
    EXPECT_EQ(application->asked.back().absoluteString(), "vybankbeta://");
}
