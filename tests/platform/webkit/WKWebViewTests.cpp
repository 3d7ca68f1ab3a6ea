#include "WebViewTestSupport.hpp"

#include "platform/testing/SimulatedUser.hpp"
#include "support/TestServer.hpp"

#include <string>
#include <tuple>
#include <utility>
#include <vector>

using namespace webtest;
using testsupport::TestRequest;
using testsupport::TestResponse;
using testsupport::TestServer;

namespace {

std::vector<std::string> urlsOf(const std::vector<WKBackForwardList::Item>& items) {
    std::vector<std::string> urls;
    for (const auto& item : items) {
        urls.push_back(item->url().absoluteString());
    }
    return urls;
}

} // namespace

TEST_F(WebViewTest, PlainLoadAsksThenCommitsAndFinishesOnTheMainThread) {
    auto server = TestServer::startHTTP();
    servePages(*server, {"start"});

    auto calls = loadAndWait(server->url("/start"));

    EXPECT_EQ(calls, (std::vector<std::string>{"policy other " + server->url("/start"), "start", "response 200",
                                               "commit", "finish"}));
    EXPECT_EQ(std::tuple(delegate->onMainThreadOnly, delegate->actions.at(0).targetFrame().value().isMainFrame(),
                         webView->url().value().absoluteString(), webView->title(), webView->isLoading(),
                         webView->estimatedProgress()),
              std::tuple(true, true, server->url("/start"), "start", false, 1.0));
    ASSERT_TRUE(webView->backForwardList().currentItem());
    EXPECT_EQ(webView->backForwardList().currentItem()->url(), *webView->url());
}

// The policy may answer later; until it does, and when it cancels, nothing reaches the server.
TEST_F(WebViewTest, NavigationWaitsForItsPolicyAndSendsNothingWhenCancelled) {
    auto server = TestServer::startHTTP();
    servePages(*server, {"page"});
    WKNavigationDelegate::ActionDecisionHandler held;
    delegate->decideAction = [&](const WKNavigationAction&, auto handler) { held = std::move(handler); };

    for (auto policy : {WKNavigationActionPolicy::cancel, WKNavigationActionPolicy::allow}) {
        delegate->clear();
        webView->load(requestFor(server->url("/page")));
        foundation::RunLoop::main().runUntilIdle();
        ASSERT_TRUE(held);
        EXPECT_EQ(std::tuple(server->requestCount(), webView->isLoading()), std::tuple(std::size_t{0}, false));

        std::exchange(held, nullptr)(policy);
        if (policy == WKNavigationActionPolicy::cancel) {
            foundation::RunLoop::main().runUntilIdle();
            EXPECT_EQ(std::tuple(delegate->calls.size(), server->requestCount(), webView->url().has_value()),
                      std::tuple(1u, 0u, false))
                << "a cancelled navigation ends silently";
        } else {
            delegate->waitForEnd();
            EXPECT_EQ(std::tuple(delegate->calls.back(), server->requestCount()),
                      std::tuple(std::string("finish"), 1ul));
        }
    }
}

// A policy that never answers leaves its navigation pending; the next load replaces it.
TEST_F(WebViewTest, UnansweredPolicyDoesNotBlockTheNextLoad) {
    auto server = TestServer::startHTTP();
    servePages(*server, {"first", "second"});
    delegate->decideAction = [](const WKNavigationAction& action, auto handler) {
        if (action.request().url.path() == "/second") {
            handler(WKNavigationActionPolicy::allow);
        }
    };
    webView->load(requestFor(server->url("/first")));
    foundation::RunLoop::main().runUntilIdle();

    auto calls = loadAndWait(server->url("/second"));

    EXPECT_EQ(std::tuple(calls.back(), webView->title(), server->requests().size(), server->requests().at(0).path),
              std::tuple("finish", "second", 1u, "/second"));
}

TEST_F(WebViewTest, BackAndGoToMoveInTheListWhileNewLoadsDropTheForwardPages) {
    auto server = TestServer::startHTTP();
    servePages(*server, {"a", "b", "c", "d"});
    for (const char* name : {"/a", "/b", "/c"}) {
        loadAndWait(server->url(name));
    }
    const auto& list = webView->backForwardList();
    EXPECT_EQ(urlsOf(list.backList()), (std::vector<std::string>{server->url("/a"), server->url("/b")}));

    EXPECT_EQ(navigate([&] { webView->goBack(); }).front(), "policy backForward " + server->url("/b"));
    EXPECT_EQ(std::tuple(webView->url()->absoluteString(), urlsOf(list.backList()),
                         list.forwardItem()->url().absoluteString()),
              std::tuple(server->url("/b"), std::vector<std::string>{server->url("/a")}, server->url("/c")));

    navigate([&] { webView->go(list.forwardItem()); });
    EXPECT_EQ(webView->title(), "c");
    EXPECT_EQ(urlsOf(list.backList()), (std::vector<std::string>{server->url("/a"), server->url("/b")}));

    navigate([&] { webView->go(list.backList().front()); });
    EXPECT_FALSE(webView->canGoBack());

    loadAndWait(server->url("/d"));
    EXPECT_EQ(urlsOf(list.backList()), (std::vector<std::string>{server->url("/a")}));
    EXPECT_EQ(list.forwardItem(), nullptr);
}

TEST_F(WebViewTest, ProgressObserversSeeRisingNewValuesUntilTheirObservationEnds) {
    auto server = TestServer::startHTTP();
    server->handle("GET", "/big", [](const TestRequest&) {
        return TestResponse{200, std::string(512 * 1024, 'x'), "text/plain", {}};
    });
    std::vector<double> seen;
    bool oldValueGiven = false;
    auto observation = webView->observeEstimatedProgress(
        foundation::NSKeyValueObservingOptions::new_, [&](WKWebView&, const auto& change) {
            oldValueGiven = oldValueGiven || change.oldValue.has_value();
            seen.push_back(change.newValue.value_or(-1));
        });

    loadAndWait(server->url("/big"));

    ASSERT_GE(seen.size(), 3u);
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end())) << ::testing::PrintToString(seen);
    EXPECT_GT(seen.front(), 0.0);
    EXPECT_EQ(std::tuple(seen.back(), oldValueGiven), std::tuple(1.0, false));

    seen.clear();
    observation.reset();
    loadAndWait(server->url("/big"));
    EXPECT_TRUE(seen.empty());
}

TEST_F(WebViewTest, FormPostsItsFieldsUrlEncodedAsAFormSubmission) {
    auto server = TestServer::startHTTP();
    server->handle("GET", "/form", [](const TestRequest&) {
        return page("form", "<form method='post' action='/login'>"
                            "<input name='user' value='old'><input type='hidden' name='step' value='1'>"
                            "<input type='checkbox' name='remember'><input type='submit' name='go'>"
                            "</form>");
    });
    server->handle("POST", "/login", [](const TestRequest&) { return page("welcome"); });
    loadAndWait(server->url("/form"));

    const auto calls = navigate([&] {
        ASSERT_TRUE(testing::SimulatedUser::submitForm(*webView, {{"user", "VY user & co"}}));
    });

    EXPECT_EQ(std::tuple(calls.front(), delegate->actions.at(0).request().httpMethod, webView->title()),
              std::tuple("policy form " + server->url("/login"), "POST", "welcome"));
    auto requests = server->requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(std::tuple(requests[1].body, requests[1].header("Content-Type")),
              std::tuple(std::string("user=VY+user+%26+co&step=1"), std::string("application/x-www-form-urlencoded")));
    EXPECT_FALSE(testing::SimulatedUser::submitForm(*webView, {}, 3));
}

// What a delegate reads while a navigation is under way (a trust challenge, a failure) is the
// URL being loaded; a failed one leaves the committed page's.
TEST_F(WebViewTest, UrlIsTheStartedNavigationsUntilItCommitsOrFails) {
    auto server = TestServer::startHTTP();
    servePages(*server, {"a", "b"});
    loadAndWait(server->url("/a"));
    server->holdResponses();
    delegate->clear();

    auto timingOut = requestFor(server->url("/b"));
    timingOut.timeoutInterval = 0.3;
    webView->load(timingOut);
    foundation::RunLoop::main().runUntilIdle();
    ASSERT_EQ(delegate->calls.back(), "start");
    EXPECT_EQ(std::tuple(webView->url()->absoluteString(), webView->title()),
              std::tuple(server->url("/b"), std::string("a")));

    delegate->waitForEnd();
    EXPECT_EQ(delegate->calls.back(), "fail NSURLErrorDomain -1001");
    EXPECT_EQ(webView->url()->absoluteString(), server->url("/a"));
}
