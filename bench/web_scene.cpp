// What a sign-in page costs in the SDK's full-screen web scene: opening the scene over the
// screen, committing its start page from VY Bank's local server over TLS (trusted through the
// SDK's anchors) and closing it on the return notification, against a web view alone loading the
// same page with the same trust check.
#include "bench/RatioReporter.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/foundation/NotificationCenter.hpp"
#include "platform/testing/SimulatedDevice.hpp"
#include "platform/uikit/UIImageView.hpp"
#include "platform/uikit/UIViewController.hpp"
#include "platform/webkit/WKWebView.hpp"
#include "sdk/base/DIContainer.hpp"
#include "sdk/base/NotificationNames.hpp"
#include "sdk/screens/web/OTPWebView.hpp"
#include "sdk/screens/web/WebSceneAssembler.hpp"
#include "sdk/services/CertificatesService.hpp"
#include "support/VYBankServer.hpp"

#include <memory>
#include <stdexcept>

namespace {

constexpr double loadBound = 15;

struct Fixture {
    Fixture() {
        foundation::Clock::useManualClock();
        vyd::DIContainer::setCertificatesService(
            std::make_shared<vyd::CertificatesService>(std::vector<security::SecCertificate>{bank->rootCertificate()}));
    }
    ~Fixture() { vyd::DIContainer::setCertificatesService(nullptr); }

    testing::SimulatedDevice device;
    std::unique_ptr<testsupport::VYBankServer> bank = testsupport::VYBankServer::start();
    foundation::URL start = *foundation::URL::string(bank->authorizationURL("vy-shop", "vyshop://auth/return", "s"));
};

void waitFor(const std::function<bool()>& done) {
    if (!foundation::RunLoop::main().runUntil(done, loadBound)) {
        throw std::runtime_error("the start page never committed");
    }
}

// Trusts the server as the scene does, but at once on the main thread.
class CommitWaiter : public webkit::WKNavigationDelegate {
public:
    bool committed = false;

    void didReceiveAuthenticationChallenge(webkit::WKWebView&, const foundation::URLAuthenticationChallenge& challenge,
                                           foundation::URLAuthenticationChallengeHandler completionHandler) override {
        const auto handling = vyd::DIContainer::certificatesService()->detectAuthHandling(challenge);
        if (const auto* credential = handling.credential()) {
            completionHandler(foundation::URLSessionAuthChallengeDisposition::useCredential, *credential);
        } else {
            completionHandler(foundation::URLSessionAuthChallengeDisposition::cancelAuthenticationChallenge,
                              std::nullopt);
        }
    }
    void didCommitNavigation(webkit::WKWebView&, const NavigationPointer&) override { committed = true; }
};

void BM_WebScene_Baseline_WebViewLoad(benchmark::State& state) {
    Fixture fixture;
    const auto delegate = std::make_shared<CommitWaiter>();
    for (auto _ : state) {
        auto webView = webkit::WKWebView::make();
        webView->setNavigationDelegate(delegate);
        delegate->committed = false;
        webView->load(foundation::URLRequest(fixture.start));
        waitFor([&] { return delegate->committed; });
    }
}
BENCHMARK(BM_WebScene_Baseline_WebViewLoad)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_WebScene_OpenCommitClose(benchmark::State& state) {
    Fixture fixture;
    const auto screen = fixture.device.rootViewController();
    for (auto _ : state) {
        auto scene = vyd::WebSceneAssembler().createAuthWebViewController(fixture.start, true, std::nullopt, nullptr);
        scene->setModalPresentationStyle(uikit::UIModalPresentationStyle::fullScreen);
        screen->present(scene, true);
        const auto spinner = std::dynamic_pointer_cast<vyd::OTPWebView>(scene->view())->spinnerImageView();
        // The loading image goes once the start page has committed.
        waitFor([&] { return spinner->isHidden(); });
        foundation::NotificationCenter::defaultCenter().post(vyd::NotificationNames::authNativeResult(), nullptr,
                                                             {{"isSuccess", true}});
        foundation::Clock::advance(1);
    }
}
BENCHMARK(BM_WebScene_OpenCommitClose)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) { return vyd::bench::runWithRatios(argc, argv); }
