#include "sdk/screens/web/WebSceneOpener.hpp"

#include "platform/foundation/NotificationCenter.hpp"
#include "platform/safariservices/SFSafariViewController.hpp"
#include "platform/testing/SimulatedDevice.hpp"
#include "platform/uikit/UINavigationController.hpp"
#include "platform/uikit/UIScrollView.hpp"
#include "sdk/base/DelegateManager.hpp"
#include "sdk/base/NotificationNames.hpp"
#include "sdk/screens/SlidePanelFactory.hpp"
#include "sdk/screens/web/VYDSafariViewControllerDelegate.hpp"
#include "sdk/services/StaticStorageService.hpp"
#include "sdk/uikit/UIKitTestSupport.hpp"
#include "support/sdk/RecordingWebViewDelegate.hpp"

#include <gtest/gtest.h>

namespace {

using safariservices::SFSafariViewController;
using vyd::NavigationWebViewType;
using vyd::WebSceneSecureLevel;

// Builds plain view controllers for the scenes and remembers them weakly.
class FakeWebSceneAssembler : public vyd::WebSceneAssemblerProtocol {
public:
    struct Build {
        foundation::URL url;
        bool isSecure;
        std::optional<uikit::UIColor> navigationColor;
        std::optional<NavigationWebViewType> webViewType;
        std::shared_ptr<vyd::VYDWebViewDelegateProtocol> delegate;
    };
    std::vector<Build> builds;
    std::weak_ptr<uikit::UIViewController> lastScene;
    std::weak_ptr<uikit::UIScrollView> lastScrollView;

    std::shared_ptr<uikit::UIViewController>
    createAuthWebViewController(const foundation::URL& url, bool isSecure,
                                const std::optional<uikit::UIColor>& navigationColor,
                                const std::shared_ptr<vyd::VYDWebViewDelegateProtocol>& delegate) override {
        builds.push_back({url, isSecure, navigationColor, std::nullopt, delegate});
        auto scene = uikit::UIViewController::make();
        lastScene = scene;
        return scene;
    }
    vyd::NavigationWebScene createNavigationWebViewController(
        const foundation::URL& url, bool isSecure, const std::optional<uikit::UIColor>& navigationColor,
        NavigationWebViewType webViewType, const std::shared_ptr<vyd::VYDWebViewDelegateProtocol>& delegate) override {
        builds.push_back({url, isSecure, navigationColor, webViewType, delegate});
        auto scene = uikit::UIViewController::make();
        auto scrollView = uikit::UIScrollView::make();
        scene->view()->addSubview(scrollView);
        lastScene = scene;
        lastScrollView = scrollView;
        return {scene, scrollView};
    }
};

// A view controller that wants to hear from the browser view opened over it.
class SafariHost : public uikit::UIViewController, public vyd::VYDSafariViewControllerDelegate {
public:
    std::shared_ptr<SFSafariViewController> safariViewController() const override { return safari; }
    void setSafariViewController(std::shared_ptr<SFSafariViewController> controller) override { safari = controller; }
    std::shared_ptr<SFSafariViewController> safari;
};

foundation::URL url(const char* text) { return *foundation::URL::string(text); }

class WebSceneOpenerTest : public uikittests::ManualClockTest {
protected:
    void SetUp() override {
        ManualClockTest::SetUp();
        device = std::make_unique<::testing::SimulatedDevice>();
        root = device->rootViewController();
        storage->setClientId("partner-1");
    }
    void TearDown() override {
        closeAll();
        // The opener stays registered for good, as the process-wide one does; the test lets it go.
        delegateManager->removeDelegate(opener);
        opener.reset();
        root.reset();
        device.reset();
        ManualClockTest::TearDown();
    }

    void configure(std::optional<std::vector<std::string>> whiteList, std::map<std::string, bool> switches = {},
                   bool webViewEnabled = true) {
        auto config = storage->remoteConfig();
        config.hostsWhiteList = std::move(whiteList);
        config.vyIDWebViewEnabledMap = std::move(switches);
        config.featureToggles = vyd::FeatureToggles(webViewEnabled);
        storage->setRemoteConfig(config);
    }

    std::shared_ptr<vyd::SlidePanelController> presentedPanel() {
        auto panel = vyd::SlidePanelFactory().createSlidePanel(
            vyd::SlidePanelFactory::PanelStyle::web, vyd::SlidePanelFactory::PanelBehavior::default_, nullptr);
        root->present(panel, false);
        advance(1);
        return panel;
    }

