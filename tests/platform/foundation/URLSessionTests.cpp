#include "platform/foundation/URLSession.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/foundation/HTTPTransport.hpp"
#include "platform/foundation/URLError.hpp"
#include "support/TestCertificates.hpp"
#include "support/TestServer.hpp"

#include <gmock/gmock.h>

#include <cerrno>
#include <chrono>
#include <future>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

using namespace foundation;
using testsupport::TestCertificates;
using testsupport::TestRequest;
using testsupport::TestResponse;
using testsupport::TestServer;

namespace {

constexpr double completionBound = 15; // seconds; only reached when something is broken

struct Result {
    std::optional<Data> data;
    std::optional<HTTPURLResponse> response;
    std::optional<Error> error;
    bool onMainThread = false;

    int errorCode() const { return error ? error->code : 0; }
    std::string body() const { return data ? stringFromData(*data) : std::string(); }
};

URLRequest requestFor(const std::string& text) { return URLRequest(URL::string(text).value()); }

// A task made but not resumed, with what its completion was given and how often it ran.
struct Pending {
    std::shared_ptr<URLSessionDataTask> task;
    std::optional<Result> result;
    int completions = 0;

    // Drives the main queue until the completion has run.
    Result wait() {
        EXPECT_TRUE(RunLoop::main().runUntil([&] { return result.has_value(); }, completionBound));
        return result.value_or(Result{});
    }
};

std::shared_ptr<Pending> start(const std::shared_ptr<URLSession>& session, URLRequest request) {
    auto pending = std::make_shared<Pending>();
    pending->task = session->dataTask(std::move(request), [raw = pending.get()](auto data, auto response, auto error) {
        ++raw->completions;
        raw->result = Result{std::move(data), std::move(response), std::move(error), isMainThread()};
    });
    return pending;
}

Result run(const std::shared_ptr<URLSession>& session, URLRequest request) {
    auto pending = start(session, std::move(request));
    pending->task->resume();
    return pending->wait();
}

// Answers every challenge with what `respond` decides, and remembers what it was asked.
class ChallengeDelegate : public URLSessionDelegate {
public:
    using Responder = std::function<void(const URLAuthenticationChallenge&, URLAuthenticationChallengeHandler)>;
    explicit ChallengeDelegate(Responder respond) : respond_(std::move(respond)) {}

    void urlSession(URLSession&, const URLAuthenticationChallenge& challenge,
                    URLAuthenticationChallengeHandler completionHandler) override {
        challenges.push_back(challenge);
        calledOnMainThread = isMainThread();
        respond_(challenge, std::move(completionHandler));
    }

    std::vector<URLAuthenticationChallenge> challenges;
    bool calledOnMainThread = false;

private:
    Responder respond_;
};

// What the SDK's certificate service does: trust only the test authority, for the host asked.
void trustTestAuthority(const URLAuthenticationChallenge& challenge, URLAuthenticationChallengeHandler handler) {
    auto trust = challenge.protectionSpace().serverTrust();
    ASSERT_TRUE(trust);
    trust->setAnchorCertificates({TestCertificates::shared().authority.certificate()});
    trust->setPolicy(security::SecPolicy::createSSL(true, challenge.protectionSpace().host()));
    if (trust->evaluate().trusted) {
        handler(URLSessionAuthChallengeDisposition::useCredential, URLCredential(trust));
    } else {
        handler(URLSessionAuthChallengeDisposition::cancelAuthenticationChallenge, std::nullopt);
    }
}

class URLSessionTest : public testing::Test {
protected:
    void SetUp() override { RunLoop::main().discardPending(); }

