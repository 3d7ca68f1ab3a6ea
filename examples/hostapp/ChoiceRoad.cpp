#include "ChoiceRoad.hpp"

#include "ShopRequest.hpp"

#include "sdk/VYDCore.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/safariservices/SFSafariViewController.hpp"
#include "platform/swiftui/UIHostingController.hpp"
#include "platform/testing/SimulatedDevice.hpp"
#include "platform/testing/SimulatedUser.hpp"
#include "platform/uikit/UIButton.hpp"
#include "platform/uikit/UIViewController.hpp"

#include <cstdio>
#include <memory>
#include <string>

namespace hostapp {
namespace {

constexpr const char* clientId = "vy-shop";

// Lets the sheets' animations end and the SDK's work off the main thread come back.
void settle() {
    for (int i = 0; i < 20; ++i) {
        foundation::RunLoop::main().runUntil([] { return false; }, 0.05);
        foundation::RunLoop::main().runUntilIdle();
    }
}

void useRemoteConfig(const char* json) {
    std::printf("remote configuration: %s\n", json);
    vyd::DIContainer::staticStorageService()->setRemoteConfig(vyd::RemoteConfig::decode(std::string(json)));
}

// What the user sees over the shop's screen, from the bottom.
std::string onScreen(const testing::SimulatedDevice& device) {
    std::string seen;
    for (auto vc = device.rootViewController()->presentedViewController(); vc; vc = vc->presentedViewController()) {
        std::string name = "a page";
        if (std::dynamic_pointer_cast<safariservices::SFSafariViewController>(vc)) {
            name = "the authorization page in the system browser view";
        } else if (const auto panel = std::dynamic_pointer_cast<vyd::SlidePanelController>(vc)) {
            const auto content = panel->contentViewController();
            name = std::dynamic_pointer_cast<vyd::AuthChooseViewController>(content)  ? "the choice sheet"
                   : std::dynamic_pointer_cast<swiftui::UIHostingController>(content) ? "the list of VY Bank apps"
                                                                                      : "a panel";
        } else {
            name = "the authorization page in a full-screen web scene";
        }
        seen = name + (seen.empty() ? "" : " over " + seen);
    }
    return seen.empty() ? "the shop's own screen" : seen;
}

// The shop's screen with its login button; a tap starts a login.
std::shared_ptr<vyd::VYDLoginButton> placeButton(testing::SimulatedDevice& device) {
    const auto screen = device.rootViewController();
    auto button = vyd::VYDLoginButton::make(vyd::VYDLoginButtonStyle::green, nullptr);
    screen->view()->addSubview(button);
    button->setFrame({24, 700, 342, 48});
    button->addTarget(
        [screen](uikit::UIControl&, const uikit::UIEvent*) {
            if (const auto error = vyd::VYD::login()->auth(shopRequestWithPKCE("openid name", "9"), screen)) {
                std::printf("  login refused: %s\n", error->message.value_or("").c_str());
            }
        },
        uikit::UIControlEvents::touchUpInside);
    return button;
}

void tapLogin(testing::SimulatedDevice& device, const std::shared_ptr<vyd::VYDLoginButton>& button) {
    device.clearOpenedURLs();
    std::printf("tap \"%s\"\n", button->title(uikit::UIControlState::normal).value_or("").c_str());
    testing::SimulatedUser::tap(button);
    settle();
    std::printf("  on screen: %s\n", onScreen(device).c_str());
}

// The first button under `view` with that title.
std::shared_ptr<uikit::UIButton> buttonTitled(const std::shared_ptr<uikit::UIView>& view, const std::string& title) {
    if (const auto button = std::dynamic_pointer_cast<uikit::UIButton>(view);
        button && button->title(uikit::UIControlState::normal) == title) {
        return button;
    }
    for (const auto& subview : view->subviews()) {
        if (auto found = buttonTitled(subview, title)) {
            return found;
        }
    }
    return nullptr;
}

// The button with that title on the sheet on top: a platform button, or a declarative one.
void tapChoice(testing::SimulatedDevice& device, const std::string& title) {
    const auto top = device.topViewController()->view();
    std::printf("tap \"%s\"\n", title.c_str());
    const auto button = buttonTitled(top, title);
    if (!(button ? testing::SimulatedUser::tap(button) : testing::SimulatedUser::tap(top, title))) {
        std::printf("  (no such button on screen)\n");
    }
    settle();
    std::printf("  on screen: %s\n", onScreen(device).c_str());
}

// The VY Bank app that was opened signs the user in and opens the shop's redirect URI.
void bankAppAnswers(testing::SimulatedDevice& device) {
    const auto opened = device.openedURLs();
    if (opened.empty()) {
        std::printf("  no VY Bank app was opened\n");
        return;
    }
    const auto& link = opened.back();
    std::printf("  opened %s://... (%zu query items)\n", link.scheme().value_or("?").c_str(),
                vyd::queryParameters(link).size());
    const auto query = vyd::queryParameters(link);
    const auto state = query.find("state");
    const std::string answer =
        std::string(shopRedirectUri) + "?code=c-0777&state=" + (state == query.end() ? std::string() : state->second);
    std::printf("the VY Bank app answers: %s\n", answer.c_str());
    vyd::VYD::login()->getResponseFrom(answer, [](const vyd::VYDAuthResponse& response) {
        std::printf("  the shop is signed in: %s, code %s\n", response.isSuccess ? "yes" : "no",
                    response.code.value_or("(none)").c_str());
    });
    settle();
}

void closeAll(testing::SimulatedDevice& device) {
    device.rootViewController()->dismiss(false);
    settle();
}

} // namespace

void showChoiceRoad() {
    std::printf("\n== Native choice on the production stand\n");
    testing::SimulatedDevice device;
    vyd::VYD::settings()->applyMainPreferences(clientId, std::nullopt, "VY Shop", std::nullopt,
                                               vyd::VYDStandType::prom);
    const auto button = placeButton(device);

    std::printf("\nTwo VY Bank apps are installed and the choice sheet is on for the shop:\n");
    device.installApp("vybank");
    device.installApp("vybankbusiness");
    useRemoteConfig(R"({"app2AppDialogClients": ["vy-shop"]})");
    tapLogin(device, button);
    tapChoice(device, vyd::L10n::Ui::AuthChoose::continue_());
    tapChoice(device, "VY Bank Business");
    bankAppAnswers(device);

    std::printf("\nThe user prefers the phone number:\n");
    tapLogin(device, button);
    tapChoice(device, vyd::L10n::Ui::AuthChoose::enterByPhone());
    closeAll(device);

    std::printf("\nThe choice sheet is off:\n");
    useRemoteConfig("{}");
    tapLogin(device, button);
    tapChoice(device, "VY Bank");
    bankAppAnswers(device);

    std::printf("\nNo VY Bank app on the device:\n");
    device.uninstallApp("vybank");
    device.uninstallApp("vybankbusiness");
    useRemoteConfig(R"({"isApp2AppDialogEnabled": true})");
    tapLogin(device, button);
    tapChoice(device, vyd::L10n::Ui::AuthChoose::continue_());
    closeAll(device);

    button->removeFromSuperview();
    useRemoteConfig("{}");
}

} // namespace hostapp
