// What a partner app pays for placing the login button: making it (settings, controller, hide
// rules, text measurement, logo redraw, keychain read, events) and laying it out, against a
// platform button with the same title and size constraints laid out the same way.
#include "bench/RatioReporter.hpp"

#include "platform/security/Keychain.hpp"
#include "platform/uikit/UIButton.hpp"
#include "sdk/screens/loginbutton/LoginButtonSettings.hpp"
#include "sdk/screens/loginbutton/VYDLoginButton.hpp"

#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

using coregraphics::CGSize;

// The keychain read on every button goes to a file of this run, not the user's.
class BenchKeychain {
public:
    BenchKeychain() {
        folder_ = std::filesystem::temp_directory_path() / ("vyd-bench-keychain-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder_);
        security::Keychain::setLocation(folder_ / "keychain.sqlite");
    }
    ~BenchKeychain() {
        security::Keychain::setLocation({});
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

private:
    std::filesystem::path folder_;
};

void layOut(const std::shared_ptr<uikit::UIView>& view) {
    const auto root = uikit::UIView::make({0, 0, 390, 844});
    root->addSubview(view);
    root->layoutIfNeeded();
    benchmark::DoNotOptimize(view->frame());
}

void BM_Baseline_PlatformButton(benchmark::State& state) {
    const std::string title = vyd::loginButtonText(vyd::VYDLoginButtonTextType::loginWithVyID);
    for (auto _ : state) {
        const auto button = uikit::UIButton::make(uikit::UIButtonType::custom);
        button->setTitle(title, uikit::UIControlState::normal);
        button->setTranslatesAutoresizingMaskIntoConstraints(false);
        uikit::NSLayoutConstraint::activate({button->widthAnchor().constraintEqualToConstant(240),
                                             button->heightAnchor().constraintEqualToConstant(48)});
        layOut(button);
    }
}

void BM_LoginButton_MakeAndLayOut(benchmark::State& state) {
    const CGSize desired{static_cast<double>(state.range(0)), static_cast<double>(state.range(1))};
    for (auto _ : state) {
        const auto button = vyd::VYDLoginButton::make(vyd::VYDLoginButtonStyle::white,
                                                      vyd::VYDLoginButtonTextType::loginWithVyID, desired, nullptr);
        layOut(button);
    }
}

void BM_LoginButton_Personalised(benchmark::State& state) {
    const std::string record = R"({"maskedName": "Ivan I."})";
    security::Keychain::standard()->set({"VYBank.VYID.shared", "personalizedButtonData", "VYBank.shared",
                                         security::Bytes(record.begin(), record.end())});
    for (auto _ : state) {
        const auto button = vyd::VYDLoginButton::make(vyd::VYDLoginButtonStyle::green,
                                                      vyd::VYDLoginButtonTextType::loginWithVyID, {240, 48}, nullptr);
        layOut(button);
    }
    security::Keychain::standard()->remove({"VYBank.VYID.shared", "personalizedButtonData", "VYBank.shared"});
}

void BM_Settings_MinimalWidth(benchmark::State& state) {
    vyd::LoginButtonSettings settings(vyd::VYDLoginButtonStyle::green);
    for (auto _ : state) {
        benchmark::DoNotOptimize(settings.minimalWidth());
    }
}

void BM_Settings_LogoImage(benchmark::State& state) {
    vyd::LoginButtonSettings settings(vyd::VYDLoginButtonStyle::green);
    settings.setLogoSize({22, 22});
    for (auto _ : state) {
        benchmark::DoNotOptimize(settings.logoImage());
    }
}

BENCHMARK(BM_Baseline_PlatformButton);
// Desired width by height: a usual request, one below the minimal width, and one that is no size.
BENCHMARK(BM_LoginButton_MakeAndLayOut)->Args({240, 48})->Args({50, 30})->Args({0, 0});
BENCHMARK(BM_LoginButton_Personalised);
BENCHMARK(BM_Settings_MinimalWidth);
BENCHMARK(BM_Settings_LogoImage);

} // namespace

int main(int argc, char** argv) {
    const BenchKeychain keychain;
    return vyd::bench::runWithRatios(argc, argv, "BM_Baseline_PlatformButton");
}