    std::shared_ptr<URLSession> sessionWith(std::shared_ptr<ChallengeDelegate> delegate) {
        delegates_.push_back(delegate);
        return URLSession::make(URLSessionConfiguration::defaultConfiguration(), delegate);
    }

private:
    std::vector<std::shared_ptr<ChallengeDelegate>> delegates_;
};

TEST_F(URLSessionTest, PlainHTTPDeliversStatusHeadersAndBodyOnTheMainQueueAfterRedirects) {
    auto server = TestServer::startHTTP();
    server->handle("GET", "/hello", [](const TestRequest&) {
        TestResponse response;
        response.body = "hello VY ID";
        response.contentType = "text/plain; charset=utf-8";
        response.headers = {{"X-VY-Trace", "one"}, {"x-vy-trace", "two"}};
        return response;
    });

    auto result = run(URLSession::make(), requestFor(server->url("/hello")));

    ASSERT_FALSE(result.error) << *result.error;
    const auto& response = result.response.value();
    EXPECT_EQ(std::tuple(result.onMainThread, result.body(), response.statusCode(), response.url().absoluteString(),
                         response.value("X-VY-TRACE"), response.mimeType()),
              std::tuple(true, "hello VY ID", 200, server->url("/hello"), "one, two", "text/plain"));

    // A relative redirect is followed; the response tells where the body came from.
    server->handle("GET", "/old", [](const TestRequest&) {
        return TestResponse{302, "", "text/plain", {{"Location", "/hello?x=1"}}};
    });
    auto moved = run(URLSession::make(), requestFor(server->url("/old")));
    EXPECT_EQ(std::tuple(moved.body(), moved.response.value().url().absoluteString()),
              std::tuple(std::string("hello VY ID"), server->url("/hello?x=1")));
}

// A refused connection and an HTTP error status go through the SDK's network service in its
// own tests.
TEST_F(URLSessionTest, TransportFailuresCarryTheirPlatformCodesAndNoData) {
    auto server = TestServer::startHTTP();
    server->handle("GET", "/loop", [](const TestRequest&) {
        return TestResponse{302, "", "text/plain", {{"Location", "/loop"}}};
    });
    auto slow = TestServer::startHTTP();
    slow->holdResponses();
    auto timingOut = requestFor(slow->url("/slow"));
    timingOut.timeoutInterval = 0.3;
    const std::tuple<const char*, URLRequest, int> cases[] = {
        {"unsupported scheme", requestFor("ftp://127.0.0.1/file"), NSURLErrorUnsupportedURL},
        {"TLS to a plain server", requestFor("https://127.0.0.1:" + std::to_string(server->port()) + "/"),
         NSURLErrorSecureConnectionFailed},
        {"endless redirects", requestFor(server->url("/loop")), NSURLErrorHTTPTooManyRedirects},
        {"time-out", timingOut, NSURLErrorTimedOut},
    };
    for (const auto& [name, request, code] : cases) {
        auto result = run(URLSession::make(), request);
        EXPECT_EQ(std::tuple(result.errorCode(), result.error.value().domain, result.data.has_value(),
                             result.response.has_value()),
                  std::tuple(code, "NSURLErrorDomain", false, false))
            << name;
    }
}

// The delegate is asked on the main queue with the host and the server's real chain. One that
// never answers fails the task as cancelled, and the server never sees a request, only the
// handshake that the client broke off. (Trusted and refused certificates go through the SDK's
// network service in its own tests.)
TEST_F(URLSessionTest, ChallengeCarriesTheServersChainAndAnUnansweredOneSendsNoRequest) {
    auto server = TestServer::startHTTPS(TestCertificates::shared().localhost);
    auto delegate = std::make_shared<ChallengeDelegate>([](const auto&, auto) {});

    auto result = run(sessionWith(delegate), requestFor(server->localhostURL("/secure")));

    EXPECT_EQ(std::tuple(result.errorCode(), result.data.has_value(), delegate->challenges.size(),
                         delegate->calledOnMainThread, server->requestCount()),
              std::tuple(NSURLErrorCancelled, false, 1u, true, 0u));
    const auto& space = delegate->challenges.at(0).protectionSpace();
    EXPECT_EQ(std::tuple(space.authenticationMethod(), space.host()),
              std::tuple(std::string(NSURLAuthenticationMethodServerTrust), std::string("localhost")));
    ASSERT_TRUE(space.serverTrust());
    EXPECT_EQ(space.serverTrust()->certificateChain().at(0).data(),
              TestCertificates::shared().localhost.certificateDER);
    EXPECT_GE(server->handshakeCount(), 1u);
}

// A credential of the server's own trust proceeds even where the system would refuse; one of
// another certificate's trust does not.
TEST_F(URLSessionTest, UseCredentialTrustsExactlyTheServersOwnTrust) {
    auto server = TestServer::startHTTPS(TestCertificates::shared().selfSigned);
    server->handle("GET", "/", [](const TestRequest&) { return TestResponse{200, "pinned", "text/plain", {}}; });
    auto other = security::SecTrust::createForServer({TestCertificates::shared().localhost.certificate()}, "127.0.0.1");
    for (const bool own : {false, true}) {
        auto delegate = std::make_shared<ChallengeDelegate>([own, other](const auto& challenge, auto handler) {
            handler(URLSessionAuthChallengeDisposition::useCredential,
                    URLCredential(own ? challenge.protectionSpace().serverTrust() : other));
        });

        auto result = run(sessionWith(delegate), requestFor(server->url("/")));

        EXPECT_EQ(std::tuple(result.errorCode(), result.body(), server->requestCount()),
                  std::tuple(own ? 0 : NSURLErrorServerCertificateUntrusted, own ? "pinned" : "", own ? 1u : 0u))
            << own;
    }
}

TEST_F(URLSessionTest, DefaultHandlingUsesTheSystemStoreWhichDoesNotKnowTheTestAuthority) {
    auto server = TestServer::startHTTPS(TestCertificates::shared().localhost);
    auto answering = [this](URLSessionAuthChallengeDisposition disposition) {
        return sessionWith(std::make_shared<ChallengeDelegate>(
            [disposition](const auto&, auto handler) { handler(disposition, std::nullopt); }));
    };
    auto released = std::make_shared<ChallengeDelegate>(trustTestAuthority);
    auto orphaned = URLSession::make(URLSessionConfiguration::defaultConfiguration(), released);
    released.reset();
    const std::pair<const char*, std::shared_ptr<URLSession>> cases[] = {
        {"no delegate", URLSession::make()},
        {"performDefaultHandling", answering(URLSessionAuthChallengeDisposition::performDefaultHandling)},
        {"rejectProtectionSpace", answering(URLSessionAuthChallengeDisposition::rejectProtectionSpace)},
        {"useCredential without credential", answering(URLSessionAuthChallengeDisposition::useCredential)},
        {"delegate released", orphaned},
    };
    for (const auto& [name, session] : cases) {
        auto result = run(session, requestFor(server->localhostURL("/")));
        EXPECT_EQ(result.errorCode(), NSURLErrorServerCertificateUntrusted) << name;
        EXPECT_THAT(result.error.value().localizedDescription, testing::HasSubstr("not trusted"));
    }
    EXPECT_EQ(server->requestCount(), 0u);
}

// Cancelled before it is resumed, while the server is slow or while the delegate thinks about
// the server's certificate, a task completes once, as cancelled; before the server's answer no
// request reaches it.
TEST_F(URLSessionTest, CancelCompletesTheTaskOnceAsCancelled) {
    auto expectCancelledOnce = [](Pending& pending) {
        EXPECT_EQ(pending.wait().errorCode(), NSURLErrorCancelled);
        RunLoop::main().runUntilIdle();
        EXPECT_EQ(std::tuple(pending.completions, pending.task->state()),
                  std::tuple(1, URLSessionDataTask::State::completed));
    };
    auto server = TestServer::startHTTP();
    auto beforeResume = start(URLSession::make(), requestFor(server->url("/")));
    EXPECT_EQ(beforeResume->task->state(), URLSessionDataTask::State::suspended);
    beforeResume->task->cancel();
    beforeResume->task->resume();
    RunLoop::main().runUntilIdle();
    ASSERT_TRUE(beforeResume->result) << "completes at once";
    expectCancelledOnce(*beforeResume);
    EXPECT_EQ(server->requestCount(), 0u);

    server->holdResponses();
    auto waiting = start(URLSession::make(), requestFor(server->url("/slow")));
    waiting->task->resume();
    ASSERT_TRUE(server->waitForRequests(1, std::chrono::seconds(10)));
    waiting->task->cancel();
    waiting->task->cancel();
    expectCancelledOnce(*waiting);

    auto secure = TestServer::startHTTPS(TestCertificates::shared().localhost);
    URLAuthenticationChallengeHandler kept;
    std::shared_ptr<Pending> thinking;
    auto delegate = std::make_shared<ChallengeDelegate>([&](const auto&, auto handler) {
        kept = handler;
        thinking->task->cancel();
    });
    thinking = start(sessionWith(delegate), requestFor(secure->localhostURL("/")));
    thinking->task->resume();
    expectCancelledOnce(*thinking);
    // Answering after the end changes nothing.
    kept(URLSessionAuthChallengeDisposition::performDefaultHandling, std::nullopt);
    EXPECT_EQ(secure->requestCount(), 0u);
}

TEST_F(URLSessionTest, ATaskNobodyHoldsCompletesOnTheSessionsQueue) {
    auto server = TestServer::startHTTP();
    server->handle("GET", "/", [](const TestRequest&) { return TestResponse{200, "ok", "text/plain", {}}; });
    std::promise<std::pair<int, bool>> statusAndMain;
    URLSession::make(URLSessionConfiguration::defaultConfiguration(), {}, &DispatchQueue::global())
        ->dataTask(requestFor(server->url("/")),
                   [&](auto, auto response, auto) {
                       statusAndMain.set_value({response ? response->statusCode() : -1, isMainThread()});
                   })
        ->resume();

    auto future = statusAndMain.get_future();
    ASSERT_EQ(future.wait_for(std::chrono::seconds(15)), std::future_status::ready);
    EXPECT_EQ(future.get(), std::make_pair(200, false));
}

// A secure request once followed a redirect to plain HTTP, and the caller's credentials went
// along in clear text, to whatever host the server named.
TEST_F(URLSessionTest, RedirectsNeverLeaveHTTPSAndCredentialsStayWithTheirOrigin) {
    auto plain = TestServer::startHTTP();
    auto other = TestServer::startHTTP();
    auto secure = TestServer::startHTTPS(TestCertificates::shared().localhost);
    const auto echo = [](const TestRequest& request) {
        return TestResponse{200, request.header("Authorization") + "|" + request.header("Cookie"), "text/plain", {}};
    };
    const auto redirectTo = [](std::string location) {
        return [location](const TestRequest&) { return TestResponse{302, "", "text/plain", {{"Location", location}}}; };
    };
    plain->handle("GET", "/echo", echo);
    other->handle("GET", "/echo", echo);
    plain->handle("GET", "/same", redirectTo("/echo"));
    plain->handle("GET", "/away", redirectTo(other->url("/echo")));
    secure->handle("GET", "/down", redirectTo(plain->url("/echo")));
    auto withCredentials = [](std::string url) {
        auto request = requestFor(url);
        request.setValue("Bearer VY", "Authorization");
        request.setValue("session=1", "Cookie");
        return request;
    };

    auto down = run(sessionWith(std::make_shared<ChallengeDelegate>(trustTestAuthority)),
                    withCredentials(secure->localhostURL("/down")));
    EXPECT_EQ(down.errorCode(), NSURLErrorAppTransportSecurityRequiresSecureConnection);
    EXPECT_EQ(plain->requestCount(), 0u);

    EXPECT_EQ(run(URLSession::make(), withCredentials(plain->url("/same"))).body(), "Bearer VY|session=1");
    EXPECT_EQ(run(URLSession::make(), withCredentials(plain->url("/away"))).body(), "|");
}

// 1 MiB of gzip once became 1 GiB in memory; too many or too large header fields, as a hostile
// server sends them, once took seconds to merge.
TEST_F(URLSessionTest, ResponsesPastTheSessionsLimitsFail) {
    auto server = TestServer::startHTTP();
    server->handle("GET", "/large", [](const TestRequest&) {
        return TestResponse{200, std::string(1024 * 1024, 'a'), "text/plain", {}};
    });
    const auto fields = [](int count, std::size_t length) {
        return [=](const TestRequest&) {
            TestResponse response;
            for (int i = 0; i < count; ++i) {
                response.headers.emplace_back("X-VY-" + std::to_string(i), std::string(length, 'v'));
            }
            return response;
        };
    };
    server->handle("GET", "/many", fields(10'000, 1));
    server->handle("GET", "/long", fields(40, 7 * 1024));
    auto configuration = URLSessionConfiguration::defaultConfiguration();
    configuration.httpLimits.maximumBodyBytes = 64 * 1024; // well above the compressed size
    const std::pair<const char*, int> cases[] = {
        {"/large", NSURLErrorDataLengthExceedsMaximum},
        {"/many", NSURLErrorBadServerResponse},
        {"/long", NSURLErrorBadServerResponse},
    };
    for (const auto& [path, code] : cases) {
        auto result = run(URLSession::make(configuration), requestFor(server->url(path)));
        EXPECT_EQ(std::tuple(result.errorCode(), result.data.has_value()), std::tuple(code, false)) << path;
    }
}

TEST(HTTPURLResponseTest, RepeatedFieldsMergeInLinearTime) {
    std::vector<std::pair<std::string, std::string>> fields;
    for (int i = 0; i < 20'000; ++i) {
        fields.emplace_back("X-VY-" + std::to_string(i % 10'000), std::to_string(i));
    }
    auto started = std::chrono::steady_clock::now();
    HTTPURLResponse response(*URL::string("http://127.0.0.1/"), 200, fields);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2));
    EXPECT_EQ(std::tuple(response.value("x-vy-0"), response.value("x-vy-9999")), std::tuple("0, 10000", "9999, 19999"));
}

TEST(URLSessionTransport, CurlFailuresMapToPlatformCodes) {
    // Failures a local server cannot stage; numeric CURLcode values are part of libcurl's
    // stable interface.
    const std::tuple<int, int, int> cases[] = {
        {6, 0, NSURLErrorCannotFindHost},                   // CURLE_COULDNT_RESOLVE_HOST
        {7, ENETUNREACH, NSURLErrorNotConnectedToInternet}, // CURLE_COULDNT_CONNECT
        {27, 0, NSURLErrorUnknown},                         // CURLE_OUT_OF_MEMORY
    };
    for (const auto& [curlCode, osErrno, expected] : cases) {
        EXPECT_EQ(transport::urlErrorCodeForCurl(curlCode, osErrno), expected) << "curl code " << curlCode;
    }
}

} // namespace
