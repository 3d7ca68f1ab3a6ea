#include "WebViewTestSupport.hpp"

#include "platform/foundation/URLError.hpp"
#include "platform/security/SecTrust.hpp"
#include "support/RawServer.hpp"
#include "support/TestCertificates.hpp"
#include "support/TestServer.hpp"

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace webtest;
using foundation::URLAuthenticationChallenge;
using foundation::URLAuthenticationChallengeHandler;
using foundation::URLSessionAuthChallengeDisposition;
using testsupport::RawServer;
using testsupport::TestCertificates;
using testsupport::TestRequest;
using testsupport::TestResponse;
using testsupport::TestServer;

namespace {

TestResponse redirectTo(const std::string& location, std::vector<std::pair<std::string, std::string>> more = {}) {
    more.emplace_back("Location", location);
    return TestResponse{302, "", "text/plain", std::move(more)};
}

// What the SDK's certificate service does: trust the test authority, for the host asked.
void trustTestAuthority(const URLAuthenticationChallenge& challenge, URLAuthenticationChallengeHandler handler) {
    auto trust = challenge.protectionSpace().serverTrust();
    trust->setAnchorCertificates({TestCertificates::shared().authority.certificate()});
    handler(URLSessionAuthChallengeDisposition::useCredential, foundation::URLCredential(trust));
}

} // namespace

// Each redirect is a navigation action of its own; the cookie the first answer set goes along.
TEST_F(WebViewTest, RedirectChainAsksAboutEachHopAndKeepsTheSessionCookie) {
    auto server = TestServer::startHTTP();
    server->handle("GET", "/login", [](const TestRequest&) {
        return redirectTo("step", {{"Set-Cookie", "session=vy42; Path=/"}});
    });
    server->handle("GET", "/step", [&](const TestRequest&) { return redirectTo(server->url("/home")); });
    server->handle("GET", "/home", [](const TestRequest& request) {
        return TestResponse{200, "<title>" + request.header("Cookie") + "</title>", "text/html", {}};
    });

    auto calls = loadAndWait(server->url("/login"));

    EXPECT_EQ(calls, (std::vector<std::string>{"policy other " + server->url("/login"), "start",
                                               "policy other " + server->url("/step"), "redirect",
                                               "policy other " + server->url("/home"), "redirect", "response 200",
                                               "commit", "finish"}));
    auto item = webView->backForwardList().currentItem();
    EXPECT_EQ(std::tuple(webView->title(), item->url().absoluteString(), item->initialURL().absoluteString()),
              std::tuple("session=vy42", server->url("/home"), server->url("/login")));
}

// The challenge carries the host and the server's real chain; nothing is sent before it is
// answered, and nothing at all when it is refused.
TEST_F(WebViewTest, ServerTrustIsAskedBeforeAnyRequestByte) {
    const auto& certificates = TestCertificates::shared();
    auto server = TestServer::startHTTPS(certificates.localhost);
    servePages(*server, {"secure"});
    std::vector<std::vector<security::SecCertificate>> chains;
    for (bool accept : {false, true}) {
        delegate->answerChallenge = [&, accept](const URLAuthenticationChallenge& challenge, auto handler) {
            chains.push_back(challenge.protectionSpace().serverTrust()->certificateChain());
            EXPECT_EQ(server->requestCount(), 0u);
            if (accept) {
                trustTestAuthority(challenge, std::move(handler));
            } else {
                handler(URLSessionAuthChallengeDisposition::cancelAuthenticationChallenge, std::nullopt);
            }
        };

        auto calls = loadAndWait(server->localhostURL("/secure"));

        EXPECT_EQ(
            std::tuple(calls.at(2), calls.back(), server->requestCount()),
            std::tuple("challenge localhost", accept ? "finish" : "fail NSURLErrorDomain -999", accept ? 1u : 0u));
        EXPECT_GE(server->handshakeCount(), 1u);
    }
    ASSERT_EQ(chains.size(), 2u);
    EXPECT_EQ(chains[0].at(0).data(), certificates.localhost.certificateDER);
    EXPECT_EQ(webView->title(), "secure");
}

// Every failure ends the provisional navigation with its code and leaves the web view usable.
TEST_F(WebViewTest, TransportFailuresFailTheProvisionalNavigationWithTheirCodes) {
    // A bound socket that does not listen refuses connections and keeps its port taken.
    int refusing = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(refusing, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    socklen_t length = sizeof address;
    ::getsockname(refusing, reinterpret_cast<sockaddr*>(&address), &length);

    auto server = TestServer::startHTTP();
    server->handle("GET", "/loop", [](const TestRequest&) { return redirectTo("/loop"); });
    servePages(*server, {"fine"});
    auto slow = TestServer::startHTTP();
    slow->holdResponses();
    auto wrongHost = TestServer::startHTTPS(TestCertificates::shared().wrongHost);
    auto cutShort = RawServer::start("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nonly this");
    auto badRedirect = RawServer::start("HTTP/1.1 302 Found\r\nLocation: http://[bad\r\nContent-Length: 0\r\n\r\n");
    auto endless = RawServer::start("HTTP/1.1 200 OK\r\n", RawServer::Ending::endlessHeaders);

    auto timingOut = requestFor(slow->url("/slow"));
    timingOut.timeoutInterval = 0.3;
    const std::tuple<const char*, URLRequest, int> cases[] = {
        {"refused", requestFor("http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/"),
         foundation::NSURLErrorCannotConnectToHost},
        {"time-out", timingOut, foundation::NSURLErrorTimedOut},
        {"closed mid-response", requestFor(cutShort->url("/")), foundation::NSURLErrorNetworkConnectionLost},
        {"certificate for another host", requestFor(wrongHost->localhostURL("/")),
         foundation::NSURLErrorServerCertificateUntrusted},
        {"redirect loop", requestFor(server->url("/loop")), foundation::NSURLErrorHTTPTooManyRedirects},
        {"malformed redirect", requestFor(badRedirect->url("/")), foundation::NSURLErrorBadServerResponse},
        {"headers without end", requestFor(endless->url("/")), foundation::NSURLErrorBadServerResponse},
    };
    for (const auto& [name, request, code] : cases) {
        loadAndWait(request);
        ASSERT_EQ(delegate->errors.size(), 1u) << name;
        EXPECT_EQ(std::tuple(delegate->errors[0].domain, delegate->errors[0].code, webView->isLoading()),
                  std::tuple(foundation::NSURLErrorDomain, code, false))
            << name;
    }
    EXPECT_EQ(wrongHost->requestCount(), 0u);
    EXPECT_EQ(server->requestCount(), 21u) << "the first request and 20 redirects";

    loadAndWait(server->url("/fine"));
    EXPECT_EQ(webView->title(), "fine");
    ::close(refusing);
    slow->releaseResponses();
}

// A body longer than the length the server announced is cut at that length, as browsers do.
TEST_F(WebViewTest, BodyPastItsAnnouncedLengthIsCutThere) {
    auto server = RawServer::start("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: 20\r\n\r\n"
                                   "<title>short</title><a href='/x'>extra</a>");

    loadAndWait(server->url("/"));

    EXPECT_EQ(std::tuple(webView->title(), webView->page()->links.size()),
              std::tuple(std::string("short"), std::size_t{0}));
}

// A delegate that never answers a challenge keeps that navigation pending; a new load goes on,
// and a web view released in the middle of a load ends it without a word to its delegate.
TEST_F(WebViewTest, PendingChallengeAndReleasedWebViewEndCleanly) {
    auto secure = TestServer::startHTTPS(TestCertificates::shared().localhost);
    auto plain = TestServer::startHTTP();
    servePages(*plain, {"next"});
    URLAuthenticationChallengeHandler kept;
    delegate->answerChallenge = [&](const auto&, auto handler) { kept = std::move(handler); };
    webView->load(requestFor(secure->localhostURL("/")));
    ASSERT_TRUE(foundation::RunLoop::main().runUntil([&] { return kept != nullptr; }, loadBound));

    delegate->clear();
    webView->load(requestFor(plain->url("/next")));
    ASSERT_TRUE(foundation::RunLoop::main().runUntil(
        [&] { return !delegate->calls.empty() && delegate->calls.back() == "finish"; }, loadBound));
    EXPECT_EQ(std::tuple(delegate->calls.front(), webView->title()),
              std::tuple(std::string("fail NSURLErrorDomain -999"), std::string("next")));
    kept(URLSessionAuthChallengeDisposition::performDefaultHandling, std::nullopt);
    EXPECT_EQ(secure->requestCount(), 0u);

    plain->holdResponses();
    delegate->clear();
    webView->load(requestFor(plain->url("/next")));
    ASSERT_TRUE(foundation::RunLoop::main().runUntil([&] { return plain->requestCount() == 2; }, loadBound));
    std::weak_ptr<WKWebView> released = webView;
    webView.reset();
    plain->releaseResponses();
    foundation::RunLoop::main().runUntilIdle();
    EXPECT_TRUE(released.expired());
    EXPECT_EQ(delegate->calls, (std::vector<std::string>{"policy other " + plain->url("/next"), "start"}));
}
