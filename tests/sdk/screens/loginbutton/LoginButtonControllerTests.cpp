#include "sdk/screens/loginbutton/LoginButtonController.hpp"
#include "sdk/screens/loginbutton/LoginButtonSettings.hpp"

#include "LoginButtonTestSupport.hpp"
#include "sdk/catalogue/L10n.hpp"
#include "sdk/services/RemoteConfig.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace {

using vyd::AnalyticsEventAction;
using vyd::LoginButtonHideReason;

class FakeButton : public vyd::VYDLoginButtonProtocol {
public:
    void hideButton() override {
        ++hideCalls;
        if (onHide) {
            onHide();
        }
    }
    int hideCalls = 0;
    std::function<void()> onHide;
};

class FakeObserver : public vyd::VYDLoginButtonObserverProtocol {
public:
    void loginButtonWasHidden() override {
        ++calls;
        if (onCall) {
            onCall();
        }
    }
    int calls = 0;
    std::function<void()> onCall;
};

enum class Message { none, error, warning, info };

vyd::RemoteConfig config(std::optional<std::vector<std::string>> blacklist,
                         std::optional<vyd::VersionRestrictions> restrictions) {
    auto made = vyd::RemoteConfig::defaultConfig();
    made.usersBlacklist = std::move(blacklist);
    made.versionRestrictions = std::move(restrictions);
    return made;
}

class LoginButtonControllerTest : public vydtest::LoginButtonTestBase {
protected:
    std::shared_ptr<vyd::LoginButtonController>
    makeController(const std::string& sdkVersion = vydtest::testSdkVersion) {
        return std::make_shared<vyd::LoginButtonController>(nullptr, paramsMaker, store, observer, settings, button,
                                                            [sdkVersion] { return sdkVersion; });
    }

    std::string message(Message kind, const std::string& current) const {
        const auto& product = vyd::L10n::Ui::Common::vyIdB64();
        switch (kind) {
        case Message::error:
            return vyd::Logger::format(vyd::L10n::Logs::versionErrorMessageValues(product, current));
        case Message::warning:
            return vyd::Logger::format(vyd::L10n::Logs::versionWarningMessageValues(product, current));
        case Message::info:
            return vyd::Logger::format(vyd::L10n::Logs::versionInfoMessageValues(product, current));
        case Message::none:
            break;
        }
        return {};
    }

    std::shared_ptr<FakeButton> button = std::make_shared<FakeButton>();
    std::shared_ptr<FakeObserver> observer = std::make_shared<FakeObserver>();
    std::shared_ptr<vyd::LoginButtonSettings> settings =
        std::make_shared<vyd::LoginButtonSettings>(vyd::VYDLoginButtonStyle::white);
};

} // namespace

TEST_F(LoginButtonControllerTest, HideRulesFirstMatchWins) {
    using Strings = std::vector<std::string>;
    using R = vyd::VersionRestrictions;
    struct Row {
        const char* title;
        std::optional<std::string> clientId;
        vyd::RemoteConfig config;
        std::string sdkVersion;
        std::optional<LoginButtonHideReason> reason;
        Message message;
    };
    const Row rows[] = {
        {"nothing configured", "shop", config(std::nullopt, std::nullopt), "2.3.0", std::nullopt, Message::none},
        {"client lowered", "ABC", config(Strings{"abc"}, std::nullopt), "2.3.0", LoginButtonHideReason::blacklist,
         Message::none},
        {"entries not lowered", "ABC", config(Strings{"ABC"}, std::nullopt), "2.3.0", std::nullopt, Message::none},
        {"non-ASCII client lowered",
         "\xc3\x84"
         "BC",
         config(Strings{"\xc3\xa4"
                        "bc"},
                std::nullopt),
         "2.3.0", LoginButtonHideReason::blacklist, Message::none},
        {"no client, empty entry", std::nullopt, config(Strings{"x", ""}, std::nullopt), "2.3.0",
         LoginButtonHideReason::blacklist, Message::none},
        {"blacklist before critical", "abc", config(Strings{"abc"}, R{"2.4.0", std::nullopt, Strings{"2.3.0"}}),
         "2.3.0", LoginButtonHideReason::blacklist, Message::none},
        {"critical", "shop", config(Strings{"abc"}, R{"2.4.0", "2.3.5", Strings{"2.3.0"}}), "2.3.0",
         LoginButtonHideReason::versions, Message::error},
        {"critical matches exactly", "shop", config(std::nullopt, R{"2.3", std::nullopt, Strings{"2.3"}}), "2.3.0",
         std::nullopt, Message::none},
        {"warning when equal", "shop", config(std::nullopt, R{"2.4.0", "2.3.0", std::nullopt}), "2.3.0", std::nullopt,
         Message::warning},
        {"information when older", "shop", config(std::nullopt, R{"2.4.0", "2.2.9", std::nullopt}), "2.3.0",
         std::nullopt, Message::info},
        {"current", "shop", config(std::nullopt, R{"2.3.0", std::nullopt, std::nullopt}), "2.3.0", std::nullopt,
         Message::none},
        {"newer than current", "shop", config(std::nullopt, R{"2.2.0", std::nullopt, Strings{}}), "2.3.0", std::nullopt,
         Message::none},
        // Versions order as numbers: 1.9.0 is older than 1.10.0, 1.10.0 newer than 1.9.0.
        {"1.9.0 below current 1.10.0", "shop", config(std::nullopt, R{"1.10.0", std::nullopt, std::nullopt}), "1.9.0",
         std::nullopt, Message::info},
        {"1.10.0 above warning 1.9.0", "shop", config(std::nullopt, R{"1.10.0", "1.9.0", std::nullopt}), "1.10.0",
         std::nullopt, Message::none},
        {"1.9.0 at most warning 1.10.0", "shop", config(std::nullopt, R{"1.11.0", "1.10.0", std::nullopt}), "1.9.0",
         std::nullopt, Message::warning},
        {"no current, no message", "shop", config(std::nullopt, R{std::nullopt, std::nullopt, std::nullopt}), "2.3.0",
         std::nullopt, Message::none},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.title);
        button = std::make_shared<FakeButton>();
        observer = std::make_shared<FakeObserver>();
        printed.clear();
        const auto eventsBefore = eventsNamed(AnalyticsEventAction::vyIDLoginBlocked).size();
        store->setClientId(row.clientId);
        store->setRemoteConfig(row.config);

        const auto controller = makeController(row.sdkVersion);
        controller->hideButtonIfNeeded();
        EXPECT_TRUE(printed.empty()) << "printed before the main queue ran";
        drainMainQueue();

        EXPECT_EQ(controller->reasonForButtonHiding(), row.reason);
        const int hidden = row.reason ? 1 : 0;
        EXPECT_EQ(button->hideCalls, hidden);
        EXPECT_EQ(observer->calls, hidden);
        const auto blocked = eventsNamed(AnalyticsEventAction::vyIDLoginBlocked);
        ASSERT_EQ(blocked.size() - eventsBefore, static_cast<std::size_t>(hidden));
        if (row.reason) {
            EXPECT_EQ(blocked.back().params.at("reason"), vyd::rawValue(*row.reason));
        }
        if (row.message == Message::none) {
            EXPECT_TRUE(printed.empty()) << (printed.empty() ? "" : printed.front());
        } else {
            const auto current = row.config.versionRestrictions->current.value_or("");
            ASSERT_EQ(printed.size(), 1u);
            EXPECT_EQ(printed.front(), message(row.message, current));
        }
    }
}

