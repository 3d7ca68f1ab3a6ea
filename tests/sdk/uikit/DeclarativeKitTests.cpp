#include "platform/foundation/Dispatch.hpp"
#include "platform/swiftui/UIHostingController.hpp"
#include "platform/testing/SimulatedDevice.hpp"
#include "sdk/uikit/BackportAsyncImage.hpp"
#include "sdk/uikit/ShimmerEffect.hpp"
#include "sdk/uikit/UIViewRepresented.hpp"
#include "support/TestServer.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using namespace swiftui;
using testsupport::TestResponse;
using namespace vyd;
using Phases = std::vector<std::string>;

std::string png(std::size_t width, std::size_t height) {
    const auto data =
        coregraphics::CGImage::make(width, height, std::vector<coregraphics::CGRGBA>(width * height))->pngData();
    return std::string(data.begin(), data.end());
}

// A phone showing one hosting controller as its root; the main queue starts empty.
class DeclarativeKitTest : public ::testing::Test {
protected:
    void SetUp() override {
        foundation::RunLoop::main().discardPending();
        device = std::make_unique<::testing::SimulatedDevice>();
        serveImages(*server);
        serve(*server, "/page", {200, "<html><body>VY Bank</body></html>", "text/html", {}});
    }
    void TearDown() override {
        device.reset();
        foundation::RunLoop::main().discardPending();
        foundation::Clock::useRealClock(); // the shimmer test moves time by hand
    }
    static void serve(testsupport::TestServer& to, const std::string& path, const TestResponse& response) {
        to.handle("GET", path, [response](const auto&) { return response; });
    }
    static void serveImages(testsupport::TestServer& to) {
        serve(to, "/a.png", {200, png(4, 4), "image/png", {}});
        serve(to, "/b.png", {200, png(9, 3), "image/png", {}});
    }

    std::shared_ptr<UIHostingController> show(View view) {
        auto host = UIHostingController::make(std::move(view));
        device->setRootViewController(host);
        ::testing::SimulatedDevice::settle();
        return host;
    }
    static bool waitFor(const std::function<bool()>& done) { return foundation::RunLoop::main().runUntil(done, 10); }
    std::optional<foundation::URL> url(const std::string& path) const {
        return foundation::URL::string(path.rfind("http", 0) == 0 ? path : server->url(path));
    }
    // An image view that writes each new phase it shows into `phases`.
    View recorded(const std::string& path, std::shared_ptr<Phases> phases, Transaction transaction = {},
                  double timeout = 15) const {
        return View(BackportAsyncImage(path.empty() ? std::nullopt : url(path), 2, timeout, std::move(transaction),
                                       [phases](const AsyncImagePhase& phase) {
                                           const std::string text =
                                               phase.image()   ? "success"
                                               : phase.error() ? "failure " + std::to_string(phase.error()->code) +
                                                                     " " + phase.error()->localizedDescription
                                                               : "empty";
                                           if (phases->empty() || phases->back() != text) {
                                               phases->push_back(text);
                                           }
                                           return View(Text(text));
                                       }));
    }
    View withPlaceholder(const std::string& path) const {
        return View(BackportAsyncImage(
            url(path), 1, 15, [](const Image& loaded) { return View(loaded); },
            [] { return View(Text("placeholder")); }));
    }
    static const Node* image(UIHostingController& host) {
        return host.hostingView()->rootNode()->find([](const Node& n) { return n.kind() == NodeKind::image; });
    }

    std::unique_ptr<::testing::SimulatedDevice> device;
    std::unique_ptr<testsupport::TestServer> server = testsupport::TestServer::startHTTP();
};

TEST_F(DeclarativeKitTest, RepresentedViewIsTheVeryViewLaidOutByTheDeclarativeLayer) {
    auto platformView = uikit::UIView::make({0, 0, 5, 5});
    auto host = show(VStack({View(UIViewRepresented(platformView)).frame(120, 40)}));
    EXPECT_EQ(platformView->superview(), host->hostingView());
    EXPECT_EQ(platformView->frame().size, (CGSize{120, 40}));
}

TEST_F(DeclarativeKitTest, AsyncImageShowsItsPhasesAndAPageIsATimeOut) {
    for (const std::string path : {"/a.png", "/page"}) {
        auto phases = std::make_shared<Phases>();
        show(recorded(path, phases));
        EXPECT_TRUE(waitFor([&] { return phases->size() == 2; })) << path;
        EXPECT_EQ(*phases, (Phases{"empty", path == "/page" ? "failure -1001 Request timed out" : "success"}));
    }
    // No URL: the empty phase, and no request.
    const auto before = server->requestCount();
    auto none = std::make_shared<Phases>();
    show(recorded("", none));
    foundation::RunLoop::main().runUntilIdle();
    EXPECT_EQ(*none, Phases{"empty"});
    EXPECT_EQ(server->requestCount(), before);
}

