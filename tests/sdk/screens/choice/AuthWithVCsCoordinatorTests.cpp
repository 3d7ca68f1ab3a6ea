#include "ChoiceTestSupport.hpp"

#include "platform/swiftui/UIHostingController.hpp"
#include "platform/testing/SimulatedUser.hpp"
#include "platform/uikit/UIButton.hpp"
#include "platform/uikit/UIImageView.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UIStackView.hpp"
#include "platform/uikit/UIWindow.hpp"
#include "sdk/base/DIContainer.hpp"
#include "sdk/catalogue/ImageAsset.hpp"
#include "sdk/catalogue/L10n.hpp"
#include "sdk/screens/choice/AuthChooseView.hpp"
#include "sdk/screens/choice/AuthWithVCsCoordinator.hpp"
#include "sdk/services/RootViewControllerStorage.hpp"
#include "sdk/services/StaticStorageService.hpp"
#include "sdk/uikit/ImageContainerView.hpp"
#include "sdk/uikit/UIKitTestSupport.hpp"
#include "support/sdk/ScopedServices.hpp"

#include <gtest/gtest.h>

namespace {

using namespace choicetests;
using Entries = std::vector<std::string>;
using coregraphics::CGRect;
using ::testing::SimulatedUser;

class Checker : public vyd::KWPresenceCheckerProtocol {
public:
    std::optional<std::vector<vyd::KWAppInfo>> apps;
    std::optional<std::vector<vyd::KWAppInfo>> existingKWs() const override { return apps; }
    bool isAnyKWInstalled() const override { return apps.has_value(); }
};

// The default configuration with the dialog's global switch and client list.
vyd::RemoteConfig dialog(bool global, std::vector<std::string> clients = {}) {
    return {{}, {}, {}, {}, {}, global, std::move(clients), {}};
}

class AuthWithVCsCoordinatorTest : public uikittests::PhoneTest {
public:
    void SetUp() override {
        PhoneTest::SetUp();
        services.replace(&vyd::DIContainer::setStaticStorageService, storage); // the sheet reads the partner
        storage->setClientId("client-1");
        storage->setRemoteConfig(dialog(true));
        rootStorage->setViewController(root);
    }
    void TearDown() override {
        coordinator.reset();
        PhoneTest::TearDown();
    }

