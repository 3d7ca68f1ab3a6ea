// What a partner app pays for placing login buttons (settings, controller, hide rules, text
// measurement, logo, keychain read, events, layout), against platform buttons that show the
// same title, logo, font, colours and border under the same constraints: one button, and a
// screen of 32 one under the other. The settings' answers that are cached are set against a
// hash-map lookup.
#include "bench/BenchKeychain.hpp"
#include "bench/RatioReporter.hpp"

#include "platform/security/Keychain.hpp"
#include "platform/uikit/UIButton.hpp"
#include "platform/uikit/UIImage.hpp"
#include "platform/uikit/UILabel.hpp"
#include "sdk/screens/loginbutton/LoginButtonSettings.hpp"
#include "sdk/screens/loginbutton/VYDLoginButton.hpp"

#include <filesystem>
#include <string>
#include <unistd.h>
#include <unordered_map>

namespace {

using coregraphics::CGSize;
using vyd::VYDLoginButtonStyle;
using vyd::VYDLoginButtonTextType;

using vyd::bench::BenchKeychain;

const std::string keychainService = "VYBank.VYID.shared";
const std::string keychainAccount = "personalizedButtonData";
const std::string keychainAccessGroup = "VYBank.shared";

// The host app's own button as it would draw one like ours: its logo at the same size (an image
// the app already holds), title, font, colours, border and size constraints.
std::shared_ptr<uikit::UIButton> platformButton(CGSize size) {
    static const auto logo = vyd::LoginButtonSettings(VYDLoginButtonStyle::white).logoImage();
    static const auto font = uikit::UIFont::systemFont(14);
    const auto button = uikit::UIButton::make(uikit::UIButtonType::custom);
    button->titleLabel()->setFont(font);
    button->setTitle(vyd::loginButtonText(VYDLoginButtonTextType::loginWithVyID), uikit::UIControlState::normal);
    button->setTitleColor(uikit::UIColor::black(), uikit::UIControlState::normal);
    button->setImage(logo, uikit::UIControlState::normal);
    button->setImage(logo, uikit::UIControlState::highlighted);
    button->setBackgroundColor(uikit::UIColor::white());
    button->layer()->setBorderWidth(1);
    button->layer()->setCornerRadius(4);
    button->setContentEdgeInsets({0, 16, 0, 16});
    button->setTranslatesAutoresizingMaskIntoConstraints(false);
    uikit::NSLayoutConstraint::activate({button->widthAnchor().constraintEqualToConstant(size.width),
                                         button->heightAnchor().constraintEqualToConstant(size.height)});
    return button;
}

std::shared_ptr<uikit::UIView> loginButton(CGSize size) {
    return vyd::VYDLoginButton::make(VYDLoginButtonStyle::white, VYDLoginButtonTextType::loginWithVyID, size, nullptr);
}

// The buttons one under the other, centred, in a phone-sized root, laid out once.
template <typename Make>
void layOutScreen(int count, const Make& make) {
    const auto root = uikit::UIView::make({0, 0, 390, 844});
    auto above = root->topAnchor();
    std::shared_ptr<uikit::UIView> last;
    for (int i = 0; i < count; ++i) {
        last = make();
        root->addSubview(last);
        uikit::NSLayoutConstraint::activate({last->topAnchor().constraintEqualTo(above, 8),
                                             last->centerXAnchor().constraintEqualTo(root->centerXAnchor())});
        above = last->bottomAnchor();
    }
    root->layoutIfNeeded();
    benchmark::DoNotOptimize(last->frame());
}

void BM_Button_Baseline_Platform(benchmark::State& state) {
    for (auto _ : state) {
        layOutScreen(1, [] { return platformButton({240, 48}); });
    }
}

void BM_Button_Login(benchmark::State& state) {
    const CGSize desired{static_cast<double>(state.range(0)), static_cast<double>(state.range(1))};
    for (auto _ : state) {
        layOutScreen(1, [&] { return loginButton(desired); });
    }
}

void BM_Button_LoginPersonalised(benchmark::State& state) {
    const std::string record = R"({"maskedName": "Ivan I."})";
    security::Keychain::standard()->set(
        {keychainService, keychainAccount, keychainAccessGroup, security::Bytes(record.begin(), record.end())});
    for (auto _ : state) {
        layOutScreen(1, [] { return loginButton({240, 48}); });
    }
    security::Keychain::standard()->remove({keychainService, keychainAccount, keychainAccessGroup});
}

void BM_Screen_Baseline_Platform(benchmark::State& state) {
    for (auto _ : state) {
        layOutScreen(static_cast<int>(state.range(0)), [] { return platformButton({240, 48}); });
    }
}

void BM_Screen_Login(benchmark::State& state) {
    for (auto _ : state) {
        layOutScreen(static_cast<int>(state.range(0)), [] { return loginButton({240, 48}); });
    }
}

void BM_MinimalWidth_Baseline_HashMapLookup(benchmark::State& state) {
    const std::string text = vyd::loginButtonText(VYDLoginButtonTextType::loginWithVyID);
    const std::unordered_map<std::string, double> widths{{text, 160}, {"VY ID", 40}};
    for (auto _ : state) {
        benchmark::DoNotOptimize(widths.find(text)->second);
    }
}

void BM_MinimalWidth_Settings(benchmark::State& state) {
    const vyd::LoginButtonSettings settings(VYDLoginButtonStyle::green);
    for (auto _ : state) {
        benchmark::DoNotOptimize(settings.minimalWidth());
    }
}

void BM_Logo_Baseline_HashMapLookup(benchmark::State& state) {
    vyd::LoginButtonSettings settings(VYDLoginButtonStyle::green);
    const std::unordered_map<std::string, std::shared_ptr<uikit::UIImage>> logos{{"logo_white", settings.logoImage()},
                                                                                 {"logo_green", nullptr}};
    const std::string name = "logo_white";
    for (auto _ : state) {
        benchmark::DoNotOptimize(logos.find(name)->second);
    }
}

void BM_Logo_Settings(benchmark::State& state) {
    vyd::LoginButtonSettings settings(VYDLoginButtonStyle::green);
    settings.setLogoSize({22, 22});
    for (auto _ : state) {
        benchmark::DoNotOptimize(settings.logoImage());
    }
}

BENCHMARK(BM_Button_Baseline_Platform);
// Desired width by height: a usual request, one below the minimal width, and one that is no size.
BENCHMARK(BM_Button_Login)->Args({240, 48})->Args({50, 30})->Args({0, 0});
BENCHMARK(BM_Button_LoginPersonalised);
BENCHMARK(BM_Screen_Baseline_Platform)->Arg(32);
BENCHMARK(BM_Screen_Login)->Arg(32);
BENCHMARK(BM_MinimalWidth_Baseline_HashMapLookup);
BENCHMARK(BM_MinimalWidth_Settings);
BENCHMARK(BM_Logo_Baseline_HashMapLookup);
BENCHMARK(BM_Logo_Settings);

} // namespace

int main(int argc, char** argv) {
    const BenchKeychain keychain;
    return vyd::bench::runWithRatios(argc, argv);
}
