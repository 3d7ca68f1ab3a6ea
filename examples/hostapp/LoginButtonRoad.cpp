#include "LoginButtonRoad.hpp"

#include "sdk/VYDCore.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/security/Keychain.hpp"
#include "platform/uikit/UIView.hpp"

#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace hostapp {
namespace {

using coregraphics::CGSize;
using vyd::VYDLoginButton;
using vyd::VYDLoginButtonStyle;
using vyd::VYDLoginButtonTextType;

constexpr const char* clientId = "vy-shop";

// The partner app's screen: a root view that the button is placed in and laid out with.
std::shared_ptr<uikit::UIView> screen() { return uikit::UIView::make({0, 0, 390, 844}); }

const char* textTypeName(VYDLoginButtonTextType type) {
    switch (type) {
    case VYDLoginButtonTextType::vyID:
        return "vyID";
    case VYDLoginButtonTextType::loginWithVyID:
        return "loginWithVyID";
    case VYDLoginButtonTextType::fillWithVyID:
        return "fillWithVyID";
    case VYDLoginButtonTextType::continueWithVyID:
        return "continueWithVyID";
    }
    return "?";
}

void report(const char* label, const std::shared_ptr<VYDLoginButton>& button) {
    const auto root = screen();
    root->addSubview(button);
    root->layoutIfNeeded();
    const auto size = button->frame().size;
    const bool personalised = vyd::DIContainer::staticStorageService()->isButtonPersonalized();
    std::printf("%-34s %6.1f x %4.1f  %-8s %-7s \"%s\"\n", label, size.width, size.height,
                personalised ? "personal" : "plain", button->isHidden() ? "hidden" : "visible",
                button->title(uikit::UIControlState::normal).value_or("").c_str());
}

// The keychain the SDK shares with the VY Bank app lives in a file of this run.
class DemoKeychain {
public:
    DemoKeychain() {
        folder_ = std::filesystem::temp_directory_path() / ("vyd-hostapp-keychain-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder_);
        security::Keychain::setLocation(folder_ / "keychain.sqlite");
    }
    ~DemoKeychain() {
        security::Keychain::setLocation({});
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    DemoKeychain(const DemoKeychain&) = delete;
    DemoKeychain& operator=(const DemoKeychain&) = delete;

    // What the VY Bank app does once the user signed in there.
    static void storeBankRecord(const std::string& json) {
        security::Keychain::standard()->set({"VYBank.VYID.shared", "personalizedButtonData", "VYBank.shared",
                                             security::Bytes(json.begin(), json.end())});
    }
    static void removeBankRecord() {
        security::Keychain::standard()->remove({"VYBank.VYID.shared", "personalizedButtonData", "VYBank.shared"});
    }

private:
    std::filesystem::path folder_;
};

class PrintingObserver : public vyd::VYDLoginButtonObserverProtocol {
public:
    void loginButtonWasHidden() override { std::printf("  (observer) the login button was hidden\n"); }
};

void useRemoteConfig(const std::string& json) {
    vyd::DIContainer::staticStorageService()->setRemoteConfig(vyd::RemoteConfig::decode(json));
}

void placeEveryVariant() {
    std::printf("%-34s %13s  %-8s %-7s %s\n", "style, text type, desired size", "size", "name", "shown", "title");
    const CGSize sizes[] = {{50, 30}, {240, 48}, {320, 100}, {0, 0}};
    for (const auto style : {VYDLoginButtonStyle::green, VYDLoginButtonStyle::white}) {
        for (const auto type : {VYDLoginButtonTextType::vyID, VYDLoginButtonTextType::loginWithVyID,
                                VYDLoginButtonTextType::fillWithVyID, VYDLoginButtonTextType::continueWithVyID}) {
            for (const auto& size : sizes) {
                char label[64];
                std::snprintf(label, sizeof label, "%s %s %gx%g", std::string(vyd::string(style)).c_str(),
                              textTypeName(type), size.width, size.height);
                report(label, VYDLoginButton::make(style, type, size, nullptr));
            }
        }
    }
}

void personalise() {
    std::printf("\nThe VY Bank app stores the signed-in user's masked name in the shared keychain:\n");
    DemoKeychain::storeBankRecord(R"({"maskedName": "Ivan I."})");
    report("green loginWithVyID 240x48",
           VYDLoginButton::make(VYDLoginButtonStyle::green, VYDLoginButtonTextType::loginWithVyID, {240, 48}, nullptr));
    report("white vyID 240x48 (never personal)",
           VYDLoginButton::make(VYDLoginButtonStyle::white, VYDLoginButtonTextType::vyID, {240, 48}, nullptr));
    DemoKeychain::storeBankRecord(R"({"maskedName": "Konstantin Konstantinopolsky"})");
    report(
        "white continueWithVyID 240x48",
        VYDLoginButton::make(VYDLoginButtonStyle::white, VYDLoginButtonTextType::continueWithVyID, {240, 48}, nullptr));
    DemoKeychain::storeBankRecord("this is not JSON");
    report("green loginWithVyID (bad record)", VYDLoginButton::make(VYDLoginButtonStyle::green, nullptr));
    DemoKeychain::removeBankRecord();
}

void hideByRemoteConfig() {
    const auto observer = std::make_shared<PrintingObserver>();

    std::printf("\nThe remote configuration blacklists this partner (\"%s\"):\n", clientId);
    useRemoteConfig(R"({"usersBlacklist": ["vy-shop"]})");
    report("green loginWithVyID 50x30", VYDLoginButton::make(VYDLoginButtonStyle::green, observer));

    const std::string version = vyd::curentSdkVersion();
    std::printf("\nThe remote configuration lists this SDK version (%s) as critical:\n", version.c_str());
    useRemoteConfig(R"({"versionRestrictions": {"current": "1.10.0", "criticalList": [")" + version + R"("]}})");
    report("white loginWithVyID 50x30", VYDLoginButton::make(VYDLoginButtonStyle::white, observer));
    // The version message reaches the log once the main queue runs, after the button is made.
    foundation::RunLoop::main().runUntilIdle();

    std::printf("\nA newer SDK version 1.10.0 is out (compared as numbers with %s):\n", version.c_str());
    useRemoteConfig(R"({"versionRestrictions": {"current": "1.10.0", "warning": "0.9.0"}})");
    report("white loginWithVyID 50x30", VYDLoginButton::make(VYDLoginButtonStyle::white, observer));
    foundation::RunLoop::main().runUntilIdle();

    useRemoteConfig("{}");
}

void refuseBadOption() {
    std::printf("\nAn integer that names no style is refused:\n");
    try {
        VYDLoginButton::initWithType(7, nullptr);
    } catch (const vyd::VYDInvalidOptionError& error) {
        std::printf("  %s\n", error.what());
    }
}

} // namespace

void showLoginButtonRoad() {
    std::printf("\n== Login button\n");
    const DemoKeychain keychain;
    vyd::VYD::settings()->applyMainPreferences(clientId, std::nullopt, "VY Shop", std::nullopt, std::nullopt);
    placeEveryVariant();
    personalise();
    hideByRemoteConfig();
    refuseBadOption();
}

} // namespace hostapp