    // A panel shown as a child of the host's screen.
    std::shared_ptr<vyd::SlidePanelController> childPanel() {
        auto panel = vyd::SlidePanelFactory().createSlidePanel(
            vyd::SlidePanelFactory::PanelStyle::web, vyd::SlidePanelFactory::PanelBehavior::default_, nullptr);
        root->addChild(panel);
        root->view()->addSubview(panel->view());
        panel->didMove(root);
        panel->show(false);
        return panel;
    }

    // What the user sees on top now.
    std::shared_ptr<uikit::UIViewController> top() const { return device->topViewController(); }

    void closeAll() {
        advance(1);
        root->dismiss(false);
        advance(1);
    }

    std::unique_ptr<::testing::SimulatedDevice> device;
    std::shared_ptr<uikit::UIViewController> root;
    std::shared_ptr<vyd::StaticStorageService> storage = std::make_shared<vyd::StaticStorageService>(nullptr);
    std::shared_ptr<vyd::DelegateManager> delegateManager = std::make_shared<vyd::DelegateManager>();
    std::shared_ptr<FakeWebSceneAssembler> assembler = std::make_shared<FakeWebSceneAssembler>();
    std::shared_ptr<vyd::WebSceneOpener> opener =
        vyd::WebSceneOpener::make(nullptr, storage, nullptr, delegateManager, assembler);
};

TEST_F(WebSceneOpenerTest, FullScreenSceneOrBrowserViewBySecureLevelWhiteListClientAndToggle) {
    using Switches = std::map<std::string, bool>;
    using Level = WebSceneSecureLevel;
    const std::vector<std::string> listed{"id.vybank.example"};
    const struct {
        const char* what;
        Level level;
        bool isSecure;
        const char* page;
        std::optional<std::vector<std::string>> whiteList;
        Switches switches;
        bool webViewEnabled;
        std::optional<std::string> clientId;
        bool opensScene;
    } cases[] = {
        // clang-format off
        {"low, not secure: no list, no client, toggle off", Level::low, false, "https://id.vybank.example/a",
         std::nullopt, {}, false, std::nullopt, true},
        {"low, listed host", Level::low, true, "https://id.vybank.example/a", listed, {}, false, std::nullopt, true},
        {"low, host in another case", Level::low, true, "https://ID.vybank.example/a",
         std::vector<std::string>{"ID.VYBANK.example"}, {}, true, "partner-1", false},
        {"low, subdomain of a listed host", Level::low, true, "https://login.id.vybank.example/a", listed, {}, true,
         "partner-1", false},
        {"low, no list", Level::low, true, "https://id.vybank.example/a", std::nullopt, {}, true, "partner-1", false},
        {"low, no host", Level::low, true, "about:blank", std::vector<std::string>{""}, {}, true, "partner-1", false},
        {"high, not secure, no client", Level::high, false, "https://e.example/", std::nullopt, {}, true,
         std::nullopt, false},
        {"high, empty client", Level::high, false, "https://e.example/", std::nullopt, {}, true, "", false},
        {"high, not secure, toggle on", Level::high, false, "https://e.example/", std::nullopt, {}, true,
         "partner-1", true},
        {"high, client switched off beats the toggle", Level::high, false, "https://e.example/", std::nullopt,
         Switches{{"partner-1", false}}, true, "partner-1", false},
        {"high, client switched on beats the toggle", Level::high, false, "https://e.example/", std::nullopt,
         Switches{{"partner-1", true}}, false, "partner-1", true},
        {"high, map without the client: toggle off", Level::high, false, "https://e.example/", std::nullopt,
         Switches{{"partner-2", true}, {"PARTNER-1", true}}, false, "partner-1", false},
        {"high, map without the client: toggle on", Level::high, false, "https://e.example/", std::nullopt,
         Switches{{"partner-2", false}}, true, "partner-1", true},
        {"high, secure, listed", Level::high, true, "https://id.vybank.example/a", listed, {}, true, "partner-1",
         true},
        {"high, secure, not listed", Level::high, true, "https://sso.partner.example/", listed,
         Switches{{"partner-1", true}}, true, "partner-1", false},
        // clang-format on
    };
    const auto color = uikit::UIColor::red();
    const auto delegate = std::make_shared<vydtest::RecordingWebViewDelegate>();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        configure(c.whiteList, c.switches, c.webViewEnabled);
        storage->setClientId(c.clientId);
        assembler->builds.clear();
        opener->openScene(url(c.page), vyd::ModalWebView{root, c.level}, c.isSecure, color, delegate);
        advance(1);
        if (c.opensScene) {
            ASSERT_EQ(assembler->builds.size(), 1u);
            EXPECT_EQ(top(), assembler->lastScene.lock());
            EXPECT_EQ(top()->modalPresentationStyle(), uikit::UIModalPresentationStyle::fullScreen);
            const auto& build = assembler->builds.front();
            EXPECT_EQ(build.url, url(c.page));
            EXPECT_EQ(build.isSecure, c.isSecure);
            EXPECT_EQ(build.navigationColor, color);
            EXPECT_EQ(build.delegate, delegate);
        } else {
            EXPECT_TRUE(assembler->builds.empty());
            const auto safari = std::dynamic_pointer_cast<SFSafariViewController>(top());
            ASSERT_NE(safari, nullptr);
            EXPECT_EQ(safari->url(), url(c.page));
            EXPECT_EQ(safari->preferredBarTintColor(), color);
        }
        closeAll();
    }
}

