#include "WebRoad.hpp"

#include "Settle.hpp"
#include "ShopRequest.hpp"

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

// What the SDK refuses before it stores or shows anything. (The sign-in itself, from the login
// button on a test stand to the code, is the road of the full-screen web scene.)
void refuseBadInput(testing::SimulatedDevice& device) {
    std::printf("\nWhat the SDK refuses, without storing or showing anything:\n");
    const auto& settings = vyd::VYD::settings();
    const auto say = [](const char* what, const std::optional<vyd::VYDError>& error) {
        std::printf("  %-46s %s\n", what, error ? error->message.value_or("(no message)").c_str() : "accepted");
    };
    say("the production stand's page pointed elsewhere",
        settings->applyTestStandAuthorizationPage(vyd::VYDStandType::prom, "https://127.0.0.1/"));
    say("a test stand's page that is an app link",
        settings->applyTestStandAuthorizationPage(vyd::VYDStandType::ift, "vybank://authorize"));

    const auto screen = device.rootViewController();
    const auto good = shopRequest("openid name", "7");
    auto request = good;
    request.redirectUri = "back to the shop";
    say("a login whose redirect URI is no URL", vyd::VYD::login()->auth(request, screen));
    request = good;
    request.ssoBaseUrl = "::";
    say("a login whose SSO base URL is no link", vyd::VYD::login()->auth(request, screen));
    say("a login without a screen to show it over", vyd::VYD::login()->auth(good, nullptr));
    settle(device);
    std::printf("  on screen: %s; state stored: %s\n", where(device).c_str(),
                vyd::DIContainer::staticStorageService()->state() ? "yes" : "no");
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

    refuseBadInput(device);
    useRemoteConfig("{}");
}

} // namespace hostapp
