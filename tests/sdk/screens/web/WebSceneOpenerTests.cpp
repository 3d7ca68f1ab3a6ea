#include "sdk/screens/web/WebSceneOpener.hpp"

#include "platform/foundation/NotificationCenter.hpp"
#include "platform/safariservices/SFSafariViewController.hpp"
#include "platform/uikit/UIScrollView.hpp"
#include "sdk/base/DelegateManager.hpp"
#include "sdk/base/NotificationNames.hpp"
#include "sdk/screens/SlidePanelFactory.hpp"
#include "sdk/screens/web/VYDSafariViewControllerDelegate.hpp"
#include "sdk/services/StaticStorageService.hpp"
#include "sdk/uikit/UIKitTestSupport.hpp"
#include "support/sdk/RecordingWebViewDelegate.hpp"

#include <gtest/gtest.h>

#include <variant>

namespace {

using safariservices::SFSafariViewController;
using namespace uikit;
using namespace vyd;
using Delegate = std::shared_ptr<VYDWebViewDelegateProtocol>;
using Strings = std::vector<std::string>;

// Builds plain view controllers for the scenes, remembers them weakly and what each was asked.
class FakeWebSceneAssembler : public WebSceneAssemblerProtocol {
public:
    std::vector<std::string> builds; // "URL secure|open type"
    Delegate lastDelegate;
    std::optional<UIColor> lastColor;
    std::weak_ptr<UIViewController> lastScene;

    std::shared_ptr<UIViewController> createAuthWebViewController(const foundation::URL& url, bool isSecure,
                                                                  const std::optional<UIColor>& color,
                                                                  const Delegate& delegate) override {
        return build(url.absoluteString() + (isSecure ? " secure" : " open"), color, delegate).viewController;
    }
    NavigationWebScene createNavigationWebViewController(const foundation::URL& url, bool isSecure,
                                                         const std::optional<UIColor>& color,
                                                         NavigationWebViewType type,
                                                         const Delegate& delegate) override {
        return build(url.absoluteString() + (isSecure ? " secure " : " open ") + std::to_string(static_cast<int>(type)),
                     color, delegate);
    }
    NavigationWebScene build(std::string what, const std::optional<UIColor>& color, const Delegate& delegate) {
        builds.push_back(std::move(what));
        lastColor = color;
        lastDelegate = delegate;
        auto scene = UIViewController::make();
        lastScene = scene;
        return {scene, UIScrollView::make()};
    }
};

// A view controller that wants to hear from the browser view opened over it.
class SafariHost : public UIViewController, public VYDSafariViewControllerDelegate {
public:
    std::shared_ptr<SFSafariViewController> safariViewController() const override { return safari; }
    void setSafariViewController(std::shared_ptr<SFSafariViewController> controller) override { safari = controller; }
    std::shared_ptr<SFSafariViewController> safari;
};

foundation::URL url(const char* text) { return *foundation::URL::string(text); }

class WebSceneOpenerTest : public uikittests::PhoneTest {
protected:
    void SetUp() override {
        PhoneTest::SetUp();
        storage->setClientId("partner-1");
    }
    void TearDown() override {
        closeAll();
        // The opener stays registered for good, as the process-wide one does; the test lets it go.
        delegateManager->removeDelegate(opener);
        PhoneTest::TearDown();
    }

    void configure(std::optional<std::vector<std::string>> whiteList, std::map<std::string, bool> switches = {},
                   bool webViewEnabled = true) {
        auto config = storage->remoteConfig();
        config.hostsWhiteList = std::move(whiteList);
        config.vyIDWebViewEnabledMap = std::move(switches);
        config.featureToggles = FeatureToggles(webViewEnabled);
        storage->setRemoteConfig(config);
    }
    // A panel presented over the host's screen, or shown as a child of it.
    std::shared_ptr<SlidePanelController> panel(bool presented = true) {
        auto made = SlidePanelFactory().createSlidePanel(SlidePanelFactory::PanelStyle::web,
                                                         SlidePanelFactory::PanelBehavior::default_, nullptr);
        if (presented) {
            root->present(made, false);
            advance(1);
        } else {
            root->addChild(made);
            root->view()->addSubview(made->view());
            made->didMove(root);
            made->show(false);
        }
        return made;
    }
    std::shared_ptr<SFSafariViewController> browser() const {
        return std::dynamic_pointer_cast<SFSafariViewController>(device->topViewController());
    }
    void closeAll() {
        advance(1);
        root->dismiss(false);
        advance(1);
    }