TEST_F(WebSceneOpenerTest, PanelSceneOrBrowserViewByVariantWhiteListAndToggle) {
    const std::vector<std::string> listed{"lk.partner.example"};
    const struct {
        const char* what;
        NavigationWebViewType type;
        bool isSecure;
        const char* page;
        bool webViewEnabled;
        bool opensScene;
    } cases[] = {
        {"base, toggle on", NavigationWebViewType::base, false, "https://other.example/", true, true},
        {"base, toggle off", NavigationWebViewType::base, false, "https://other.example/", false, false},
        {"base, secure, listed", NavigationWebViewType::base, true, "https://lk.partner.example/", true, true},
        {"base, secure, not listed", NavigationWebViewType::base, true, "https://other.example/", true, false},
        {"ELK-lite ignores the toggle", NavigationWebViewType::elkLite, false, "https://other.example/", false, true},
        {"ELK-lite, secure, not listed", NavigationWebViewType::elkLite, true, "https://other.example/", true, false},
    };
    // Neither variant looks at the client: switched off, and then absent.
    configure(listed, {{"partner-1", false}});
    storage->setClientId(std::nullopt);
    const auto color = uikit::UIColor::blue();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        configure(listed, {{"partner-1", false}}, c.webViewEnabled);
        const auto panel = presentedPanel();
        assembler->builds.clear();
        const auto delegate = std::make_shared<vydtest::RecordingWebViewDelegate>();
        opener->openScene(url(c.page), vyd::ChildWebView{panel, c.type}, c.isSecure, color, delegate);
        advance(1);
        if (c.opensScene) {
            ASSERT_EQ(assembler->builds.size(), 1u);
            EXPECT_EQ(assembler->builds.front().webViewType, c.type);
            EXPECT_EQ(assembler->builds.front().delegate, delegate);
            const auto navigation =
                std::dynamic_pointer_cast<uikit::UINavigationController>(panel->contentViewController());
            ASSERT_NE(navigation, nullptr);
            EXPECT_EQ(navigation->topViewController(), assembler->lastScene.lock());
            EXPECT_EQ(panel->trackingScrollView(), assembler->lastScrollView.lock());
            EXPECT_TRUE(panel->surfaceView()->grabberHandle()->isHidden());
            EXPECT_EQ(panel->delegate(), opener);
            EXPECT_EQ(opener->slidePanelVC(), panel);
            EXPECT_EQ(opener->delegate(), delegate);
            EXPECT_EQ(panel->state(), vyd::SlidePanelState::full()) << "the caller shows the panel";
        } else {
            EXPECT_TRUE(assembler->builds.empty());
            const auto safari = std::dynamic_pointer_cast<SFSafariViewController>(top());
            ASSERT_NE(safari, nullptr) << "the browser view shows over the panel its root presents";
            EXPECT_EQ(safari->presentingViewController(), panel);
            EXPECT_EQ(panel->state(), vyd::SlidePanelState::hidden());
            EXPECT_EQ(panel->contentViewController(), nullptr);
        }
        closeAll();
    }
}

