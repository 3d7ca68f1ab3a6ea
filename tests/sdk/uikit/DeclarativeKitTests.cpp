#include "platform/foundation/Dispatch.hpp"
#include "platform/foundation/URLError.hpp"
#include "platform/swiftui/UIHostingController.hpp"
#include "platform/testing/SimulatedDevice.hpp"
#include "platform/uikit/UITraitCollection.hpp"
#include "sdk/uikit/BackportAsyncImage.hpp"
#include "sdk/uikit/Palette.hpp"
#include "sdk/uikit/ShimmerEffect.hpp"
#include "sdk/uikit/UIViewRepresented.hpp"
#include "support/TestServer.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using namespace swiftui;
using vyd::AsyncImagePhase;
using vyd::BackportAsyncImage;

// A phone showing one hosting controller as its root; the main queue starts empty.
class DeclarativeKitTest : public ::testing::Test {
protected:
    void SetUp() override {
        foundation::RunLoop::main().discardPending();
        device = std::make_unique<::testing::SimulatedDevice>();
    }
    void TearDown() override {
        device.reset();
        foundation::RunLoop::main().discardPending();
        foundation::Clock::useRealClock(); // the shimmer test moves time by hand
    }

    std::shared_ptr<UIHostingController> show(View view) {
        auto host = UIHostingController::make(std::move(view));
        device->setRootViewController(host);
        ::testing::SimulatedDevice::settle();
        return host;
    }
    static bool waitFor(const std::function<bool()>& done) { return foundation::RunLoop::main().runUntil(done, 10); }

    std::unique_ptr<::testing::SimulatedDevice> device;
};

TEST_F(DeclarativeKitTest, RepresentedViewIsTheVeryViewLaidOutByTheDeclarativeLayer) {
    auto platformView = uikit::UIView::make({0, 0, 5, 5});
    auto host = show(VStack({View(vyd::UIViewRepresented(platformView)).frame(120, 40)}));
    EXPECT_EQ(platformView->superview(), host->hostingView());
    EXPECT_EQ(platformView->frame().size, (CGSize{120, 40}));
    host->setRootView(VStack({View(vyd::UIViewRepresented(platformView)).frame(60, 40)}));
    host->hostingView()->updateIfNeeded();
    EXPECT_EQ(platformView->frame().size, (CGSize{60, 40}));
}

// The phases an image view went through, as text, and the animation of each change.
struct PhaseLog {
    std::vector<std::string> phases;
    static std::string describe(const AsyncImagePhase& phase) {
        if (const auto image = phase.image()) {
            return "success";
        }
        if (const auto error = phase.error()) {
            return "failure " + std::to_string(error->code) + " " + error->localizedDescription;
        }
        return "empty";
    }
};

View recorded(std::optional<foundation::URL> url, Transaction transaction, std::shared_ptr<PhaseLog> log,
              double timeout = 15) {
    return View(
        BackportAsyncImage(std::move(url), 2, timeout, std::move(transaction), [log](const AsyncImagePhase& phase) {
            const auto text = PhaseLog::describe(phase);
            if (log->phases.empty() || log->phases.back() != text) {
                log->phases.push_back(text);
            }
            return View(Text(text));
        }));
}

std::string png(std::size_t width, std::size_t height) {
    const auto data =
        coregraphics::CGImage::make(width, height, std::vector<coregraphics::CGRGBA>(width * height))->pngData();
    return std::string(data.begin(), data.end());
}

TEST_F(DeclarativeKitTest, AsyncImageShowsItsPhasesAgainstALocalServer) {
    auto server = testsupport::TestServer::startHTTP();
    server->handle("GET", "/logo.png", [](const auto&) {
        return testsupport::TestResponse{200, png(8, 6), "image/png", {}};
    });
    server->handle("GET", "/page", [](const auto&) {
        return testsupport::TestResponse{200, "<html><body>VY Bank</body></html>", "text/html", {}};
    });
    server->handle("GET", "/missing", [](const auto&) {
        return testsupport::TestResponse{404, "<html>gone</html>", "text/html", {}};
    });
    const std::string timedOut = "failure -1001 Request timed out";
    struct Case {
        const char* path;
        std::string last;
    };
    for (const auto& c : std::vector<Case>{{"/logo.png", "success"}, {"/page", timedOut}, {"/missing", timedOut}}) {
        SCOPED_TRACE(c.path);
        auto log = std::make_shared<PhaseLog>();
        show(recorded(foundation::URL::string(server->url(c.path)), Transaction(), log));
        EXPECT_TRUE(waitFor([&] { return log->phases.size() == 2; }));
        EXPECT_EQ(log->phases, (std::vector<std::string>{"empty", c.last}));
    }

    // No URL: the empty phase, and no request.
    const auto before = server->requestCount();
    auto none = std::make_shared<PhaseLog>();
    show(recorded(std::nullopt, Transaction(), none));
    foundation::RunLoop::main().runUntilIdle();
    EXPECT_EQ(none->phases, (std::vector<std::string>{"empty"}));
    EXPECT_EQ(server->requestCount(), before);
}

TEST_F(DeclarativeKitTest, AsyncImagePublishesSuccessInItsTransactionAndTransportFailuresWithout) {
    auto server = testsupport::TestServer::startHTTP();
    server->handle("GET", "/a.png", [](const auto&) {
        return testsupport::TestResponse{200, png(4, 4), "image/png", {}};
    });
    server->handle("GET", "/b.png", [](const auto&) {
        return testsupport::TestResponse{200, png(9, 3), "image/png", {}};
    });
    const Transaction animated(Animation::linear());
    const auto image = [](const Node& root) {
        return root.find([](const Node& n) { return n.kind() == NodeKind::image; });
    };
    const auto form2 = [&](const std::string& path) {
        return View(BackportAsyncImage(
            foundation::URL::string(server->url(path)), 1, 15, [](const Image& loaded) { return View(loaded); },
            [] { return View(Text("placeholder")); }));
    };

    // The second form shows its placeholder until the image arrives, then the image.
    server->holdResponses();
    auto host = show(form2("/a.png"));
    ASSERT_TRUE(server->waitForRequests(1, std::chrono::seconds(10)));
    foundation::RunLoop::main().runUntilIdle();
    EXPECT_NE(host->hostingView()->rootNode()->findText("placeholder"), nullptr);
    server->releaseResponses();
    ASSERT_TRUE(waitFor([&] { return image(*host->hostingView()->rootNode()) != nullptr; }));
    EXPECT_EQ(image(*host->hostingView()->rootNode())->frame().size, (CGSize{4, 4}));

    // Another URL: a new load, the first image shown until the second arrives; a slow answer
    // for a former URL does not replace the current image.
    auto slowServer = testsupport::TestServer::startHTTP();
    slowServer->handle("GET", "/c.png", [](const auto&) {
        return testsupport::TestResponse{200, png(7, 7), "image/png", {}};
    });
    slowServer->holdResponses();
    host->setRootView(View(BackportAsyncImage(
        foundation::URL::string(slowServer->url("/c.png")), 1, 15, [](const Image& loaded) { return View(loaded); },
        [] { return View(Text("placeholder")); })));
    foundation::RunLoop::main().runUntilIdle();
    ASSERT_TRUE(slowServer->waitForRequests(1, std::chrono::seconds(10)));
    EXPECT_EQ(image(*host->hostingView()->rootNode())->frame().size, (CGSize{4, 4}));
    host->setRootView(form2("/b.png"));
    ASSERT_TRUE(waitFor([&] { return image(*host->hostingView()->rootNode())->frame().size == CGSize{9, 3}; }));
    slowServer->releaseResponses();
    foundation::RunLoop::main().runUntil([] { return false; }, 0.3);
    EXPECT_EQ(image(*host->hostingView()->rootNode())->frame().size, (CGSize{9, 3}));

    auto log = std::make_shared<PhaseLog>();
    auto animatedHost = show(recorded(foundation::URL::string(server->url("/a.png")), animated, log));
    ASSERT_TRUE(waitFor([&] { return log->phases.back() == "success"; }));
    EXPECT_EQ(animatedHost->hostingView()->rootNode()->findText("success")->animation(), Animation::linear());

    // A server that never answers: the session's own time-out, without the animation.
    server->holdResponses();
    auto slow = std::make_shared<PhaseLog>();
    auto slowHost = show(recorded(foundation::URL::string(server->url("/a.png")), animated, slow, 0.3));
    ASSERT_TRUE(waitFor([&] { return slow->phases.size() == 2; }));
    const Node* failed =
        slowHost->hostingView()->rootNode()->find([](const Node& n) { return n.kind() == NodeKind::text; });
    EXPECT_EQ(slow->phases.back().rfind("failure -1001", 0), 0u);
    EXPECT_FALSE(failed->animation().has_value());

    // A view that goes away before its load completes drops the outcome.
    auto gone = std::make_shared<PhaseLog>();
    auto goneHost = show(recorded(foundation::URL::string(server->url("/b.png")), Transaction(), gone));
    ASSERT_TRUE(server->waitForRequests(5, std::chrono::seconds(10)));
    device->setRootViewController(uikit::UIViewController::make());
    goneHost.reset();
    server->releaseResponses();
    foundation::RunLoop::main().runUntil([] { return false; }, 0.2);
    EXPECT_EQ(gone->phases, (std::vector<std::string>{"empty"}));
}

TEST_F(DeclarativeKitTest, ShimmerSweepsAGradientOverTheViewOrShowsNothing) {
    foundation::Clock::useManualClock();
    const auto gradientOf = [](const Node& root) {
        return root.find([](const Node& n) { return n.kind() == NodeKind::linearGradient; });
    };
    auto host = show(vyd::shimmer(Text("VY ID"), true));
    const Node* root = host->hostingView()->rootNode();
    const Node* gradient = gradientOf(*root);
    ASSERT_NE(gradient, nullptr);
    const auto& drawn = gradient->description().as<GradientPayload>();
    EXPECT_EQ(drawn.colors.size(), 3u);
    EXPECT_EQ(drawn.startPoint, (UnitPoint{1, 1}));
    EXPECT_EQ(drawn.endPoint, (UnitPoint{2.2, 2.2}));
    EXPECT_EQ(gradient->animation(), Animation::linear(1.25).repeatForever(false));
    foundation::Clock::advance(10);
    EXPECT_TRUE(gradient->isAnimating());
    const auto& clip = gradient->ancestor(NodeKind::clipShape)->description().as<ClipPayload>().shape;
    EXPECT_EQ(clip.cornerSize, (CGSize{5, 5}));
    EXPECT_EQ(clip.style, RoundedCornerStyle::continuous);
    EXPECT_EQ(gradient->frame(), root->findText("VY ID")->frame()); // covers the view

    for (const auto& off : {vyd::shimmer(Text("VY ID"), false), vyd::shimmerEffect(Text("VY ID"), false, 1, {}, 5)}) {
        host->setRootView(off);
        EXPECT_EQ(host->hostingView()->rootNode()->findText("VY ID"), nullptr);
        EXPECT_EQ(gradientOf(*host->hostingView()->rootNode()), nullptr);
    }
    host->setRootView(vyd::shimmerEffect(Text("VY ID"), true, 2, {Color::red()}, 8));
    const auto& own = gradientOf(*host->hostingView()->rootNode())->description().as<GradientPayload>();
    EXPECT_EQ(own.colors, std::vector<Color>{Color::red()});
}

TEST_F(DeclarativeKitTest, ShimmersDefaultMiddleColourDarkensInLightAndBrightensInDark) {
    const auto saved = uikit::UITraitCollection::current();
    const auto middleBrightness = [](uikit::UIUserInterfaceStyle style) {
        uikit::UITraitCollection::setCurrent(uikit::UITraitCollection::withUserInterfaceStyle(style));
        const vyd::ShimmerModifier modifier(true, 1, {}, 5);
        CGFloat h = 0, s = 0, outer = 0, middle = 0, a = 0;
        modifier.colors[0].uiColor().getHue(h, s, outer, a);
        modifier.colors[1].uiColor().getHue(h, s, middle, a);
        return middle / outer;
    };
    EXPECT_NEAR(middleBrightness(uikit::UIUserInterfaceStyle::light), 0.94, 0.01);
    EXPECT_GT(middleBrightness(uikit::UIUserInterfaceStyle::dark), 1.0);
    uikit::UITraitCollection::setCurrent(saved);
}

} // namespace
