#include "sdk/screens/web/WebSceneAssembler.hpp"

#include "platform/foundation/NotificationCenter.hpp"
#include "platform/testing/SimulatedDevice.hpp"
#include "platform/uikit/UINavigationController.hpp"
#include "platform/webkit/WKWebView.hpp"
#include "sdk/base/DIContainer.hpp"
#include "sdk/base/DelegateManager.hpp"
#include "sdk/base/NotificationNames.hpp"
#include "sdk/screens/SlidePanelFactory.hpp"
#include "sdk/screens/web/NavigationBaseWebView.hpp"
#include "sdk/screens/web/NavigationBaseWebViewController.hpp"
#include "sdk/screens/web/NavigationELKLiteWebViewInteractor.hpp"
#include "sdk/screens/web/OTPWebView.hpp"
#include "sdk/screens/web/OTPWebViewController.hpp"
#include "sdk/screens/web/OTPWebViewInteractor.hpp"
#include "sdk/screens/web/WebSceneOpener.hpp"
#include "sdk/services/CertificatesService.hpp"
#include "sdk/services/StaticStorageService.hpp"
#include "support/VYBankServer.hpp"
#include "support/sdk/FakeAppMethodsWrapper.hpp"
#include "support/sdk/RecordingWebViewDelegate.hpp"
#include "support/sdk/ScopedServices.hpp"

#include <gtest/gtest.h>

namespace {

// The scenes as the container's opener builds them, against VY Bank's local server.
class WebSceneAssemblerTest : public ::testing::Test {
protected:
    vydtest::ScopedServices services;

    void SetUp() override {
        foundation::Clock::useManualClock();
        foundation::RunLoop::main().discardPending();
        device = std::make_unique<::testing::SimulatedDevice>();
        bank = testsupport::VYBankServer::start();
        storage->setClientId("vy-shop");
        services.replace(&vyd::DIContainer::setStaticStorageService, storage);
        services.replace(&vyd::DIContainer::setAppMethodsWrapper, application);
        services.replace(
            &vyd::DIContainer::setCertificatesService,
            std::make_shared<vyd::CertificatesService>(std::vector<security::SecCertificate>{bank->rootCertificate()}));
        services.replace(&vyd::DIContainer::setDelegateManager, delegates);
    }
    void TearDown() override {
        foundation::Clock::advance(1);
        foundation::RunLoop::main().discardPending();
        device.reset();
        // The opener stays registered for good, as the process-wide one does; the test lets it go.
        delegates->removeDelegate(opener);
    }

    // Opens the sign-in page full screen, secure, as a login does; the scene once its page is in.
    std::shared_ptr<vyd::OTPWebViewController> openSignIn() {
        const auto page = bank->authorizationURL("vy-shop", "vyshop://vyid/return", "s-1");
        opener->openScene(*foundation::URL::string(page),
                          vyd::ModalWebView{device->rootViewController(), vyd::WebSceneSecureLevel::high}, true,
                          uikit::UIColor::red(), hostDelegate);
        foundation::Clock::advance(1);
        auto scene = std::dynamic_pointer_cast<vyd::OTPWebViewController>(device->topViewController());
        if (!scene) {
            ADD_FAILURE() << "no full-screen web scene";
            return nullptr;
        }
        const auto webView = std::dynamic_pointer_cast<vyd::OTPWebView>(scene->contentView())->webView();
        EXPECT_TRUE(foundation::RunLoop::main().runUntil(
            [&] { return !webView->isLoading() && webView->url() && webView->url()->absoluteString() == page; }, 15))
            << "the sign-in page never came";
        return scene;
    }

