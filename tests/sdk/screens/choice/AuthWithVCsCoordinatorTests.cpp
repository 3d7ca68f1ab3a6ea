#include "ChoiceTestSupport.hpp"

#include "platform/swiftui/UIHostingController.hpp"
#include "platform/testing/SimulatedUser.hpp"
#include "platform/uikit/UIButton.hpp"
#include "platform/uikit/UIWindow.hpp"
#include "sdk/screens/choice/AuthChooseView.hpp"
#include "sdk/screens/choice/AuthWithVCsCoordinator.hpp"
#include "sdk/services/RootViewControllerStorage.hpp"
#include "sdk/services/StaticStorageService.hpp"
#include "sdk/uikit/UIKitTestSupport.hpp"

#include <gtest/gtest.h>

namespace {

using namespace choicetests;
using Entries = std::vector<std::string>;
using vyd::AnalyticsEventAction;

class PopupAnalytics : public vyd::AnalyticsServiceProtocol {
public:
    explicit PopupAnalytics(Log& log) : log_(log) {}
    void sendEvent(AnalyticsEventAction action, const vyd::AnalyticsParams& params) override {
        const std::map<AnalyticsEventAction, std::string> names = {
            {AnalyticsEventAction::vyIDAuthPopupShow, "show"},
            {AnalyticsEventAction::vyIDAuthPopupClose, "close"},
            {AnalyticsEventAction::vyIDAuthPopupClickKw, "click-kw"},
            {AnalyticsEventAction::vyIDAuthPopupClickWeb, "click-web"},
        };
        const auto name = names.find(action);
        log_.add((name == names.end() ? "other" : name->second) + " " + params.at("authType"));
    }
    void refreshUserLoginId(const std::optional<std::string>&) override {}

private:
    Log& log_;
};

class PopupParams : public FakeParamsMaker {
public:
    vyd::AnalyticsParams makeAuthPopupParams(vyd::AuthType type) const override {
        return {{"authType", std::string(vyd::rawValue(type))}};
    }
};

class Checker : public vyd::KWPresenceCheckerProtocol {
public:
    std::optional<std::vector<vyd::KWAppInfo>> apps;
    std::optional<std::vector<vyd::KWAppInfo>> existingKWs() const override { return apps; }
    bool isAnyKWInstalled() const override { return apps.has_value(); }
};

std::vector<vyd::KWAppInfo> installed(int count) {
    std::vector<vyd::KWAppInfo> apps;
    for (int i = 0; i < count; ++i) {
        apps.push_back(stableApp("VY Bank " + std::to_string(i + 1)));
    }
    return apps;
}

class AuthWithVCsCoordinatorTest : public uikittests::PhoneTest {
public:
    void SetUp() override {
        PhoneTest::SetUp();
        storage->setClientId("client-1");
        storage->setRemoteConfig(dialog(true));
        rootStorage->setViewController(root);
    }
    void TearDown() override {
        coordinator.reset();
        PhoneTest::TearDown();
    }

    static vyd::RemoteConfig dialog(bool global, std::vector<std::string> clients = {}) {
        auto config = vyd::RemoteConfig::defaultConfig();
        config.app2AppDialogEnabled = global;
        config.app2AppDialogClients = std::move(clients);
        return config;
    }

    void start(int apps, bool opens = true) {
        checker->apps = apps < 0 ? std::nullopt : std::optional(installed(apps));
        auth = std::make_shared<FakeAuthService>(sharedLog, opens);
        coordinator =
            vyd::AuthWithVCsCoordinator::make(storage, std::make_shared<PopupParams>(), checker,
                                              std::make_shared<vyd::SlidePanelFactory>(), rootStorage, auth, request());
        coordinator->startAuthChooseScenario();
        finish();
    }

    // Lets animations end and the attempts off the main thread come back.
    void finish(std::size_t entries = 0) {
        const auto logged = [&] { return log.entries().size() >= entries; };
        for (int i = 0; i < 400 && (i < 4 || !logged()); ++i) {
            foundation::RunLoop::main().runUntil(logged, 0.025);
            advance(0.5);
            settle();
        }
    }

    // What shows over the host's screen, from the bottom.
    std::vector<std::string> shown() const {
        std::vector<std::string> sheets;
        for (auto vc = root->presentedViewController(); vc; vc = vc->presentedViewController()) {
            const auto panel = std::dynamic_pointer_cast<vyd::SlidePanelController>(vc);
            const auto content = panel ? panel->contentViewController() : nullptr;
            sheets.push_back(std::dynamic_pointer_cast<vyd::AuthChooseViewController>(content)  ? "choice"
                             : std::dynamic_pointer_cast<swiftui::UIHostingController>(content) ? "list"
                                                                                                : "other");
        }
        return sheets;
    }

    std::shared_ptr<vyd::AuthChooseView> choiceSheet() const {
        return std::dynamic_pointer_cast<vyd::AuthChooseView>(
            coordinator->authChooseslidePanelVC()->contentViewController()->view());
    }
    std::shared_ptr<uikit::UIView> listSheet() const {
        return coordinator->appChooseslidePanelVC()->contentViewController()->view();
    }

    // What was logged since the mark.
    Entries since() const {
        const auto entries = log.entries();
        return Entries(entries.begin() + static_cast<std::ptrdiff_t>(mark), entries.end());
    }

    // Shared with the attempts' worker threads, which may outlive the test.
    std::shared_ptr<Log> sharedLog = std::make_shared<Log>();
    Log& log = *sharedLog;
    std::size_t mark = 0;
    std::shared_ptr<vyd::StaticStorageService> storage =
        std::make_shared<vyd::StaticStorageService>(std::make_shared<PopupAnalytics>(log));
    std::shared_ptr<vyd::RootViewControllerStorage> rootStorage = std::make_shared<vyd::RootViewControllerStorage>();
    std::shared_ptr<Checker> checker = std::make_shared<Checker>();
    std::shared_ptr<FakeAuthService> auth;
    std::shared_ptr<vyd::AuthWithVCsCoordinator> coordinator;
};

TEST_F(AuthWithVCsCoordinatorTest, TheStartShowsWhatTheConfigurationAndTheDeviceAllow) {
    struct Case {
        const char* name;
        std::optional<std::string> clientId;
        vyd::RemoteConfig config;
        int apps; // -1: the checker finds none at all
        Entries shown;
        Entries log;
    };
    const std::vector<Case> cases = {
        {"dialog on for everyone", "client-1", dialog(true), 2, {"choice"}, {"show vyID"}},
        {"client in the dialog list", "client-1", dialog(false, {"client-1"}), 0, {"choice"}, {"show vyID"}},
        {"no client identifier, two apps", std::nullopt, dialog(true), 2, {"list"}, {}},
        {"list of clients differs in case", "client-1", dialog(false, {"CLIENT-1"}), 3, {"list"}, {}},
        {"dialog off, one app", "client-1", dialog(false), 1, {}, {"app2app s1 (off main)"}},
        {"dialog off, no app", "client-1", dialog(false), -1, {}, {"app2app s1 (off main)"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        mark = log.entries().size();
        storage->setClientId(c.clientId);
        storage->setRemoteConfig(c.config);
        start(c.apps);
        finish(mark + c.log.size());
        EXPECT_EQ(shown(), c.shown);
        EXPECT_EQ(since(), c.log);
        coordinator->closeAction();
        if (const auto list = coordinator->appChooseslidePanelVC()) {
            list->dismiss(false);
        }
        finish();
        ASSERT_EQ(shown(), Entries{});
    }
}

TEST_F(AuthWithVCsCoordinatorTest, WithoutAPresenterNothingShowsAndNothingIsSent) {
    rootStorage->setViewController(nullptr);
    start(2);
    EXPECT_NE(coordinator->authChooseslidePanelVC(), nullptr) << "the panel stays stored";
    EXPECT_EQ(shown(), Entries{});
    EXPECT_EQ(log.entries(), Entries{});
}

TEST_F(AuthWithVCsCoordinatorTest, TheChoiceSheetsButtonsAndItsRemoval) {
    struct Case {
        const char* name;
        int apps;
        std::function<void(AuthWithVCsCoordinatorTest&)> act;
        Entries shown;
        Entries log; // after the show event
    };
    const std::vector<Case> cases = {
        {"close button",
         2,
         [](auto& t) { ::testing::SimulatedUser::tap(t.choiceSheet()->closeButton()); },
         {},
         {"close vyID"}},
        {"removed by the panel",
         2,
         [](auto& t) { t.coordinator->authChooseslidePanelVC()->remove(); },
         {},
         {"close vyID"}},
        {"continue with two apps",
         2,
         [](auto& t) { ::testing::SimulatedUser::tap(t.choiceSheet()->continueButton()); },
         {"choice", "list"},
         {"click-kw vyID"}},
        {"continue with one app",
         1,
         [](auto& t) { ::testing::SimulatedUser::tap(t.choiceSheet()->continueButton()); },
         {},
         {"click-kw vyID", "app2app s1 (off main)"}},
        {"log in by phone number",
         2,
         [](auto& t) { ::testing::SimulatedUser::tap(t.choiceSheet()->enterByPhoneButton()); },
         {},
         {"click-web app2web", "web s1 (off main)"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        mark = log.entries().size();
        start(c.apps);
        ASSERT_EQ(since(), Entries{"show vyID"});
        c.act(*this);
        finish(mark + 1 + c.log.size());
        EXPECT_EQ(shown(), c.shown);
        Entries expected = {"show vyID"};
        expected.insert(expected.end(), c.log.begin(), c.log.end());
        auto entries = since();
        // The attempt runs off the main thread: it may come before or after the click event.
        std::sort(entries.begin() + 1, entries.end());
        std::sort(expected.begin() + 1, expected.end());
        EXPECT_EQ(entries, expected);
        if (c.shown.empty()) {
            EXPECT_EQ(coordinator->authChooseslidePanelVC(), nullptr);
        } else {
            root->dismiss(false);
            finish();
        }
    }
}

TEST_F(AuthWithVCsCoordinatorTest, CloseSendsItsEventOnceAfterTheAnimation) {
    start(2);
    coordinator->closeAction();
    EXPECT_EQ(coordinator->authChooseslidePanelVC(), nullptr) << "cleared before the dismissal ends";
    EXPECT_EQ(log.entries(), Entries{"show vyID"});
    finish();
    coordinator->closeAction(); // nothing left to close
    finish();
    EXPECT_EQ(log.entries(), (Entries{"show vyID", "close vyID"}));
}

TEST_F(AuthWithVCsCoordinatorTest, APickInTheListOverTheChoiceSheetTakesBothSheetsAway) {
    start(2);
    ::testing::SimulatedUser::tap(choiceSheet()->continueButton());
    finish();
    ASSERT_EQ(shown(), (Entries{"choice", "list"}));
    ASSERT_NE(::testing::SimulatedUser::tap(listSheet(), "VY Bank 2"), nullptr);
    finish(3);
    EXPECT_EQ(shown(), Entries{});
    EXPECT_EQ(device->topViewController(), root);
    EXPECT_EQ(coordinator->authChooseslidePanelVC(), nullptr);
    EXPECT_EQ(log.entries(), (Entries{"show vyID", "click-kw vyID", "deeplink vybank:// s1 (off main)"}));
}

TEST_F(AuthWithVCsCoordinatorTest, TheListsOwnEndings) {
    // Its cross button: the list goes, the choice sheet stays, the coordinator keeps the list.
    start(2);
    coordinator->continueAction();
    finish();
    const auto list = std::static_pointer_cast<swiftui::UIHostingController>(
        coordinator->appChooseslidePanelVC()->contentViewController());
    const auto* cross = list->hostingView()->rootNode()->find(
        [](const swiftui::Node& n) { return n.kind() == swiftui::NodeKind::button; });
    ASSERT_NE(cross, nullptr);
    ::testing::SimulatedUser::tap(list->hostingView(), {cross->frame().midX(), cross->frame().midY()});
    finish();
    EXPECT_EQ(shown(), Entries{"choice"});
    EXPECT_NE(coordinator->appChooseslidePanelVC(), nullptr);
    // Its removal by the panel clears it without an event.
    coordinator->slidePanelDidRemove(coordinator->appChooseslidePanelVC());
    EXPECT_EQ(coordinator->appChooseslidePanelVC(), nullptr);
    EXPECT_EQ(log.entries(), (Entries{"show vyID", "click-kw vyID"}));

    // An app that did not open: the choice sheet goes and the web page takes over.
    coordinator->continueAction();
    finish();
    coordinator->appWasOpened(false);
    finish(4);
    EXPECT_EQ(shown(), Entries{});
    EXPECT_EQ(log.entries().back(), "web s1 (off main)");
    // An app that opened with no choice sheet: nothing happens.
    coordinator->appWasOpened(true);
    finish();
    EXPECT_EQ(log.entries().size(), 4U);
}

TEST_F(AuthWithVCsCoordinatorTest, AttemptsAfterTheServiceWentDoNothing) {
    start(2);
    auth.reset();
    coordinator->enterByPhoneAction();
    finish();
    EXPECT_EQ(log.entries(), (Entries{"show vyID", "click-web app2web"}));
}

TEST_F(AuthWithVCsCoordinatorTest, TheSurfaceCannotBeDraggedAboveItsFullPosition) {
    start(2);
    const auto panel = coordinator->authChooseslidePanelVC();
    const auto full = panel->surfaceLocation(vyd::SlidePanelState::full());
    panel->setSurfaceLocation({full.x, full.y - 50});
    coordinator->slidePanelDidMove(panel);
    EXPECT_EQ(panel->surfaceLocation().y, full.y);
    panel->setSurfaceLocation({full.x, full.y + 50});
    coordinator->slidePanelDidMove(panel);
    EXPECT_EQ(panel->surfaceLocation().y, full.y + 50);
}

TEST_F(AuthWithVCsCoordinatorTest, NothingOutlivesTheFlow) {
    start(2);
    coordinator->continueAction();
    finish();
    std::weak_ptr<vyd::AuthWithVCsCoordinator> weakCoordinator = coordinator;
    std::weak_ptr<uikit::UIViewController> choicePanel = coordinator->authChooseslidePanelVC();
    std::weak_ptr<uikit::UIViewController> listPanel = coordinator->appChooseslidePanelVC();
    std::weak_ptr<uikit::UIView> choice = choiceSheet();
    std::weak_ptr<uikit::UIView> list = listSheet();
    ASSERT_NE(::testing::SimulatedUser::tap(listSheet(), "VY Bank 1"), nullptr);
    finish(3);
    coordinator.reset();
    finish();
    EXPECT_TRUE(weakCoordinator.expired());
    EXPECT_TRUE(choicePanel.expired());
    EXPECT_TRUE(listPanel.expired());
    EXPECT_TRUE(choice.expired());
    EXPECT_TRUE(list.expired());
}

} // namespace