TEST_F(LoginButtonControllerTest, VersionMessagesReadAsTheCatalogueGivesThem) {
    store->setRemoteConfig(config(std::nullopt, vyd::VersionRestrictions{"1.10.0", std::nullopt, std::nullopt}));
    makeController("1.9.0")->hideButtonIfNeeded();
    store->setRemoteConfig(
        config(std::nullopt, vyd::VersionRestrictions{std::nullopt, std::nullopt, std::vector<std::string>{"1.9.0"}}));
    makeController("1.9.0")->hideButtonIfNeeded();
    drainMainQueue();
    ASSERT_EQ(printed.size(), 2u);
    EXPECT_EQ(printed[0],
              vyd::Logger::format("🆔⚙️ℹ️ A new version of the VY ID SDK has been released - update to "
                                  "the current one: 1.10.0"));
    // Without a current version the message ends empty.
    EXPECT_EQ(printed[1], vyd::Logger::format("🆔⚙️❌ This version of the VY ID SDK is not supported, the login "
                                              "button will not be displayed, \n update the version to the current "
                                              "one: "));
}

TEST_F(LoginButtonControllerTest, HidingHidesTellsTheObserverThenReports) {
    std::vector<std::string> order;
    button->onHide = [&] { order.push_back("button hidden"); };
    observer->onCall = [&] { order.push_back("observer told"); };
    sink->onEvent = [&](const vyd::AnalyticsEvent& event) { order.push_back(event.name); };
    store->setClientId("shop");
    store->setRemoteConfig(config(std::vector<std::string>{"shop"}, std::nullopt));

    const auto controller = makeController();
    observer->onCall = [&] {
        order.push_back("observer told");
        EXPECT_EQ(controller->reasonForButtonHiding(), LoginButtonHideReason::blacklist)
            << "the reason is stored before the observer hears";
    };
    controller->hideButtonIfNeeded();
    EXPECT_EQ(order, (std::vector<std::string>{"button hidden", "observer told",
                                               vyd::eventName(AnalyticsEventAction::vyIDLoginBlocked)}));
    const auto blocked = eventsNamed(AnalyticsEventAction::vyIDLoginBlocked);
    ASSERT_EQ(blocked.size(), 1u);
    EXPECT_EQ(blocked[0].params.at("reason"), "blocked");
    EXPECT_EQ(blocked[0].params.at("clientId"), "shop");
}

TEST_F(LoginButtonControllerTest, GoneButtonAndObserverAreSkippedAndTheEventStillSent) {
    store->setRemoteConfig(
        config(std::nullopt, vyd::VersionRestrictions{"3.0.0", std::nullopt, std::vector<std::string>{"2.3.0"}}));
    const auto controller = makeController();
    button.reset();
    observer.reset();
    controller->hideButtonIfNeeded();
    EXPECT_EQ(controller->reasonForButtonHiding(), LoginButtonHideReason::versions);
    const auto blocked = eventsNamed(AnalyticsEventAction::vyIDLoginBlocked);
    ASSERT_EQ(blocked.size(), 1u);
    EXPECT_EQ(blocked[0].params.at("reason"), "version");
}

TEST_F(LoginButtonControllerTest, CreationResetsPersonalisationAndRefreshesTheLoginIdentifier) {
    store->setClientId("partner-shop");
    store->setIsButtonPersonalized(true);
    sink->setUserLoginId("someone else");

    const auto controller = makeController();
    EXPECT_FALSE(store->isButtonPersonalized());
    EXPECT_EQ(sink->userLoginId(), "partner-shop");
    EXPECT_EQ(store->clientId(), "partner-shop");

    controller->buttonPersonalizationChanged(true);
    EXPECT_TRUE(store->isButtonPersonalized());
    controller->buttonPersonalizationChanged(false);
    EXPECT_FALSE(store->isButtonPersonalized());
    controller->buttonTapped();
    EXPECT_TRUE(sink->events().empty()) << "a tap reports nothing";
}
