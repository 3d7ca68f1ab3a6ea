#include "OTPRoad.hpp"

#include "Settle.hpp"
#include "ShopRequest.hpp"
#include "WebPages.hpp"

#include "sdk/VYDCore.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/testing/SimulatedDevice.hpp"
#include "platform/testing/SimulatedUser.hpp"
#include "platform/uikit/UIViewController.hpp"
#include "platform/webkit/WKWebView.hpp"
#include "support/VYBankServer.hpp"

#include <cstdio>
#include <functional>
#include <memory>
#include <string>

namespace hostapp {
namespace {

constexpr const char* clientId = "vy-shop";

} // namespace

void showOTPRoad() {
    std::printf("\n== Sign-in page in the full-screen web scene\n");
    testing::SimulatedDevice device;
    // The shop's own scheme: the system hands links of it back to the shop.
    device.installApp("vyshop");

    const auto bank = testsupport::VYBankServer::start();
    std::printf("VY Bank's server: %s (its certificate chains to a root made at its start)\n", bank->url("").c_str());
    const auto previousCertificates = vyd::DIContainer::setCertificatesService(
        std::make_shared<vyd::CertificatesService>(std::vector<security::SecCertificate>{bank->rootCertificate()}));
    std::printf("the SDK trusts that root as its anchor\n");

    const auto& settings = vyd::VYD::settings();
    settings->applyMainPreferences(clientId, std::nullopt, "VY Shop", std::nullopt, vyd::VYDStandType::ift);
    settings->applyTestStandAuthorizationPage(vyd::VYDStandType::ift, bank->url("/authorize"));
    vyd::DIContainer::staticStorageService()->setRemoteConfig(vyd::RemoteConfig::decode(
        std::string(R"({"hostsWhiteList": ["127.0.0.1"], "vyIDWebViewEnabledMap": {"vy-shop": true}})")));

    const auto request = shopRequestWithPKCE("openid phone", "8");
    // The shop's login button starts the sign-in over its screen.
    const auto screen = device.rootViewController();
    const auto button = vyd::VYDLoginButton::make(vyd::VYDLoginButtonStyle::green, nullptr);
    screen->view()->addSubview(button);
    button->setFrame({24, 700, 342, 48});
    std::optional<vyd::VYDError> refused;
    button->addTarget(
        [&](uikit::UIControl&, const uikit::UIEvent*) { refused = vyd::VYD::login()->auth(request, screen); },
        uikit::UIControlEvents::touchUpInside);
    std::printf("the user taps the shop's \"%s\" button\n",
                button->title(uikit::UIControlState::normal).value_or("").c_str());
    testing::SimulatedUser::tap(button);
    if (refused) {
        std::printf("  refused: %s\n", refused->message.value_or("").c_str());
        return;
    }
    settle(device);
    const auto scene = device.topViewController();
    const auto webView = scene == device.rootViewController() ? nullptr : findWebView(scene->view());
    if (!webView) {
        std::printf("  no web scene opened\n");
        return;
    }
    std::printf("  the full-screen web scene opened\n");
    if (!waitForPage(*webView, "VY Bank: sign in")) {
        return;
    }

    std::printf("the user types a phone number and sends the form\n");
    testing::SimulatedUser::submitForm(*webView, {{"phone", "+7 900 000-00-00"}});
    if (!waitForPage(*webView, "VY Bank: code")) {
        return;
    }

    std::printf("the user opens the terms\n");
    testing::SimulatedUser::tapLink(*webView, "Terms of use");
    waitFor([&] { return !webView->isLoading() && webView->url()->path() == "/terms.pdf"; }, "the terms");
    std::printf("  a PDF document at %s\n", webView->url()->path().c_str());
    std::printf("the user presses \"Done\" on it\n");
    testing::SimulatedUser::tap(scene->view(), "Done");
    if (!waitForPage(*webView, "VY Bank: code")) {
        return;
    }
    std::printf("  still in the web scene: %s\n", device.topViewController() == scene ? "yes" : "no");

    std::printf("the user types the code from the SMS and sends it\n");
    testing::SimulatedUser::submitForm(*webView, {{"code", std::string(testsupport::VYBankServer::smsCode)}});
    if (!waitFor([&] { return !device.openedURLs().empty() && !webView->isLoading(); }, "the redirect")) {
        return;
    }
    const auto link = device.openedURLs().back();
    std::printf("  VY Bank redirects to %s\n", link.absoluteString().c_str());
    std::printf("  the system hands it to the shop; the page stays at %s\n", webView->url()->path().c_str());

    std::printf("the shop gives the link to the SDK\n");
    vyd::VYD::login()->getResponseFrom(link, [](const vyd::VYDAuthResponse& response) {
        std::printf("  success %s, code %s, state %s\n", response.isSuccess ? "yes" : "no",
                    response.code.value_or("(none)").c_str(), response.state.value_or("(none)").c_str());
    });
    settle(device);
    std::printf("  the web scene closed: %s\n",
                device.topViewController() == device.rootViewController() ? "yes" : "no");

    vyd::DIContainer::setCertificatesService(previousCertificates);
    settings->applyTestStandAuthorizationPage(vyd::VYDStandType::ift, std::nullopt);
    vyd::DIContainer::staticStorageService()->setRemoteConfig(vyd::RemoteConfig::decode(std::string("{}")));
}

} // namespace hostapp