    std::shared_ptr<StaticStorageService> storage = std::make_shared<StaticStorageService>(nullptr);
    std::shared_ptr<DelegateManager> delegateManager = std::make_shared<DelegateManager>();
    std::shared_ptr<FakeWebSceneAssembler> assembler = std::make_shared<FakeWebSceneAssembler>();
    std::shared_ptr<WebSceneOpener> opener =
        WebSceneOpener::make(nullptr, storage, nullptr, delegateManager, assembler);
};

// Where a page opens: in the SDK's scene (full screen, or the navigation scene in a panel) or in
// the system browser view, by secure level or variant, white list, client switch and toggle.
TEST_F(WebSceneOpenerTest, SceneOrBrowserViewByLevelVariantWhiteListClientAndToggle) {
    using Switches = std::map<std::string, bool>;
    using Level = WebSceneSecureLevel;
    using Type = NavigationWebViewType;
    const std::vector<std::string> listed{"id.vybank.example"};
    const char *const page = "https://id.vybank.example/a", *const other = "https://other.example/";
    const std::nullopt_t none = std::nullopt;
    const Switches off{{"partner-1", false}};
    // Columns: what, level or variant, secure, link, white list, client switches, toggle, client, opens the scene.
    using Row = std::tuple<const char*, std::variant<Level, Type>, bool, const char*,
                           std::optional<std::vector<std::string>>, Switches, bool, std::optional<std::string>, bool>;
    const Row cases[] = {
        // clang-format off
        {"low, not secure: no list, no client, toggle off", Level::low, false, page, none, {}, false, none, true},
        {"low, listed host", Level::low, true, page, listed, {}, false, none, true},
        {"low, host in another case", Level::low, true, "https://ID.vybank.example/a",
         std::vector<std::string>{"ID.VYBANK.example"}, {}, true, "partner-1", false},
        {"low, subdomain of a listed host", Level::low, true, "https://login.id.vybank.example/a", listed, {}, true,
         "partner-1", false},
        {"low, no list", Level::low, true, page, none, {}, true, "partner-1", false},
        {"low, no host", Level::low, true, "about:blank", std::vector<std::string>{""}, {}, true, "partner-1", false},
        {"high, not secure, no client", Level::high, false, page, none, {}, true, none, false},
        {"high, not secure, toggle on", Level::high, false, page, none, {}, true, "partner-1", true},
        {"high, client switched off beats the toggle", Level::high, false, page, none, off, true, "partner-1", false},
        {"high, client switched on beats the toggle", Level::high, false, page, none, Switches{{"partner-1", true}},
         false, "partner-1", true},
        {"high, map without the client: toggle off", Level::high, false, page, none,
         Switches{{"partner-2", true}, {"PARTNER-1", true}}, false, "partner-1", false},
        {"high, secure, listed", Level::high, true, page, listed, {}, true, "partner-1", true},
        {"high, secure, not listed", Level::high, true, other, listed, Switches{{"partner-1", true}}, true, "partner-1",
         false},
        // Neither panel variant looks at the client.
        {"base, toggle on", Type::base, false, other, listed, off, true, "partner-1", true},
        {"base, toggle off", Type::base, false, other, listed, {}, false, none, false},
        {"base, secure, listed", Type::base, true, page, listed, off, true, none, true},
        {"base, secure, not listed", Type::base, true, other, listed, {}, true, "partner-1", false},
        {"ELK-lite ignores the toggle", Type::elkLite, false, other, listed, {}, false, none, true},
        {"ELK-lite, secure, not listed", Type::elkLite, true, other, listed, {}, true, none, false},
        // clang-format on
    };
    const auto color = UIColor::red();
    for (const auto& [what, where, isSecure, link, whiteList, switches, webViewEnabled, clientId, opensScene] : cases) {
        SCOPED_TRACE(what);
        configure(whiteList, switches, webViewEnabled);
        storage->setClientId(clientId);
        assembler->builds.clear();
        const auto delegate = std::make_shared<vydtest::RecordingWebViewDelegate>();
        const auto* level = std::get_if<Level>(&where);
        const auto shown = level ? nullptr : panel();
        const auto style =
            level ? WebScenePresentationStyle(ModalWebView{root, *level}) : ChildWebView{shown, std::get<Type>(where)};
        opener->openScene(url(link), style, isSecure, color, delegate);
        advance(1);
        if (opensScene) {
            EXPECT_EQ(assembler->builds,
                      Strings{std::string(link) + (isSecure ? " secure" : " open") +
                              (level ? "" : " " + std::to_string(static_cast<int>(std::get<Type>(where))))});
            EXPECT_TRUE(assembler->lastColor == color && assembler->lastDelegate == delegate);
        } else {
            EXPECT_EQ(assembler->builds, Strings{});
            ASSERT_NE(browser(), nullptr);
            EXPECT_EQ(browser()->url(), url(link));
            EXPECT_EQ(browser()->preferredBarTintColor(), color);
        }
        if (opensScene && level) {
            EXPECT_EQ(device->topViewController(), assembler->lastScene.lock());
            EXPECT_EQ(device->topViewController()->modalPresentationStyle(), UIModalPresentationStyle::fullScreen);
        } else if (opensScene) {
            EXPECT_TRUE(shown->surfaceView()->grabberHandle()->isHidden());
            EXPECT_TRUE(shown->delegate() == opener && opener->slidePanelVC() == shown &&
                        opener->delegate() == delegate);
        } else if (shown) {
            EXPECT_EQ(browser()->presentingViewController(), shown) << "over the panel the host's root presents";
            EXPECT_EQ(shown->state(), SlidePanelState::hidden());
        }
        closeAll();
    }
}

TEST_F(WebSceneOpenerTest, PanelsComeAndGoWithoutTheOpenerLosingTrack) {
    configure(std::vector<std::string>{"lk.partner.example"});
    const auto base = NavigationWebViewType::base;
    const auto older = panel(false);
    opener->openScene(url("https://lk.partner.example/"), ChildWebView{older, base}, true, std::nullopt, nullptr);
    const auto newer = panel();
    const auto kept = std::make_shared<vydtest::RecordingWebViewDelegate>();
    opener->openScene(url("https://lk.partner.example/"), ChildWebView{newer, base}, true, std::nullopt, kept);
    delegateManager->addDelegate(kept);
    older->remove();
    advance(2);
    EXPECT_EQ(older->parent(), nullptr);
    EXPECT_EQ(opener->slidePanelVC(), newer) << "an older panel going made the opener forget the newer one";

    // A page refused in another panel leaves the opener as it was.
    const auto refused = panel(false);
    opener->openScene(url("https://other.example/"), ChildWebView{refused, base}, true, std::nullopt,
                      std::make_shared<vydtest::RecordingWebViewDelegate>());
    advance(1);
    EXPECT_EQ(refused->state(), SlidePanelState::hidden());
    EXPECT_NE(browser(), nullptr);
    EXPECT_TRUE(opener->delegate() == kept && opener->slidePanelVC() == newer);

    // The rejection takes the panel away and unregisters its host delegate only.
    delegateManager->notifyDelegates<VYDWebViewDelegateProtocol>(
        [](VYDWebViewDelegateProtocol& listener) { listener.webViewReject(); });
    advance(2);
    EXPECT_EQ(kept->rejections, 1);
    EXPECT_EQ(newer->presentingViewController(), nullptr) << "removed";
    EXPECT_EQ(opener->slidePanelVC(), nullptr) << "the panel reported its removal";
    EXPECT_EQ(delegateManager->registeredDelegates(), std::vector<std::shared_ptr<DelegateObject>>{opener});
    refused->removeFromParent();
}

TEST_F(WebSceneOpenerTest, BrowserViewGoesWithAnyReturnLinkAndOverAPanelThroughItsShow) {
    const auto host = UIViewController::create<SafariHost>();
    root->present(host, false);
    advance(1);
    opener->openScene(url("https://partner.example/"), SafariView{host}, true, UIColor::red(), nullptr);
    advance(1);
    ASSERT_NE(browser(), nullptr);
    EXPECT_EQ(host->safari, browser());
    EXPECT_EQ(browser()->delegate(), host);
    // Whatever the result says, a failure here.
    foundation::NotificationCenter::defaultCenter().post(NotificationNames::authNativeResult(), nullptr,
                                                         foundation::UserInfo{{"isSuccess", false}});
    advance(1);
    EXPECT_EQ(device->topViewController(), host);
    host->dismiss(false);
    advance(1);

    const auto shown = panel();
    opener->openScene(url("https://partner.example/"), SafariView{shown}, false, std::nullopt, nullptr);
    advance(1);
    ASSERT_NE(browser(), nullptr);
    EXPECT_EQ(browser()->presentingViewController(), shown);
}

} // namespace
