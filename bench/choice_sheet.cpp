// What the choice sheet costs a partner app: from a tap on the login button (the login
// started, the choice sheet built in its panel, presented and laid out) against presenting an
// empty view controller in the same kind of window. Both run their presentation to the end on a
// manual clock (the window's layout pass included, the presented view controller shown) and are
// dismissed again outside the timing.
#include "bench/BenchKeychain.hpp"
#include "bench/RatioReporter.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/testing/SimulatedDevice.hpp"
#include "platform/testing/SimulatedUser.hpp"
#include "sdk/VYDCore.hpp"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using vyd::bench::BenchKeychain;

// Runs the presentation under way to its end.
void finish() {
    foundation::Clock::advance(1);
    testing::SimulatedDevice::settle();
}

void dismissAll(const std::shared_ptr<uikit::UIViewController>& root) {
    root->dismiss(false);
    testing::SimulatedDevice::settle();
}

// Whether the presentation ran to its end: the view controller shown, in the window.
bool shown(uikit::UIViewController& presented) {
    return presented.isAppeared() && !presented.isBeingPresented() && presented.view()->window() != nullptr;
}

void BM_ChoiceSheet_BaselineEmptyController(benchmark::State& state) {
    foundation::Clock::useManualClock();
    testing::SimulatedDevice device;
    const auto root = device.rootViewController();
    for (auto _ : state) {
        const auto empty = uikit::UIViewController::make();
        root->present(empty, true);
        finish();
        if (!shown(*empty)) {
            state.SkipWithError("the empty view controller did not show");
            break;
        }
        benchmark::DoNotOptimize(empty->view()->frame());
        state.PauseTiming();
        dismissAll(root);
        state.ResumeTiming();
    }
}

void BM_ChoiceSheet_TapToShown(benchmark::State& state) {
    foundation::Clock::useManualClock();
    testing::SimulatedDevice device;
    const auto root = device.rootViewController();
    vyd::VYD::settings()->applyMainPreferences("vy-shop", std::nullopt, "VY Shop", std::nullopt,
                                               vyd::VYDStandType::prom);
    vyd::DIContainer::staticStorageService()->setRemoteConfig(
        vyd::RemoteConfig::decode(std::string(R"({"isApp2AppDialogEnabled": true})")));
    const auto button = vyd::VYDLoginButton::make(vyd::VYDLoginButtonStyle::green, nullptr);
    root->view()->addSubview(button);
    button->setFrame({24, 700, 342, 48});
    vyd::VYDAuthRequest request;
    request.scope = "openid";
    request.state = "state-1";
    request.nonce = "nonce-1";
    request.redirectUri = "vyshop://auth/return";
    button->addTarget(
        [root, request](uikit::UIControl&, const uikit::UIEvent*) { vyd::VYD::login()->auth(request, root); },
        uikit::UIControlEvents::touchUpInside);
    testing::SimulatedDevice::settle();
    for (auto _ : state) {
        testing::SimulatedUser::tap(button);
        finish();
        const auto panel = std::dynamic_pointer_cast<vyd::SlidePanelController>(root->presentedViewController());
        if (!panel || !shown(*panel) ||
            !std::dynamic_pointer_cast<vyd::AuthChooseViewController>(panel->contentViewController())) {
            state.SkipWithError("the choice sheet did not show");
            break;
        }
        benchmark::DoNotOptimize(panel->contentViewController()->view()->frame());
        state.PauseTiming();
        dismissAll(root);
        state.ResumeTiming();
    }
}

BENCHMARK(BM_ChoiceSheet_BaselineEmptyController);
BENCHMARK(BM_ChoiceSheet_TapToShown);

} // namespace

int main(int argc, char** argv) {
    const BenchKeychain keychain;
    return vyd::bench::runWithRatios(argc, argv);
}
