#include "sdk/services/RemoteConfig.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using vyd::RemoteConfig;
using Strings = std::vector<std::string>;

namespace {

const char* const fullDocument = R"({
  "hostsWhiteList": ["id.vybank.example", "pay.vybank.example"],
  "vyIDWebViewEnabledMap": {"partner-1": true, "partner-2": false},
  "featureToggles": {"isWebViewEnabled": false},
  "usersBlacklist": ["blocked-client"],
  "versionRestrictions": {"current": "2.4.0", "warning": "2.2.9", "criticalList": ["2.0.0", "2.0.1"]},
  "isApp2AppDialogEnabled": true,
  "app2AppDialogClients": ["partner-1"],
  "bankAppSchemes": ["vybankbeta", "vybankalpha://"],
  "someFutureKey": {"anything": [1, 2, 3]}
})";

} // namespace

TEST(RemoteConfigTest, DefaultConfigurationAllowsNoHostAndShowsNoDialog) {
    const auto config = RemoteConfig::defaultConfig();
    EXPECT_FALSE(config.hostsWhiteList.has_value());
    EXPECT_TRUE(config.vyIDWebViewEnabledMap.empty());
    EXPECT_TRUE(config.featureToggles.isWebViewEnabled());
    EXPECT_FALSE(config.usersBlacklist.has_value());
    EXPECT_FALSE(config.versionRestrictions.has_value());
    EXPECT_FALSE(config.isApp2AppDialogEnabled("partner-1"));
    EXPECT_FALSE(config.bankAppSchemes.has_value());
}

TEST(RemoteConfigTest, FullDocumentDecodesEveryMemberAndIgnoresUnknownOnes) {
    const auto config = RemoteConfig::decode(std::string(fullDocument));
    EXPECT_EQ(config.hostsWhiteList, (Strings{"id.vybank.example", "pay.vybank.example"}));
    EXPECT_EQ(config.vyIDWebViewEnabledMap, (std::map<std::string, bool>{{"partner-1", true}, {"partner-2", false}}));
    EXPECT_FALSE(config.featureToggles.isWebViewEnabled());
    EXPECT_EQ(config.usersBlacklist, Strings{"blocked-client"});
    ASSERT_TRUE(config.versionRestrictions.has_value());
    EXPECT_EQ(config.versionRestrictions->current, "2.4.0");
    EXPECT_EQ(config.versionRestrictions->warning, "2.2.9");
    EXPECT_EQ(config.versionRestrictions->criticalList, (Strings{"2.0.0", "2.0.1"}));
    EXPECT_TRUE(config.app2AppDialogEnabled);
    EXPECT_EQ(config.app2AppDialogClients, Strings{"partner-1"});
    EXPECT_EQ(config.bankAppSchemes, (Strings{"vybankbeta", "vybankalpha://"}));
}

TEST(RemoteConfigTest, DataAndTextDecodeAlike) {
    const std::string text = fullDocument;
    EXPECT_EQ(RemoteConfig::decode(foundation::dataFromString(text)), RemoteConfig::decode(text));
}

// Each row breaks one member; that member takes its default and every other member of the full
// document survives.
struct BrokenMember {
    const char* name;
    const char* document;
    std::function<bool(const RemoteConfig&)> brokenMemberIsDefault;
};

class RemoteConfigBrokenMemberTest : public ::testing::TestWithParam<BrokenMember> {};

