// An example partner app embedding VYDCore. It uses only the SDK's umbrella header and the
// platform it runs on, and prints what a user of the partner app would get from the SDK.
#include "sdk/VYDCore.hpp"

#include "ChoiceRoad.hpp"
#include "ELKLiteRoad.hpp"
#include "LoginButtonRoad.hpp"
#include "OTPRoad.hpp"
#include "PanelRoad.hpp"
#include "UIKitRoad.hpp"
#include "WebRoad.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/foundation/URL.hpp"

#include <cstdio>
#include <string>

namespace {

void section(const char* title) { std::printf("\n== %s\n", title); }

void showBundle() {
    section("SDK");
    const std::string version = vyd::curentSdkVersion();
    std::printf("bundle:  %s\n", vyd::sdkBundlePath().c_str());
    std::printf("version: %s\n", version.empty() ? "(unknown: bundle not found)" : version.c_str());
}

void showTexts() {
    section("Login button texts");
    std::printf("%s\n", vyd::L10n::Ui::LoginButton::vyIdB64().c_str());
    std::printf("%s\n", vyd::L10n::Ui::LoginButton::loginWithVyIdB64().c_str());
    std::printf("%s\n", vyd::L10n::Ui::LoginButton::fillWithVyIdB64().c_str());
    std::printf("%s\n", vyd::L10n::Ui::LoginButton::continueWithVyIdB64().c_str());
    std::printf("personalised: \"%s\"\n", vyd::L10n::Ui::LoginButton::loginAsValue("Ivan I.").c_str());

    section("Choice sheet texts");
    std::printf("%s\n", vyd::L10n::Ui::AuthChoose::openVybB64().c_str());
    std::printf(
        "%s\n",
        vyd::L10n::Ui::AuthChoose::itIsSafeToOpenValues(vyd::L10n::Ui::Common::vyIdB64(), "Example Shop").c_str());
    std::printf("[%s]  [%s]\n", vyd::L10n::Ui::AuthChoose::continue_().c_str(),
                vyd::L10n::Ui::AuthChoose::enterByPhone().c_str());
}

void showLinks() {
    section("Links");
    const char* links[] = {"https://id.vy-bank.example/authorize?client_id=shop", "vybank://auth?state=1",
                           "HTTP://id.vy-bank.example", "tel:+15550100", "about:blank"};
    for (const char* text : links) {
        const auto url = foundation::URL::string(text);
        if (!url) {
            std::printf("%-55s not a URL\n", text);
            continue;
        }
        std::printf("%-55s %s\n", text, vyd::isDeeplink(*url) ? "deep link (opens an app)" : "web page");
    }
    const auto returnLink = foundation::URL::string("shop://vyid/return?state=s-1&code=c-42");
    for (const auto& [name, value] : vyd::queryParameters(*returnLink)) {
        std::printf("return link %s = %s\n", name.c_str(), value.c_str());
    }
}

void showImages() {
    section("Images");
    for (const auto* asset : vyd::Asset::all) {
        const auto image = asset->image();
        std::printf("%-28s %g x %g pt\n", std::string(asset->name).c_str(), image->size().width, image->size().height);
    }
}

void showLog() {
    section("Log");
    // The version messages are the SDK's only log lines printed in release builds; they come
    // out on the main queue after the current work.
    vyd::Logger::log(vyd::L10n::Logs::versionInfoMessageValues(vyd::L10n::Ui::Common::vyIdB64(), "9.9.9"), true);
    vyd::Logger::log("not visible in release: never printed");
    std::printf("(log line queued)\n");
}

} // namespace

int main() {
    std::printf("VYDCore example host app\n");
    showBundle();
    showTexts();
    showLinks();
    showImages();
    showLog();
    foundation::RunLoop::main().runUntilIdle();
    hostapp::showLoginButtonRoad();
    hostapp::showPanelRoad();
    hostapp::showUIKitRoad();
    hostapp::showWebRoad();
    hostapp::showChoiceRoad();
    hostapp::showOTPRoad();
    hostapp::showELKLiteRoad();
    foundation::RunLoop::main().runUntilIdle();
    return 0;
}