TEST_F(WebSceneOpenerTest, ARefusedPanelSceneLeavesTheOpenerAsItWas) {
    configure(std::vector<std::string>{"lk.partner.example"});
    const auto first = presentedPanel();
    const auto kept = std::make_shared<vydtest::RecordingWebViewDelegate>();
    opener->openScene(url("https://lk.partner.example/"), vyd::ChildWebView{first, NavigationWebViewType::base}, true,
                      std::nullopt, kept);
    delegateManager->addDelegate(kept);

    // A second panel, shown over nothing but the host's window, with a page that is not allowed.
    const auto second = childPanel();
    const auto refused = std::make_shared<vydtest::RecordingWebViewDelegate>();
    opener->openScene(url("https://other.example/"), vyd::ChildWebView{second, NavigationWebViewType::base}, true,
                      std::nullopt, refused);
    advance(1);
    EXPECT_EQ(second->state(), vyd::SlidePanelState::hidden());
    EXPECT_NE(std::dynamic_pointer_cast<SFSafariViewController>(top()), nullptr);
    EXPECT_EQ(opener->delegate(), kept);
    EXPECT_EQ(opener->slidePanelVC(), first);

    // The rejection takes the first panel away and unregisters its host delegate only.
    delegateManager->notifyDelegates<vyd::VYDWebViewDelegateProtocol>(
        [](vyd::VYDWebViewDelegateProtocol& listener) { listener.webViewReject(); });
    advance(2);
    EXPECT_EQ(kept->rejections, 1);
    EXPECT_EQ(first->presentingViewController(), nullptr) << "removed";
    EXPECT_EQ(opener->slidePanelVC(), nullptr) << "the panel reported its removal";
    EXPECT_EQ(delegateManager->registeredDelegates(), std::vector<std::shared_ptr<vyd::DelegateObject>>{opener});
    second->removeFromParent();
}

TEST_F(WebSceneOpenerTest, BrowserViewGoesWithAnyReturnLinkAndOverAPanelThroughItsShow) {
    const auto host = uikit::UIViewController::create<SafariHost>();
    root->present(host, false);
    advance(1);
    foundation::UserInfo withString;
    withString.emplace("isSuccess", std::string("yes"));
    foundation::UserInfo withFalse;
    withFalse.emplace("isSuccess", false);
    for (const auto& userInfo : {foundation::UserInfo{}, withString, withFalse}) {
        opener->openScene(url("https://partner.example/"), vyd::SafariView{host}, true, uikit::UIColor::red(), nullptr);
        advance(1);
        const auto safari = std::dynamic_pointer_cast<SFSafariViewController>(top());
        ASSERT_NE(safari, nullptr);
        EXPECT_EQ(host->safari, safari);
        EXPECT_EQ(safari->delegate(), host);
        foundation::NotificationCenter::defaultCenter().post(vyd::NotificationNames::authNativeResult(), nullptr,
                                                             userInfo);
        advance(1);
        EXPECT_EQ(top(), host);
    }
    host->dismiss(false);
    advance(1);

    const auto panel = presentedPanel();
    opener->openScene(url("https://partner.example/"), vyd::SafariView{panel}, false, std::nullopt, nullptr);
    advance(1);
    ASSERT_NE(std::dynamic_pointer_cast<SFSafariViewController>(top()), nullptr);
    EXPECT_EQ(top()->presentingViewController(), panel);
}

TEST_F(WebSceneOpenerTest, ScenesTheOpenerBuiltAreReleasedWhenTheyGo) {
    storage->setClientId("partner-1");
    configure(std::nullopt);
    opener->openScene(url("https://id.vybank.example/"), vyd::ModalWebView{root, WebSceneSecureLevel::high}, false,
                      std::nullopt, nullptr);
    advance(1);
    ASSERT_FALSE(assembler->lastScene.expired());
    root->dismiss(true);
    advance(1);
    EXPECT_TRUE(assembler->lastScene.expired());

    auto panel = presentedPanel();
    opener->openScene(url("https://lk.partner.example/"), vyd::ChildWebView{panel, NavigationWebViewType::elkLite},
                      false, std::nullopt, nullptr);
    std::weak_ptr<vyd::SlidePanelController> weakPanel = panel;
    panel->remove();
    panel.reset();
    advance(2);
    EXPECT_TRUE(assembler->lastScene.expired());
    EXPECT_TRUE(weakPanel.expired());

    // An older panel going does not make the opener forget the newer one.
    const auto older = childPanel();
    opener->openScene(url("https://lk.partner.example/"), vyd::ChildWebView{older, NavigationWebViewType::base}, false,
                      std::nullopt, nullptr);
    const auto newer = childPanel();
    opener->openScene(url("https://lk.partner.example/"), vyd::ChildWebView{newer, NavigationWebViewType::base}, false,
                      std::nullopt, nullptr);
    older->remove();
    advance(2);
    EXPECT_EQ(older->parent(), nullptr);
    EXPECT_EQ(opener->slidePanelVC(), newer);
    newer->removeFromParent();
}

} // namespace