    // Starts a flow with that many VY Bank apps installed (-1: the checker finds none at all).
    void start(int apps) {
        checker->apps = apps < 0 ? std::nullopt : std::optional(std::vector<vyd::KWAppInfo>{});
        for (int i = 0; i < apps; ++i) {
            checker->apps->push_back(stableApp("VY Bank " + std::to_string(i + 1)));
        }
        auth = std::make_shared<FakeAuthService>(sharedLog, true);
        coordinator = vyd::AuthWithVCsCoordinator::make(
            storage, paramsMaker(), checker, std::make_shared<vyd::SlidePanelFactory>(), rootStorage, auth, request());
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
    Entries shown() const {
        Entries sheets;
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
    std::shared_ptr<swiftui::UIHostingController> listSheet() const {
        return std::dynamic_pointer_cast<swiftui::UIHostingController>(
            coordinator->appChooseslidePanelVC()->contentViewController());
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
        std::make_shared<vyd::StaticStorageService>(std::make_shared<FakeAnalytics>(log));
    std::shared_ptr<vyd::RootViewControllerStorage> rootStorage = std::make_shared<vyd::RootViewControllerStorage>();
    std::shared_ptr<Checker> checker = std::make_shared<Checker>();
    std::shared_ptr<FakeAuthService> auth;
    std::shared_ptr<vyd::AuthWithVCsCoordinator> coordinator;
    vydtest::ScopedServices services;
};

// What the start shows for the configuration and the installed apps, and what each ending of the
// choice sheet shows and reports.
TEST_F(AuthWithVCsCoordinatorTest, TheStartAndTheChoiceSheetsEndings) {
    const auto on = dialog(true), off = dialog(false);
    // Columns: name, client, configuration, apps installed (-1: none found), action on the choice sheet once
    // shown, sheets shown, events.
    using Row =
        std::tuple<const char*, std::optional<std::string>, vyd::RemoteConfig, int, std::string, Entries, Entries>;
    const Row cases[] = {
        // clang-format off
        {"dialog on for everyone", "client-1", on, 2, "", {"choice"}, {"show vyID"}},
        {"client in the dialog list", "client-1", dialog(false, {"client-1"}), 0, "", {"choice"}, {"show vyID"}},
        {"no client identifier, two apps", std::nullopt, on, 2, "", {"list"}, {}},
        {"list of clients differs in case", "client-1", dialog(false, {"CLIENT-1"}), 3, "", {"list"}, {}},
        {"dialog off, one app", "client-1", off, 1, "", {}, {"app2app s1 (off main)"}},
        {"dialog off, no app", "client-1", off, -1, "", {}, {"app2app s1 (off main)"}},
        {"close button", "client-1", on, 2, "close", {}, {"show vyID", "close vyID"}},
        {"removed by the panel", "client-1", on, 2, "remove", {}, {"show vyID", "close vyID"}},
        {"continue, two apps", "client-1", on, 2, "continue", {"choice", "list"}, {"show vyID", "click-kw vyID"}},
        {"continue, one app", "client-1", on, 1, "continue", {},
         {"show vyID", "click-kw vyID", "app2app s1 (off main)"}},
        {"by phone", "client-1", on, 2, "phone", {}, {"show vyID", "click-web app2web", "web s1 (off main)"}},
        // clang-format on
    };
    for (const auto& [name, clientId, config, apps, action, sheets, events] : cases) {
        SCOPED_TRACE(name);
        mark = log.entries().size();
        storage->setClientId(clientId);
        storage->setRemoteConfig(config);
        start(apps);
        if (action == "remove") {
            coordinator->authChooseslidePanelVC()->remove();
        } else if (!action.empty()) {
            const auto sheet = choiceSheet();
            SimulatedUser::tap(action == "close"      ? sheet->closeButton()
                               : action == "continue" ? sheet->continueButton()
                                                      : sheet->enterByPhoneButton());
        }
        finish(mark + events.size());
        EXPECT_EQ(shown(), sheets);
        // An attempt runs off the main thread: it may come before or after the click event.
        auto entries = since(), expected = events;
        std::sort(entries.begin() + (entries.empty() ? 0 : 1), entries.end());
        std::sort(expected.begin() + (expected.empty() ? 0 : 1), expected.end());
        EXPECT_EQ(entries, expected);
        if (sheets.empty()) {
            EXPECT_EQ(coordinator->authChooseslidePanelVC(), nullptr);
        }
        root->dismiss(false);
        finish();
    }
    rootStorage->setViewController(nullptr);
    mark = log.entries().size();
    start(2);
    EXPECT_NE(coordinator->authChooseslidePanelVC(), nullptr) << "the panel stays stored";
    EXPECT_EQ(shown(), Entries{}) << "no presenter";
    EXPECT_EQ(since(), Entries{});
}

TEST_F(AuthWithVCsCoordinatorTest, DragCloseAndAnAttemptAfterTheServiceWent) {
    start(2);
    // The surface cannot be dragged above its full position; below is the panel's business.
    const auto panel = coordinator->authChooseslidePanelVC();
    const auto full = panel->surfaceLocation(vyd::SlidePanelState::full());
    for (const auto& [dragged, kept] : {std::pair{full.y - 50, full.y}, {full.y + 50, full.y + 50}}) {
        panel->setSurfaceLocation({full.x, dragged});
        coordinator->slidePanelDidMove(panel);
        EXPECT_EQ(panel->surfaceLocation().y, kept);
    }
    // The close event comes once, after the dismissal; the reference goes at once.
    coordinator->closeAction();
    EXPECT_EQ(coordinator->authChooseslidePanelVC(), nullptr);
    EXPECT_EQ(log.entries(), Entries{"show vyID"});
    finish();
    coordinator->closeAction(); // nothing left to close
    auth.reset();
    coordinator->enterByPhoneAction();
    finish();
    EXPECT_EQ(log.entries(), (Entries{"show vyID", "close vyID", "click-web app2web"}));
}

TEST_F(AuthWithVCsCoordinatorTest, APickInTheListOverTheChoiceSheetTakesBothSheetsAwayAndNothingOutlivesTheFlow) {
    start(2);
    SimulatedUser::tap(choiceSheet()->continueButton());
    finish();
    ASSERT_EQ(shown(), (Entries{"choice", "list"}));
    std::weak_ptr<vyd::AuthWithVCsCoordinator> weakCoordinator = coordinator;
    std::vector<std::weak_ptr<void>> parts = {coordinator->authChooseslidePanelVC(),
                                              coordinator->appChooseslidePanelVC(), choiceSheet(), listSheet()};
    ASSERT_NE(SimulatedUser::tap(listSheet()->view(), "VY Bank 2"), nullptr);
    finish(3);
    EXPECT_EQ(shown(), Entries{});
    EXPECT_EQ(coordinator->authChooseslidePanelVC(), nullptr);
    EXPECT_EQ(log.entries(), (Entries{"show vyID", "click-kw vyID", "deeplink vybank:// s1 (off main)"}));
    coordinator.reset();
    finish();
    EXPECT_TRUE(weakCoordinator.expired());
    for (const auto& part : parts) {
        EXPECT_TRUE(part.expired());
    }
}

TEST_F(AuthWithVCsCoordinatorTest, TheListsOwnEndings) {
    // Its cross button: the list goes, the choice sheet stays, the coordinator keeps the list.
    start(2);
    coordinator->continueAction();
    finish();
    const auto* cross = listSheet()->hostingView()->rootNode()->find(
        [](const swiftui::Node& n) { return n.kind() == swiftui::NodeKind::button; });
    ASSERT_NE(cross, nullptr);
    SimulatedUser::tap(listSheet()->hostingView(), {cross->frame().midX(), cross->frame().midY()});
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

TEST_F(AuthWithVCsCoordinatorTest, TheChoiceSheetsFramesTextsAndButtonsWithoutACoordinator) {
    storage->setPartnerName("Partner Shop");
    start(2);
    const auto view = choiceSheet();
    const auto onScreen = [&](const std::shared_ptr<uikit::UIView>& v) {
        return v->convert(v->bounds(), device->keyWindow().get());
    };
    const CGRect sheet = onScreen(view), top = onScreen(view->topContainerView()),
                 bottom = onScreen(view->bottomContainerView()), proceed = onScreen(view->continueButton()),
                 phone = onScreen(view->enterByPhoneButton()), labels = onScreen(view->labelsStackView()),
                 buttons = onScreen(view->buttonsStackView()), header = onScreen(view->headerLabel()),
                 description = onScreen(view->descritionLabel()), close = onScreen(view->closeButton());
    // The top area is as high as the background image, the sheet ends where its lower area does,
    // buttons fill the width inside margins of 24, the close button (made 44 x 44) is 32 x 32.
    EXPECT_EQ(
        (std::vector{top.size.height, bottom.maxY() - sheet.maxY(), proceed.size.height, phone.size.height,
                     phone.minY() - proceed.maxY(), buttons.minY() - labels.maxY(), description.minY() - header.maxY(),
                     proceed.size.width, close.size.width, close.size.height, top.maxX() - close.maxX()}),
        (std::vector<coregraphics::CGFloat>{vyd::Asset::gradientBackground.image()->size().height, 0, 40, 40, 8, 24, 16,
                                            390 - 48, 32, 32, 20}));
    EXPECT_LT(header.size.width, proceed.size.width) << "the header keeps its natural width";
    EXPECT_EQ(onScreen(view->logoImageView()), (CGRect{24, top.minY() + 58, 78, 78}));

    for (const std::string partner : {"Partner Shop", ""}) {
        const auto texts = partner.empty() ? vyd::AuthChooseView::make(partner) : view;
        EXPECT_EQ(texts->descritionLabel()->text().value_or(""),
                  "This is a secure way to log in with a " + vyd::L10n::Ui::Common::vyIdB64() + ":\n" + partner +
                      " will not get access to your application, there will be no autoscaling either");
    }
    EXPECT_EQ(view->continueButton()->title(uikit::UIControlState::normal), "Continue");
    EXPECT_EQ(view->enterByPhoneButton()->title(uikit::UIControlState::normal), "Log in by phone number");

    // The sheet does not keep its delegate: with the coordinator gone, a tap does nothing.
    coordinator.reset();
    for (const auto& button : {view->closeButton(), view->continueButton(), view->enterByPhoneButton()}) {
        SimulatedUser::tap(button);
    }
    finish();
    EXPECT_EQ(log.entries(), Entries{"show vyID"});
}

} // namespace
