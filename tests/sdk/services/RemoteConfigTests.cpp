#include "sdk/services/RemoteConfig.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
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

TEST(RemoteConfigTest, MissingMembersOrAWholeDocumentThatIsNoObjectTakeTheDefaults) {
    const auto config = RemoteConfig::decode(std::string("{}"));
    EXPECT_EQ(config, RemoteConfig::defaultConfig());
    EXPECT_FALSE(config.hostsWhiteList.has_value());
    EXPECT_TRUE(config.featureToggles.isWebViewEnabled());
    EXPECT_FALSE(config.isApp2AppDialogEnabled("partner-1"));
    EXPECT_EQ(RemoteConfig::decode(std::string(R"({"hostsWhiteList": []})")).hostsWhiteList, Strings{})
        << "an empty list is present, not absent";

    // A document that is not a JSON object gives the default.
    for (const char* text : {"", "<html><body>502</body></html>", "[]", "null",
                             R"({"hostsWhiteList": ["id.vybank.example")", "{\"a\": \"\xff\xfe\"}"}) {
        EXPECT_EQ(RemoteConfig::decode(std::string(text)), RemoteConfig::defaultConfig()) << text;
    }
}

TEST(RemoteConfigTest, FullDocumentDecodesEveryMemberAndIgnoresUnknownOnes) {
    const auto config = RemoteConfig::decode(std::string(fullDocument));
    EXPECT_EQ(config.hostsWhiteList, (Strings{"id.vybank.example", "pay.vybank.example"}));
    EXPECT_EQ(config.vyIDWebViewEnabledMap, (std::map<std::string, bool>{{"partner-1", true}, {"partner-2", false}}));
    EXPECT_FALSE(config.featureToggles.isWebViewEnabled());
    EXPECT_EQ(config.usersBlacklist, Strings{"blocked-client"});
    EXPECT_EQ(config.versionRestrictions, (vyd::VersionRestrictions{"2.4.0", "2.2.9", Strings{"2.0.0", "2.0.1"}}));
    EXPECT_TRUE(config.app2AppDialogEnabled);
    EXPECT_EQ(config.app2AppDialogClients, Strings{"partner-1"});
    EXPECT_EQ(config.bankAppSchemes, (Strings{"vybankbeta", "vybankalpha://"}));
    EXPECT_EQ(RemoteConfig::decode(foundation::dataFromString(fullDocument)), config) << "data decodes as text does";
}

// Each row breaks one member; that member takes its default and a sound member beside it
// survives.
TEST(RemoteConfigTest, BrokenMemberTakesItsDefaultAndTheRestSurvives) {
    const std::tuple<const char*, std::function<bool(const RemoteConfig&)>> cases[] = {
        {R"("hostsWhiteList": "id.vybank.example")", [](const RemoteConfig& c) { return !c.hostsWhiteList; }},
        {R"("hostsWhiteList": ["id.vybank.example", 7])", [](const RemoteConfig& c) { return !c.hostsWhiteList; }},
        {R"("vyIDWebViewEnabledMap": {"a": true, "b": "yes"})",
         [](const RemoteConfig& c) { return c.vyIDWebViewEnabledMap.empty(); }},
        {R"("featureToggles": {"isWebViewEnabled": 0})",
         [](const RemoteConfig& c) { return c.featureToggles.isWebViewEnabled(); }},
        {R"("versionRestrictions": ["2.0.0"])", [](const RemoteConfig& c) { return !c.versionRestrictions; }},
        // The members of the restrictions are judged one by one.
        {R"("versionRestrictions": {"current": 240, "warning": "2.2.9", "criticalList": ["2.0.0", false]})",
         [](const RemoteConfig& c) {
             return c.versionRestrictions == vyd::VersionRestrictions{std::nullopt, "2.2.9", std::nullopt};
         }},
        {R"("isApp2AppDialogEnabled": "true")", [](const RemoteConfig& c) { return !c.app2AppDialogEnabled; }},
        {R"("app2AppDialogClients": {"partner-1": true})",
         [](const RemoteConfig& c) { return c.app2AppDialogClients.empty(); }},
        {R"("bankAppSchemes": ["vybank", null])", [](const RemoteConfig& c) { return !c.bankAppSchemes; }},
    };
    for (const auto& [member, brokenMemberIsDefault] : cases) {
        const auto config =
            RemoteConfig::decode(std::string(R"({"usersBlacklist": ["blocked-client"], )") + member + "}");
        EXPECT_TRUE(brokenMemberIsDefault(config)) << member;
        EXPECT_EQ(config.usersBlacklist, Strings{"blocked-client"}) << member;
    }
}

// Past the bounds the whole document counts as malformed: ten million levels once took a
// gigabyte and most of a minute to decode.
TEST(RemoteConfigTest, DocumentPastItsBoundsOnSizeOrNestingGivesTheDefault) {
    const std::string sound = R"({"usersBlacklist": ["blocked-client"], "someFutureKey": )";
    auto nested = [&](std::size_t depth) { return sound + std::string(depth, '[') + std::string(depth, ']') + "}"; };
    const std::string brackets(2 * RemoteConfig::maximumNestingDepth, '[');
    for (const std::string& text :
         {nested(RemoteConfig::maximumNestingDepth - 1), sound + "\"\\\"" + brackets + "\"}"}) {
        EXPECT_EQ(RemoteConfig::decode(text).usersBlacklist, Strings{"blocked-client"}) << "within the bounds";
    }
    for (const std::string& text : {nested(RemoteConfig::maximumNestingDepth), nested(10'000'000),
                                    sound + '"' + std::string(RemoteConfig::maximumDocumentSize, 'a') + "\"}"}) {
        EXPECT_EQ(RemoteConfig::decode(text), RemoteConfig::defaultConfig()) << text.size();
    }
}

TEST(RemoteConfigTest, App2AppDialogByGlobalSwitchOrExactMembershipOfTheClientList) {
    const std::tuple<bool, Strings, bool> cases[] = {
        {true, {}, true}, // the global switch needs no list
        {true, {"partner-2"}, true},
        {false, {"partner-2", "partner-1"}, true}, // listed
        {false, {"partner-2"}, false},
        {false, {"Partner-1"}, false}, // case differs
        {false, {"partner"}, false},   // prefix only
    };
    for (const auto& [globalSwitch, clients, expected] : cases) {
        const RemoteConfig config{{}, {}, {}, {}, {}, globalSwitch, clients, {}};
        EXPECT_EQ(config.isApp2AppDialogEnabled("partner-1"), expected) << globalSwitch << " " << clients.size();
    }
}
