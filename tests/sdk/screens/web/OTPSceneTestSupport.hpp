#pragma once
// What the web scenes' tests share.
#include "platform/safariservices/SFSafariViewController.hpp"
#include "platform/testing/SimulatedUser.hpp"
#include "platform/webkit/WKWebView.hpp"
#include "sdk/base/DIContainer.hpp"
#include "sdk/screens/web/OTPWebView.hpp"
#include "sdk/screens/web/OTPWebViewController.hpp"
#include "sdk/screens/web/OTPWebViewInteractor.hpp"
#include "sdk/screens/web/WebSceneAssembler.hpp"
#include "sdk/services/AnalyticsEventParamKey.hpp"
#include "sdk/services/AnalyticsParamsMaker.hpp"
#include "sdk/services/AnalyticsService.hpp"
#include "sdk/services/AppMethodsWrapper.hpp"
#include "sdk/services/CertificatesService.hpp"
#include "sdk/services/StaticStorageService.hpp"
#include "sdk/uikit/UIKitTestSupport.hpp"
#include "support/VYBankServer.hpp"
#include "support/sdk/RecordingAnalyticsSink.hpp"
#include "support/sdk/RecordingWebViewDelegate.hpp"
#include "support/sdk/ScopedServices.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vydtest {

// A simulated phone on the manual clock and VY Bank's server, trusted through the certificates
// service's anchors; the scene's web view loads from it.
class WebSceneTest : public uikittests::PhoneTest {
protected:
    vydtest::ScopedServices services;

    void SetUp() override {
        PhoneTest::SetUp();
        bank = testsupport::VYBankServer::start();
        services.replace(
            &vyd::DIContainer::setCertificatesService,
            std::make_shared<vyd::CertificatesService>(std::vector<security::SecCertificate>{bank->rootCertificate()}));
    }

    virtual std::shared_ptr<webkit::WKWebView> webView() const = 0;
    std::string pageURL() const { return webView()->url() ? webView()->url()->absoluteString() : std::string(); }
    // Ends running presentations and dismissals.
    static void settle() { advance(1); }
    // Runs the main queue until `done` holds: pages arrive from worker threads.
    static void waitFor(const std::function<bool()>& done, const std::string& what) {
        EXPECT_TRUE(foundation::RunLoop::main().runUntil(done, 15)) << "never came: " << what;
    }
    void waitForPage(const std::string& url) {
        waitFor([&] { return !webView()->isLoading() && pageURL() == url; }, url);
    }
    void waitForTitle(const std::string& title) {
        waitFor([&] { return !webView()->isLoading() && webView()->title() == title; }, title);
    }
    std::shared_ptr<safariservices::SFSafariViewController> browser() const {
        return std::dynamic_pointer_cast<safariservices::SFSafariViewController>(device->topViewController());
    }
    // Every URL handed to the system to open, whether an app took it or not.
    std::vector<std::string> requestedURLs() const {
        std::vector<std::string> urls;
        for (const auto& record : device->openURLRecords()) {
            urls.push_back(record.url.absoluteString());
        }
        return urls;
    }

    std::unique_ptr<testsupport::VYBankServer> bank;
};

// The full-screen scene, built by the web scene assembler with the session's analytics.
class OTPSceneTest : public WebSceneTest {
protected:
    static constexpr const char* redirectUri = "vyshop://vyid/return";

    void SetUp() override {
        WebSceneTest::SetUp();
        services.replace(&vyd::DIContainer::setStaticStorageService, store);
        services.replace(&vyd::DIContainer::setAnalyticsParamsMaker, paramsMaker);
        services.replace(&vyd::DIContainer::setAppMethodsWrapper, std::make_shared<vyd::AppMethodsWrapper>());
    }
    // Presents the scene full screen, animated, as the opener does.
    void open(const std::string& url, bool isSecure = true, std::optional<uikit::UIColor> navigationColor = {}) {
        auto controller = vyd::WebSceneAssembler().createAuthWebViewController(*foundation::URL::string(url), isSecure,
                                                                               navigationColor, hostDelegate);
        controller->setModalPresentationStyle(uikit::UIModalPresentationStyle::fullScreen);
        root->present(controller, true);
        settle();
        scene = std::dynamic_pointer_cast<vyd::OTPWebViewController>(controller);
    }

    std::shared_ptr<vyd::OTPWebViewController> controller() const { return scene.lock(); }
    std::shared_ptr<vyd::OTPWebView> view() const {
        return std::dynamic_pointer_cast<vyd::OTPWebView>(controller()->contentView());
    }
    std::shared_ptr<webkit::WKWebView> webView() const override { return view()->webView(); }
    vyd::OTPWebViewInteractor& interactor() const {
        return static_cast<vyd::OTPWebViewInteractor&>(*controller()->interactor());
    }

    // The scene's events as "native show nativeScreen", "error click", "native close reject".
    std::vector<std::string> sceneEvents() const {
        using Key = vyd::AnalyticsEventParamKey;
        std::vector<std::string> found;
        for (const auto& event : sink->events()) {
            const bool native = event.name == vyd::eventName(vyd::AnalyticsEventAction::authNative);
            if (native || event.name == vyd::eventName(vyd::AnalyticsEventAction::authNativeError)) {
                found.push_back(native ? "native" : "error");
                for (const auto key : {Key::eventType, Key::screenType, Key::finalEvent}) {
                    found.back() +=
                        event.params.count(vyd::rawValue(key)) ? " " + event.params.at(vyd::rawValue(key)) : "";
                }
            }
        }
        return found;
    }

    std::shared_ptr<RecordingAnalyticsSink> sink = std::make_shared<RecordingAnalyticsSink>();
    std::shared_ptr<vyd::StaticStorageService> store =
        std::make_shared<vyd::StaticStorageService>(std::make_shared<vyd::AnalyticsService>(sink));
    std::shared_ptr<vyd::AnalyticsParamsMaker> paramsMaker =
        std::make_shared<vyd::AnalyticsParamsMaker>(store, nullptr, [] { return std::string("2.3.0"); });
    std::shared_ptr<RecordingWebViewDelegate> hostDelegate = std::make_shared<RecordingWebViewDelegate>();
    std::weak_ptr<vyd::OTPWebViewController> scene;
};

} // namespace vydtest