TEST_F(DeclarativeKitTest, AsyncImageKeepsTheShownImageUntilTheCurrentURLsLoadAndDropsReplacedOnes) {
    server->holdResponses();
    auto host = show(withPlaceholder("/a.png"));
    ASSERT_TRUE(server->waitForRequests(1, std::chrono::seconds(10)));
    foundation::RunLoop::main().runUntilIdle();
    EXPECT_NE(host->hostingView()->rootNode()->findText("placeholder"), nullptr);
    server->releaseResponses();
    ASSERT_TRUE(waitFor([&] { return image(*host) != nullptr; }));
    EXPECT_EQ(image(*host)->frame().size, (CGSize{4, 4}));

    // A slow answer for a former URL does not replace the current image.
    auto slowServer = testsupport::TestServer::startHTTP();
    serveImages(*slowServer);
    slowServer->holdResponses();
    host->setRootView(withPlaceholder(slowServer->url("/a.png")));
    foundation::RunLoop::main().runUntilIdle();
    ASSERT_TRUE(slowServer->waitForRequests(1, std::chrono::seconds(10)));
    EXPECT_EQ(image(*host)->frame().size, (CGSize{4, 4})) << "the first image until the next arrives";
    host->setRootView(withPlaceholder("/b.png"));
    ASSERT_TRUE(waitFor([&] { return image(*host)->frame().size == CGSize{9, 3}; }));
    slowServer->releaseResponses();
    foundation::RunLoop::main().runUntil([] { return false; }, 0.3);
    EXPECT_EQ(image(*host)->frame().size, (CGSize{9, 3}));
}

TEST_F(DeclarativeKitTest, AsyncImagePublishesSuccessInItsTransactionAndFailuresWithout) {
    const Transaction animated(Animation::linear());
    auto phases = std::make_shared<Phases>();
    auto host = show(recorded("/a.png", phases, animated));
    ASSERT_TRUE(waitFor([&] { return phases->back() == "success"; }));
    EXPECT_EQ(host->hostingView()->rootNode()->findText("success")->animation(), Animation::linear());

    // A server that never answers: the session's own time-out, without the animation.
    server->holdResponses();
    auto slow = std::make_shared<Phases>();
    auto slowHost = show(recorded("/a.png", slow, animated, 0.3));
    ASSERT_TRUE(waitFor([&] { return slow->size() == 2; }));
    EXPECT_EQ(slow->back().rfind("failure -1001", 0), 0u);
    EXPECT_FALSE(slowHost->hostingView()->rootNode()->findText(slow->back())->animation().has_value());

    // A view that goes away before its load completes drops the outcome.
    auto gone = std::make_shared<Phases>();
    auto goneHost = show(recorded("/b.png", gone));
    ASSERT_TRUE(server->waitForRequests(3, std::chrono::seconds(10)));
    device->setRootViewController(uikit::UIViewController::make());
    goneHost.reset();
    server->releaseResponses();
    foundation::RunLoop::main().runUntil([] { return false; }, 0.2);
    EXPECT_EQ(*gone, Phases{"empty"});
}

TEST_F(DeclarativeKitTest, ShimmerSweepsAGradientOverTheViewOrShowsNothing) {
    foundation::Clock::useManualClock();
    const auto gradientOf = [](UIHostingController& host) {
        return host.hostingView()->rootNode()->find([](const Node& n) { return n.kind() == NodeKind::linearGradient; });
    };
    auto host = show(shimmer(Text("VY ID"), true));
    const Node* gradient = gradientOf(*host);
    ASSERT_NE(gradient, nullptr);
    EXPECT_EQ(gradient->description().as<GradientPayload>().colors.size(), 3u);
    EXPECT_EQ(gradient->animation(), Animation::linear(1.25).repeatForever(false));
    foundation::Clock::advance(10);
    EXPECT_TRUE(gradient->isAnimating());
    const auto& clip = gradient->ancestor(NodeKind::clipShape)->description().as<ClipPayload>().shape;
    EXPECT_EQ(clip.cornerSize, (CGSize{5, 5}));
    EXPECT_EQ(gradient->frame(), host->hostingView()->rootNode()->findText("VY ID")->frame());

    host->setRootView(shimmerEffect(Text("VY ID"), false, 1, {}, 5));
    EXPECT_EQ(host->hostingView()->rootNode()->findText("VY ID"), nullptr) << "inactive: no view at all";
    EXPECT_EQ(gradientOf(*host), nullptr);
    host->setRootView(shimmerEffect(Text("VY ID"), true, 2, {Color::red()}, 8));
    EXPECT_EQ(gradientOf(*host)->description().as<GradientPayload>().colors, std::vector<Color>{Color::red()});
}

} // namespace