TEST_P(RemoteConfigBrokenMemberTest, BrokenMemberTakesItsDefaultAndTheRestSurvives) {
    const auto config = RemoteConfig::decode(std::string(GetParam().document));
    EXPECT_TRUE(GetParam().brokenMemberIsDefault(config));
    // A member that every row keeps intact.
    EXPECT_EQ(config.usersBlacklist, Strings{"blocked-client"}) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Members, RemoteConfigBrokenMemberTest,
    ::testing::Values(
        BrokenMember{"whiteListIsAString",
                     R"({"usersBlacklist": ["blocked-client"], "hostsWhiteList": "id.vybank.example"})",
                     [](const RemoteConfig& c) { return !c.hostsWhiteList; }},
        BrokenMember{"whiteListHoldsANumber",
                     R"({"usersBlacklist": ["blocked-client"], "hostsWhiteList": ["id.vybank.example", 7]})",
                     [](const RemoteConfig& c) { return !c.hostsWhiteList; }},
        BrokenMember{"mapValueIsAString",
                     R"({"usersBlacklist": ["blocked-client"], "vyIDWebViewEnabledMap": {"a": true, "b": "yes"}})",
                     [](const RemoteConfig& c) { return c.vyIDWebViewEnabledMap.empty(); }},
        BrokenMember{"mapIsAList",
                     R"({"usersBlacklist": ["blocked-client"], "vyIDWebViewEnabledMap": [true]})",
                     [](const RemoteConfig& c) { return c.vyIDWebViewEnabledMap.empty(); }},
        BrokenMember{"toggleIsANumber",
                     R"({"usersBlacklist": ["blocked-client"], "featureToggles": {"isWebViewEnabled": 0}})",
                     [](const RemoteConfig& c) { return c.featureToggles.isWebViewEnabled(); }},
        BrokenMember{"togglesAreNull",
                     R"({"usersBlacklist": ["blocked-client"], "featureToggles": null})",
                     [](const RemoteConfig& c) { return c.featureToggles.isWebViewEnabled(); }},
        BrokenMember{"restrictionsAreAList",
                     R"({"usersBlacklist": ["blocked-client"], "versionRestrictions": ["2.0.0"]})",
                     [](const RemoteConfig& c) { return !c.versionRestrictions; }},
        BrokenMember{"dialogSwitchIsAString",
                     R"({"usersBlacklist": ["blocked-client"], "isApp2AppDialogEnabled": "true"})",
                     [](const RemoteConfig& c) { return !c.app2AppDialogEnabled; }},
        BrokenMember{"dialogClientsIsAnObject",
                     R"({"usersBlacklist": ["blocked-client"], "app2AppDialogClients": {"partner-1": true}})",
                     [](const RemoteConfig& c) { return c.app2AppDialogClients.empty(); }},
        BrokenMember{"schemesHoldNull",
                     R"({"usersBlacklist": ["blocked-client"], "bankAppSchemes": ["vybank", null]})",
                     [](const RemoteConfig& c) { return !c.bankAppSchemes; }}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(RemoteConfigTest, MembersOfVersionRestrictionsAreJudgedOneByOne) {
    const auto config = RemoteConfig::decode(std::string(
        R"({"versionRestrictions": {"current": 240, "warning": "2.2.9", "criticalList": ["2.0.0", false]}})"));
    ASSERT_TRUE(config.versionRestrictions.has_value());
    EXPECT_FALSE(config.versionRestrictions->current.has_value());
    EXPECT_EQ(config.versionRestrictions->warning, "2.2.9");
    EXPECT_FALSE(config.versionRestrictions->criticalList.has_value());
}

TEST(RemoteConfigTest, MissingMembersTakeTheirDefaults) {
    EXPECT_EQ(RemoteConfig::decode(std::string("{}")), RemoteConfig::defaultConfig());
    const auto config = RemoteConfig::decode(std::string(R"({"hostsWhiteList": []})"));
    EXPECT_EQ(config.hostsWhiteList, Strings{}) << "an empty list is present, not absent";
}

TEST(RemoteConfigTest, DocumentThatIsNotAJSONObjectGivesTheDefault) {
    for (const char* text : {"", "not json", "<html><body>502</body></html>", "[]", "42", "null", "\"text\"",
                             R"({"hostsWhiteList": ["id.vybank.example")", "{\"a\": \"\xff\xfe\"}"}) {
        EXPECT_EQ(RemoteConfig::decode(std::string(text)), RemoteConfig::defaultConfig()) << text;
    }
}

TEST(RemoteConfigTest, DeeplyNestedDocumentDecodesWithoutCrashing) {
    const std::string nested = R"({"featureToggles": )" + std::string(100000, '[') + std::string(100000, ']') + "}";
    EXPECT_TRUE(RemoteConfig::decode(nested).featureToggles.isWebViewEnabled());
}

struct DialogCase {
    const char* name;
    bool globalSwitch;
    Strings clients;
    const char* clientId;
    bool expected;
};

class App2AppDialogTest : public ::testing::TestWithParam<DialogCase> {};

TEST_P(App2AppDialogTest, GlobalSwitchOrExactMembershipOfTheClientList) {
    RemoteConfig config;
    config.app2AppDialogEnabled = GetParam().globalSwitch;
    config.app2AppDialogClients = GetParam().clients;
    EXPECT_EQ(config.isApp2AppDialogEnabled(GetParam().clientId), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, App2AppDialogTest,
    ::testing::Values(DialogCase{"globalOnEmptyList", true, {}, "partner-1", true},
                      DialogCase{"globalOnOtherClients", true, {"partner-2"}, "partner-1", true},
                      DialogCase{"globalOnEmptyClientId", true, {}, "", true},
                      DialogCase{"offListed", false, {"partner-2", "partner-1"}, "partner-1", true},
                      DialogCase{"offNotListed", false, {"partner-2"}, "partner-1", false},
                      DialogCase{"offCaseDiffers", false, {"Partner-1"}, "partner-1", false},
                      DialogCase{"offPrefixOnly", false, {"partner"}, "partner-1", false},
                      DialogCase{"offEmptyList", false, {}, "partner-1", false}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });
