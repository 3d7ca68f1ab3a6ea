#include "ELKLiteRoad.hpp"

#include "Settle.hpp"
#include "ShopRequest.hpp"
#include "WebPages.hpp"

#include "sdk/VYDCore.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/testing/SimulatedDevice.hpp"
#include "platform/testing/SimulatedUser.hpp"
#include "platform/uikit/UINavigationController.hpp"
#include "platform/uikit/UIViewController.hpp"
#include "platform/webkit/WKWebView.hpp"
#include "support/VYBankServer.hpp"

#include <cstdio>
#include <functional>
#include <memory>
#include <string>

namespace hostapp {
namespace {

// The shop's listener of the relogin: it continues with its user's identifier.
class ShopRelogin : public vyd::VYDWebViewReloginContinueDelegate {
public:
    void webViewReject() override { std::printf("  the shop hears: web view rejected\n"); }
    void reloginStatusContinueAppToWeb(const vyd::VYDAuthResponse& result,
                                       const ContinueAppToWeb& continueAppToWeb) override {
        std::printf("  the shop hears: success %s, code %s; it continues as user \"shop-user-1\"\n",
                    result.isSuccess ? "yes" : "no", result.code.value_or("(none)").c_str());
        continueAppToWeb("shop-user-1");
    }
};

} // namespace

void showELKLiteRoad() {
    std::printf("\n== Personal account relogin in a web panel\n");
    testing::SimulatedDevice device;
    const auto bank = testsupport::VYBankServer::start();
    const auto previousCertificates = vyd::DIContainer::setCertificatesService(
        std::make_shared<vyd::CertificatesService>(std::vector<security::SecCertificate>{bank->rootCertificate()}));

    const auto& settings = vyd::VYD::settings();
    settings->applyMainPreferences("vy-shop", std::nullopt, "VY Shop", std::nullopt, vyd::VYDStandType::ift);
    settings->applyTestStandAuthorizationPage(vyd::VYDStandType::ift, bank->url("/authorize"));
    const auto store = vyd::DIContainer::staticStorageService();
    store->setRemoteConfig(vyd::RemoteConfig::decode(
        std::string(R"({"hostsWhiteList": ["127.0.0.1"], "vyIDWebViewEnabledMap": {"vy-shop": true}})")));
    auto partner = store->liteELKModel();
    partner->partnerWebLinkELKLite = bank->url("/partner/account");
    partner->partnerClientIdElkLite = "vy-shop-account";
    partner->partnerColorELKLite = uikit::UIColor(0.12, 0.45, 0.30, 1);
    partner->openInELKLite = vyd::VYDOpenInType::webView;
    vyd::DIContainer::appTokenService()->saveAppToken("shop-app-token-1");
    std::printf("the shop's partner page is %s; an app token from an earlier sign-in is kept\n",
                partner->partnerWebLinkELKLite->c_str());

    const auto shop = std::make_shared<ShopRelogin>();
    vyd::DIContainer::delegateManager()->addDelegate(shop);
    const auto request = shopRequest("openid", "9");
    std::printf("the shop asks for the relogin over its screen\n");
    if (const auto error = vyd::VYD::login()->reloginAuthELKLite(request, device.rootViewController(), shop)) {
        std::printf("  refused: %s\n", error->message.value_or("").c_str());
        return;
    }
    settle(device);
    const auto panel = device.topViewController();
    const auto webView = panel == device.rootViewController() ? nullptr : findWebView(panel->view());
    if (!webView) {
        std::printf("  no web panel opened\n");
        return;
    }
    std::printf("  a web panel opened\n");
    if (waitForPage(*webView, "VY Bank: sign in")) {
        testing::SimulatedUser::submitForm(*webView, {{"phone", "+7 900 000-00-00"}});
        std::printf("the user sends the phone and the code\n");
        if (waitForPage(*webView, "VY Bank: code")) {
            testing::SimulatedUser::submitForm(*webView, {{"code", std::string(testsupport::VYBankServer::smsCode)}});
            if (waitForPage(*webView, "VY Shop account")) {
                std::printf("  in the same web view, single sign-on carried:");
                for (const auto& item : webView->url()->queryItems()) {
                    std::printf(" %s", item.name.c_str());
                }
                std::printf("\n");
            }
        }
    }
    vyd::DIContainer::delegateManager()->removeDelegate(shop);
    vyd::DIContainer::appTokenService()->deleteAppToken();
    vyd::DIContainer::setCertificatesService(previousCertificates);
    settings->applyTestStandAuthorizationPage(vyd::VYDStandType::ift, std::nullopt);
    store->setRemoteConfig(vyd::RemoteConfig::decode(std::string("{}")));
    device.rootViewController()->dismiss(false);
    settle(device);
}

} // namespace hostapp
