#include "WebRoad.hpp"

#include "Settle.hpp"

#include "sdk/VYDCore.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/safariservices/SFSafariViewController.hpp"
#include "platform/testing/SimulatedDevice.hpp"
#include "platform/testing/SimulatedUser.hpp"
#include "platform/uikit/UIViewController.hpp"

#include <cstdio>
#include <memory>
#include <string>

namespace hostapp {
namespace {

using vyd::WebSceneSecureLevel;

constexpr const char* clientId = "vy-shop";

void useRemoteConfig(const char* json) {
    std::printf("remote configuration: %s\n", json);
    vyd::DIContainer::staticStorageService()->setRemoteConfig(vyd::RemoteConfig::decode(std::string(json)));
}

// Where the page the user now sees opened.
std::string where(const testing::SimulatedDevice& device) {
    const auto top = device.topViewController();
    if (std::dynamic_pointer_cast<safariservices::SFSafariViewController>(top)) {
        return "system browser view";
    }
    if (const auto panel = std::dynamic_pointer_cast<vyd::SlidePanelController>(top)) {
        return panel->contentViewController() ? "web scene in the panel" : "nothing shown (panel empty)";
    }
    return top == device.rootViewController() ? "nothing shown" : "full-screen web scene";
}

struct Page {
    const char* label;
    const char* url;
    bool isSecure;
    // Full screen at this level, in a panel as this variant, or (neither) the browser view.
    std::optional<WebSceneSecureLevel> level;
    std::optional<vyd::NavigationWebViewType> variant;
};

void openEach(testing::SimulatedDevice& device) {
    const Page pages[] = {
        {"full screen, level high, secure", "https://127.0.0.1/authorize", true, WebSceneSecureLevel::high, {}},
        {"full screen, level low, secure", "https://127.0.0.1/authorize", true, WebSceneSecureLevel::low, {}},
        {"full screen, level low, unlisted host", "https://localhost/authorize", true, WebSceneSecureLevel::low, {}},
        {"full screen, level high, not secure", "https://localhost/authorize", false, WebSceneSecureLevel::high, {}},
        {"panel, base", "https://localhost/account", false, {}, vyd::NavigationWebViewType::base},
        {"panel, ELK-lite", "https://localhost/account", false, {}, vyd::NavigationWebViewType::elkLite},
        {"browser view", "https://127.0.0.1/terms", true, {}, {}},
    };
    const auto screen = device.rootViewController();
    const auto opener = vyd::DIContainer::webSceneOpener();
    for (const auto& page : pages) {
        const auto url = *foundation::URL::string(page.url);
        std::shared_ptr<vyd::SlidePanelController> panel;
        if (page.level) {
            opener->openScene(url, vyd::ModalWebView{screen, *page.level}, page.isSecure, std::nullopt, nullptr);
        } else if (page.variant) {
            panel = vyd::DIContainer::slidePanelFactory()->createSlidePanel(
                vyd::SlidePanelFactory::PanelStyle::web, vyd::SlidePanelFactory::PanelBehavior::default_, nullptr);
            screen->present(panel, true);
            opener->openScene(url, vyd::ChildWebView{panel, *page.variant}, page.isSecure, std::nullopt, nullptr);
        } else {
            opener->openScene(url, vyd::SafariView{screen}, page.isSecure, std::nullopt, nullptr);
        }
        settle(device);
        std::printf("  %-38s %-28s -> %s%s\n", page.label, page.url, where(device).c_str(),
                    panel && panel->state() == vyd::SlidePanelState::hidden() ? " (panel hidden)" : "");
        screen->dismiss(false);
        settle(device);
    }
}

vyd::VYDAuthRequest shopRequest() {
    vyd::VYDAuthRequest request;
    request.scope = "openid name";
    request.state = "shop-state-7";
    request.nonce = "shop-nonce-7";
    request.redirectUri = "vyshop://auth/return";
    request.codeChallenge = "E9Melhoa2OwvFrEMTJguCHaoeK1t8URWbuGJSstw-cM";
    request.codeChallengeMethod = "S256";
    request.loginHint = "+7 900 000-00-00";
    return request;
}

void loginOnATestStand(testing::SimulatedDevice& device) {
    std::printf("\nThe shop signs in on the test stand \"ift\", whose authorization page it points at itself:\n");
    const auto& settings = vyd::VYD::settings();
    settings->applyMainPreferences(clientId, std::nullopt, "VY Shop", std::nullopt, vyd::VYDStandType::ift);
    if (const auto error = settings->applyTestStandAuthorizationPage(vyd::VYDStandType::prom, "https://127.0.0.1/")) {
        std::printf("  production stand refused: %s\n", error->message.value_or("").c_str());
    }
    settings->applyTestStandAuthorizationPage(vyd::VYDStandType::ift, "https://127.0.0.1:8443/oauth2/authorize");
    useRemoteConfig(R"({"hostsWhiteList": ["127.0.0.1"], "vyIDWebViewEnabledMap": {"vy-shop": true}})");

    const auto screen = device.rootViewController();
    const auto button = vyd::VYDLoginButton::make(vyd::VYDLoginButtonStyle::green, nullptr);
    screen->view()->addSubview(button);
    button->setFrame({24, 700, 342, 48});
    button->addTarget(
        [screen](uikit::UIControl&, const uikit::UIEvent*) {
            auto bad = shopRequest();
            bad.redirectUri = "back to the shop";
            if (const auto error = vyd::VYD::login()->auth(bad, screen)) {
                std::printf("  a request whose redirect URI is no URL: %s\n", error->message.value_or("").c_str());
            }
            if (const auto error = vyd::VYD::login()->auth(shopRequest(), screen)) {
                std::printf("  login refused: %s\n", error->message.value_or("").c_str());
            }
        },
        uikit::UIControlEvents::touchUpInside);
    std::printf("tap \"%s\"\n", button->title(uikit::UIControlState::normal).value_or("").c_str());
    testing::SimulatedUser::tap(button);
    settle(device);
    std::printf("  the authorization page opened in the %s\n", where(device).c_str());
    if (const auto safari =
            std::dynamic_pointer_cast<safariservices::SFSafariViewController>(device.topViewController())) {
        std::printf("  %s\n", safari->url().absoluteString().c_str());
    }

    std::printf("the page sends the user back to the shop with a code:\n");
    vyd::VYD::login()->getResponseFrom("vyshop://auth/return?state=shop-state-7&code=c-0042",
                                       [](const vyd::VYDAuthResponse& response) {
                                           std::printf("  success %s, code %s\n", response.isSuccess ? "yes" : "no",
                                                       response.code.value_or("(none)").c_str());
                                       });
    settle(device);
    std::printf("  now on screen: %s\n", where(device).c_str());
    button->removeFromSuperview();
}

} // namespace

void showWebRoad() {
    std::printf("\n== Web pages\n");
    testing::SimulatedDevice device;
    vyd::VYD::settings()->applyMainPreferences(clientId, std::nullopt, std::nullopt, std::nullopt, std::nullopt);

    useRemoteConfig(R"({"hostsWhiteList": ["127.0.0.1"], "vyIDWebViewEnabledMap": {"vy-shop": true}})");
    openEach(device);
    useRemoteConfig(R"({"hostsWhiteList": ["LOCALHOST", "127.0.0.10"], "vyIDWebViewEnabledMap": {"vy-shop": false},
  "featureToggles": {"isWebViewEnabled": false}})");
    openEach(device);
    useRemoteConfig(R"({"hostsWhiteList": "not a list", "vyIDWebViewEnabledMap": [1, 2]})");
    openEach(device);

    loginOnATestStand(device);
    useRemoteConfig("{}");
}

} // namespace hostapp