    std::unique_ptr<::testing::SimulatedDevice> device;
    std::unique_ptr<testsupport::VYBankServer> bank;
    std::shared_ptr<vyd::StaticStorageService> storage = std::make_shared<vyd::StaticStorageService>(nullptr);
    std::shared_ptr<vydtest::FakeAppMethodsWrapper> application = std::make_shared<vydtest::FakeAppMethodsWrapper>();
    std::shared_ptr<vydtest::RecordingWebViewDelegate> hostDelegate =
        std::make_shared<vydtest::RecordingWebViewDelegate>();
    std::shared_ptr<vyd::DelegateManager> delegates = std::make_shared<vyd::DelegateManager>();
    std::shared_ptr<vyd::WebSceneOpener> opener =
        vyd::WebSceneOpener::make(nullptr, storage, nullptr, delegates, std::make_shared<vyd::WebSceneAssembler>());
};

TEST_F(WebSceneAssemblerTest, TheFullScreenSceneIsBuiltWholeAndGoesWhenItCloses) {
    auto config = storage->remoteConfig();
    config.hostsWhiteList = std::vector<std::string>{"127.0.0.1"};
    storage->setRemoteConfig(config);

    std::weak_ptr<vyd::OTPWebViewController> weak = openSignIn();
    {
        const auto scene = weak.lock();
        ASSERT_NE(scene, nullptr);
        const auto& interactor = static_cast<const vyd::OTPWebViewInteractor&>(*scene->interactor());
        EXPECT_TRUE(interactor.isSecure());
        EXPECT_EQ(std::dynamic_pointer_cast<vyd::OTPWebView>(scene->contentView())->navigationColor(),
                  uikit::UIColor::red());
        // "Done" goes from the interactor through the presenter and the router, both of which
        // reach the controller, and tells the host's delegate.
        scene->doneButtonPressed();
    }
    foundation::Clock::advance(1);
    EXPECT_EQ(hostDelegate->rejections, 1);
    EXPECT_EQ(device->topViewController(), device->rootViewController());
    EXPECT_TRUE(weak.expired());

    // A return link closes the next one.
    weak = openSignIn();
    ASSERT_FALSE(weak.expired());
    foundation::UserInfo userInfo;
    userInfo.emplace("isSuccess", true);
    foundation::NotificationCenter::defaultCenter().post(vyd::NotificationNames::authNativeResult(), nullptr, userInfo);
    foundation::Clock::advance(1);
    EXPECT_TRUE(weak.expired());
    EXPECT_EQ(hostDelegate->rejections, 1);
}

TEST_F(WebSceneAssemblerTest, PanelScenesAreBuiltWholeAndGoWithTheirPanel) {
    const auto page = bank->url("/partner/account");
    for (const auto type : {vyd::NavigationWebViewType::base, vyd::NavigationWebViewType::elkLite}) {
        SCOPED_TRACE(static_cast<int>(type));
        std::weak_ptr<vyd::SlidePanelController> weakPanel;
        std::weak_ptr<vyd::NavigationBaseWebViewController> weakScene;
        std::weak_ptr<webkit::WKWebView> weakWebView;
        {
            const auto panel = vyd::SlidePanelFactory().createSlidePanel(
                vyd::SlidePanelFactory::PanelStyle::web, vyd::SlidePanelFactory::PanelBehavior::default_, nullptr);
            device->rootViewController()->present(panel, true);
            opener->openScene(*foundation::URL::string(page), vyd::ChildWebView{panel, type}, false,
                              uikit::UIColor::blue(), hostDelegate);
            foundation::Clock::advance(1);
            const auto navigation =
                std::dynamic_pointer_cast<uikit::UINavigationController>(panel->contentViewController());
            ASSERT_NE(navigation, nullptr);
            const auto scene =
                std::dynamic_pointer_cast<vyd::NavigationBaseWebViewController>(navigation->topViewController());
            ASSERT_NE(scene, nullptr);
            EXPECT_EQ(std::dynamic_pointer_cast<vyd::NavigationELKLiteWebViewInteractor>(scene->interactor()) !=
                          nullptr,
                      type == vyd::NavigationWebViewType::elkLite);
            const auto view = std::dynamic_pointer_cast<vyd::NavigationBaseWebView>(scene->contentView());
            const auto webView = view->webView();
            EXPECT_EQ(panel->trackingScrollView(), webView->scrollView());
            EXPECT_TRUE(foundation::RunLoop::main().runUntil(
                [&] { return !webView->isLoading() && webView->url() && webView->url()->absoluteString() == page; },
                15))
                << "the partner's page never came";
            weakPanel = panel;
            weakScene = scene;
            weakWebView = webView;
            // Closing tells every registered listener, the opener among them, which takes the panel
            // down.
            scene->closeButtonPressed();
        }
        foundation::Clock::advance(2);
        EXPECT_EQ(opener->slidePanelVC(), nullptr);
        EXPECT_EQ(device->topViewController(), device->rootViewController());
        EXPECT_TRUE(weakScene.expired());
        EXPECT_TRUE(weakPanel.expired());
        EXPECT_TRUE(weakWebView.expired());
    }
}

} // namespace
