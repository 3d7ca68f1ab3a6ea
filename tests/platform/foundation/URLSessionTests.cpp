#include "platform/foundation/URLSession.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/foundation/URLError.hpp"
#include "platform/foundation/URLSessionTransport.hpp"
#include "support/TestCertificates.hpp"
#include "support/TestServer.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <optional>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace foundation;
using testsupport::TestCertificates;
using testsupport::TestIdentity;
using testsupport::TestRequest;
using testsupport::TestResponse;
using testsupport::TestServer;

namespace {

constexpr double completionBound = 15;  // seconds; only reached when something is broken

struct Result {
    std::optional<Data> data;
    std::optional<HTTPURLResponse> response;
    std::optional<Error> error;
    bool onMainThread = false;

    int errorCode() const { return error ? error->code : 0; }
    std::string body() const { return data ? stringFromData(*data) : std::string(); }
};

URLRequest requestFor(const std::string& text) {
    auto url = URL::string(text);
    EXPECT_TRUE(url.has_value()) << text;
    return URLRequest(*url);
}

// Starts the task and drives the main queue until its completion has run.
Result run(const std::shared_ptr<URLSession>& session, URLRequest request,
           std::shared_ptr<URLSessionDataTask>* started = nullptr) {
    std::optional<Result> result;
    auto task = session->dataTask(std::move(request), [&](auto data, auto response, auto error) {
        result = Result{std::move(data), std::move(response), std::move(error), isMainThread()};
    });
    if (started != nullptr) {
        *started = task;
    }
    task->resume();
    bool completed = RunLoop::main().runUntil([&] { return result.has_value(); }, completionBound);
    EXPECT_TRUE(completed) << "the task never completed";
    return result.value_or(Result{});
}

// Answers every challenge with what `respond` decides, and remembers what it was asked.
class ChallengeDelegate : public URLSessionDelegate {
public:
    using Responder =
        std::function<void(const URLAuthenticationChallenge&, URLAuthenticationChallengeHandler)>;
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
void trustTestAuthority(const URLAuthenticationChallenge& challenge,
                        URLAuthenticationChallengeHandler handler) {
    auto trust = challenge.protectionSpace().serverTrust();
    if (challenge.protectionSpace().authenticationMethod() != NSURLAuthenticationMethodServerTrust ||
        !trust) {
        handler(URLSessionAuthChallengeDisposition::cancelAuthenticationChallenge, std::nullopt);
        return;
    }
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

TEST_F(URLSessionTest, PlainHTTPDeliversStatusHeadersAndBodyOnTheMainQueue) {
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
    EXPECT_TRUE(result.onMainThread);
    EXPECT_EQ(result.body(), "hello VY ID");
    ASSERT_TRUE(result.response);
    EXPECT_EQ(result.response->statusCode(), 200);
    EXPECT_EQ(result.response->url().absoluteString(), server->url("/hello"));
    EXPECT_EQ(result.response->value("X-VY-TRACE"), "one, two");
    EXPECT_EQ(result.response->mimeType(), "text/plain");
    EXPECT_EQ(result.response->textEncodingName(), "utf-8");
    // The test server compresses text; the body arrives decoded, as on the platform.
    EXPECT_EQ(result.response->value("Content-Encoding").has_value(),
              result.response->expectedContentLength() != 11);
}

TEST_F(URLSessionTest, HTTPErrorStatusIsAResponseNotAnError) {
    auto server = TestServer::startHTTP();

    auto result = run(URLSession::make(), requestFor(server->url("/missing")));

    EXPECT_FALSE(result.error);
    ASSERT_TRUE(result.response);
    EXPECT_EQ(result.response->statusCode(), 404);
    EXPECT_EQ(result.body(), "not found");
}

TEST_F(URLSessionTest, SendsMethodHeadersAndBody) {
    auto server = TestServer::startHTTP();
    server->handle("PUT", "/items", [](const TestRequest& request) {
        return TestResponse{201, request.body, "application/json", {}};
    });
    URLSessionConfiguration configuration;
    configuration.httpAdditionalHeaders = {{"X-Client", "session"}, {"X-Both", "session"}};
    auto request = requestFor(server->url("/items"));
    request.httpMethod = "PUT";
    request.setValue("application/json", "Content-Type");
    request.setValue("request", "X-Both");
    request.httpBody = dataFromString(R"({"name":"VY Bank"})");

    auto result = run(URLSession::make(configuration), request);

    ASSERT_FALSE(result.error) << *result.error;
    EXPECT_EQ(result.response->statusCode(), 201);
    EXPECT_EQ(result.body(), R"({"name":"VY Bank"})");
    auto seen = server->requests();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].method, "PUT");
    EXPECT_EQ(seen[0].header("Content-Type"), "application/json");
    EXPECT_EQ(seen[0].header("X-Client"), "session");
    EXPECT_EQ(seen[0].header("X-Both"), "request");
    EXPECT_EQ(seen[0].header("Expect"), "") << "bodies go at once, without 100-continue";
}

TEST_F(URLSessionTest, FollowsRedirectsAndTurnsPostInto303GetWithoutBody) {
    auto server = TestServer::startHTTP();
    server->handle("POST", "/form", [](const TestRequest&) {
        return TestResponse{303, "", "text/plain", {{"Location", "/result?x=1"}}};
    });
    server->handle("GET", "/result", [](const TestRequest& request) {
        return TestResponse{200, "method " + request.method + " body [" + request.body + "]",
                            "text/plain", {}};
    });
    auto request = requestFor(server->url("/form"));
    request.httpMethod = "POST";
    request.httpBody = dataFromString("a=b");

    auto result = run(URLSession::make(), request);

    ASSERT_FALSE(result.error) << *result.error;
    EXPECT_EQ(result.body(), "method GET body []");
    EXPECT_EQ(result.response->url().absoluteString(), server->url("/result?x=1"));
}

TEST_F(URLSessionTest, EndlessRedirectsFail) {
    auto server = TestServer::startHTTP();
    server->handle("GET", "/loop", [](const TestRequest&) {
        return TestResponse{302, "", "text/plain", {{"Location", "/loop"}}};
    });

    auto result = run(URLSession::make(), requestFor(server->url("/loop")));

    EXPECT_EQ(result.errorCode(), NSURLErrorHTTPTooManyRedirects);
    EXPECT_FALSE(result.data);
}

TEST_F(URLSessionTest, SlowServerTimesOutAfterTheRequestsInterval) {
    auto server = TestServer::startHTTP();
    server->holdResponses();
    auto request = requestFor(server->url("/slow"));
    request.timeoutInterval = 0.3;

    auto started = std::chrono::steady_clock::now();
    auto result = run(URLSession::make(), request);
    auto elapsed = std::chrono::steady_clock::now() - started;

    EXPECT_EQ(result.errorCode(), NSURLErrorTimedOut);
    EXPECT_EQ(result.error->domain, "NSURLErrorDomain");
    EXPECT_FALSE(result.data);
    EXPECT_FALSE(result.response);
    EXPECT_EQ(server->requestCount(), 1u);
    EXPECT_GE(elapsed, std::chrono::milliseconds(300));
    EXPECT_LT(elapsed, std::chrono::seconds(5));
}

TEST_F(URLSessionTest, ConfigurationTimeoutAppliesWhenShorterThanTheRequests) {
    auto server = TestServer::startHTTP();
    server->holdResponses();
    URLSessionConfiguration configuration;
    configuration.timeoutIntervalForRequest = 0.3;

    auto started = std::chrono::steady_clock::now();
    auto result = run(URLSession::make(configuration), requestFor(server->url("/slow")));

    EXPECT_EQ(result.errorCode(), NSURLErrorTimedOut);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
}

TEST_F(URLSessionTest, RefusedConnectionCannotConnectToHost) {
    // A bound socket that does not listen refuses connections, and holding it keeps the port
    // from being reused by anyone else during the test.
    int socketFd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(socketFd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    socklen_t length = sizeof address;
    ::getsockname(socketFd, reinterpret_cast<sockaddr*>(&address), &length);
    auto port = std::to_string(ntohs(address.sin_port));

    auto result = run(URLSession::make(), requestFor("http://127.0.0.1:" + port + "/"));
    ::close(socketFd);

    EXPECT_EQ(result.errorCode(), NSURLErrorCannotConnectToHost);
}

TEST_F(URLSessionTest, UnsupportedSchemeFailsWithoutConnecting) {
    auto result = run(URLSession::make(), requestFor("ftp://127.0.0.1/file"));
    EXPECT_EQ(result.errorCode(), NSURLErrorUnsupportedURL);
}

TEST_F(URLSessionTest, TLSToAPlainServerIsASecureConnectionFailure) {
    auto server = TestServer::startHTTP();
    auto result = run(URLSession::make(),
                      requestFor("https://127.0.0.1:" + std::to_string(server->port()) + "/"));
    EXPECT_EQ(result.errorCode(), NSURLErrorSecureConnectionFailed);
}

TEST_F(URLSessionTest, TrustedServerIsAskedAboutThenServed) {
    auto server = TestServer::startHTTPS(TestCertificates::shared().localhost);
    server->handle("GET", "/secure", [](const TestRequest&) {
        return TestResponse{200, "secret page", "text/html", {}};
    });
    auto delegate = std::make_shared<ChallengeDelegate>(trustTestAuthority);

    auto result = run(sessionWith(delegate), requestFor(server->localhostURL("/secure")));

    ASSERT_FALSE(result.error) << *result.error;
    EXPECT_EQ(result.body(), "secret page");
    ASSERT_EQ(delegate->challenges.size(), 1u);
    EXPECT_TRUE(delegate->calledOnMainThread);
    const auto& space = delegate->challenges[0].protectionSpace();
    EXPECT_EQ(space.authenticationMethod(), NSURLAuthenticationMethodServerTrust);
    EXPECT_EQ(space.host(), "localhost");
    EXPECT_EQ(space.port(), server->port());
    EXPECT_EQ(space.protocol(), "https");
    ASSERT_TRUE(space.serverTrust());
    auto chain = space.serverTrust()->certificateChain();
    ASSERT_FALSE(chain.empty());
    EXPECT_EQ(chain[0].data(), TestCertificates::shared().localhost.certificateDER);
}

struct RefusedServer {
    const char* name;
    const TestIdentity TestCertificates::*identity;
};

class URLSessionRefusedTrust : public URLSessionTest,
                               public testing::WithParamInterface<RefusedServer> {};

// The delegate evaluates against the test authority and cancels: the task fails as cancelled
// and the server never sees a request, only the handshake that the client broke off.
TEST_P(URLSessionRefusedTrust, CancelledChallengeSendsNoRequest) {
    auto server = TestServer::startHTTPS(TestCertificates::shared().*GetParam().identity);
    auto delegate = std::make_shared<ChallengeDelegate>(trustTestAuthority);

    auto result = run(sessionWith(delegate), requestFor(server->localhostURL("/secure")));

    EXPECT_EQ(result.errorCode(), NSURLErrorCancelled);
    EXPECT_FALSE(result.data);
    EXPECT_EQ(delegate->challenges.size(), 1u);
    EXPECT_GE(server->handshakeCount(), 1u);
    EXPECT_EQ(server->requestCount(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Servers, URLSessionRefusedTrust,
                         testing::Values(RefusedServer{"untrusted", &TestCertificates::untrusted},
                                         RefusedServer{"selfSigned", &TestCertificates::selfSigned},
                                         RefusedServer{"wrongHost", &TestCertificates::wrongHost},
                                         RefusedServer{"expired", &TestCertificates::expired}),
                         [](const auto& tested) { return std::string(tested.param.name); });

TEST_F(URLSessionTest, UseCredentialProceedsEvenWhereTheSystemWouldRefuse) {
    auto server = TestServer::startHTTPS(TestCertificates::shared().selfSigned);
    server->handle("GET", "/", [](const TestRequest&) { return TestResponse{200, "pinned", "text/plain", {}}; });
    auto delegate = std::make_shared<ChallengeDelegate>([](const auto& challenge, auto handler) {
        handler(URLSessionAuthChallengeDisposition::useCredential,
                URLCredential(challenge.protectionSpace().serverTrust()));
    });

    auto result = run(sessionWith(delegate), requestFor(server->url("/")));

    ASSERT_FALSE(result.error) << *result.error;
    EXPECT_EQ(result.body(), "pinned");
    EXPECT_EQ(server->requestCount(), 1u);
}

TEST_F(URLSessionTest, CredentialForAnotherCertificateIsNotTrusted) {
    auto server = TestServer::startHTTPS(TestCertificates::shared().selfSigned);
    auto other = security::SecTrust::createForServer(
        {TestCertificates::shared().localhost.certificate()}, "127.0.0.1");
    auto delegate = std::make_shared<ChallengeDelegate>([other](const auto&, auto handler) {
        handler(URLSessionAuthChallengeDisposition::useCredential, URLCredential(other));
    });

    auto result = run(sessionWith(delegate), requestFor(server->url("/")));

    EXPECT_EQ(result.errorCode(), NSURLErrorServerCertificateUntrusted);
    EXPECT_EQ(server->requestCount(), 0u);
}

TEST_F(URLSessionTest, DefaultHandlingUsesTheSystemStoreWhichDoesNotKnowTheTestAuthority) {
    auto server = TestServer::startHTTPS(TestCertificates::shared().localhost);
    struct Case {
        const char* name;
        std::shared_ptr<URLSession> session;
    };
    auto answering = [this](URLSessionAuthChallengeDisposition disposition) {
        return sessionWith(std::make_shared<ChallengeDelegate>(
            [disposition](const auto&, auto handler) { handler(disposition, std::nullopt); }));
    };
    const Case cases[] = {
        {"no delegate", URLSession::make()},
        {"performDefaultHandling", answering(URLSessionAuthChallengeDisposition::performDefaultHandling)},
        {"rejectProtectionSpace", answering(URLSessionAuthChallengeDisposition::rejectProtectionSpace)},
        {"useCredential without credential", answering(URLSessionAuthChallengeDisposition::useCredential)},
    };
    for (const auto& test : cases) {
        auto result = run(test.session, requestFor(server->localhostURL("/")));
        EXPECT_EQ(result.errorCode(), NSURLErrorServerCertificateUntrusted) << test.name;
        ASSERT_TRUE(result.error) << test.name;
        EXPECT_NE(result.error->localizedDescription.find("not trusted"), std::string::npos)
            << result.error->localizedDescription;
    }
    EXPECT_EQ(server->requestCount(), 0u);
}

TEST_F(URLSessionTest, DelegateGoneMeansDefaultHandling) {
    auto server = TestServer::startHTTPS(TestCertificates::shared().localhost);
    auto delegate = std::make_shared<ChallengeDelegate>(trustTestAuthority);
    auto session = URLSession::make(URLSessionConfiguration::defaultConfiguration(), delegate);
    delegate.reset();

    auto result = run(session, requestFor(server->localhostURL("/")));

    EXPECT_EQ(result.errorCode(), NSURLErrorServerCertificateUntrusted);
}

TEST_F(URLSessionTest, HandlerDroppedUnansweredCancelsTheChallenge) {
    auto server = TestServer::startHTTPS(TestCertificates::shared().localhost);
    auto delegate = std::make_shared<ChallengeDelegate>([](const auto&, auto) {});

    auto result = run(sessionWith(delegate), requestFor(server->localhostURL("/")));

    EXPECT_EQ(result.errorCode(), NSURLErrorCancelled);
    EXPECT_EQ(server->requestCount(), 0u);
}

TEST_F(URLSessionTest, ChallengeMayBeAnsweredLaterFromAnotherThread) {
    auto server = TestServer::startHTTPS(TestCertificates::shared().localhost);
    server->handle("GET", "/", [](const TestRequest&) { return TestResponse{200, "late", "text/plain", {}}; });
    auto delegate = std::make_shared<ChallengeDelegate>([](const auto& challenge, auto handler) {
        DispatchQueue::global(DispatchQoS::UserInteractive).async([challenge, handler] {
            trustTestAuthority(challenge, handler);
        });
    });

    auto result = run(sessionWith(delegate), requestFor(server->localhostURL("/")));

    ASSERT_FALSE(result.error) << *result.error;
    EXPECT_EQ(result.body(), "late");
}

TEST_F(URLSessionTest, CancelWhileTheDelegateThinksStopsAtOnce) {
    auto server = TestServer::startHTTPS(TestCertificates::shared().localhost);
    URLAuthenticationChallengeHandler kept;
    std::shared_ptr<URLSessionDataTask> task;
    auto delegate = std::make_shared<ChallengeDelegate>([&](const auto&, auto handler) {
        kept = handler;
        task->cancel();
    });
    std::optional<Result> result;
    task = sessionWith(delegate)->dataTask(requestFor(server->localhostURL("/")),
                                           [&](auto data, auto, auto error) {
                                               result = Result{data, std::nullopt, error};
                                           });
    task->resume();

    ASSERT_TRUE(RunLoop::main().runUntil([&] { return result.has_value(); }, completionBound));
    EXPECT_EQ(result->errorCode(), NSURLErrorCancelled);
    EXPECT_EQ(task->state(), URLSessionDataTask::State::completed);
    // Answering after the end changes nothing.
    kept(URLSessionAuthChallengeDisposition::performDefaultHandling, std::nullopt);
    EXPECT_EQ(server->requestCount(), 0u);
}

TEST_F(URLSessionTest, CancelWhileWaitingForTheServer) {
    auto server = TestServer::startHTTP();
    server->holdResponses();
    std::optional<Result> result;
    int completions = 0;
    auto task = URLSession::make()->dataTask(requestFor(server->url("/slow")),
                                             [&](auto data, auto, auto error) {
                                                 ++completions;
                                                 result = Result{data, std::nullopt, error};
                                             });
    task->resume();
    ASSERT_TRUE(server->waitForRequests(1, std::chrono::seconds(10)));

    task->cancel();
    task->cancel();

    ASSERT_TRUE(RunLoop::main().runUntil([&] { return result.has_value(); }, completionBound));
    EXPECT_EQ(result->errorCode(), NSURLErrorCancelled);
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(completions, 1);
}

TEST_F(URLSessionTest, CancelBeforeResumeCompletesOnceAndNeverConnects) {
    auto server = TestServer::startHTTP();
    int completions = 0;
    std::optional<Error> error;
    auto task = URLSession::make()->dataTask(requestFor(server->url("/")), [&](auto, auto, auto e) {
        ++completions;
        error = e;
    });
    EXPECT_EQ(task->state(), URLSessionDataTask::State::suspended);

    task->cancel();
    task->resume();
    RunLoop::main().runUntilIdle();

    EXPECT_EQ(completions, 1);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->code, NSURLErrorCancelled);
    EXPECT_EQ(task->state(), URLSessionDataTask::State::completed);
    EXPECT_EQ(server->requestCount(), 0u);
}

TEST_F(URLSessionTest, ATaskNobodyHoldsStillCompletes) {
    auto server = TestServer::startHTTP();
    server->handle("GET", "/", [](const TestRequest&) { return TestResponse{200, "ok", "text/plain", {}}; });
    std::optional<int> status;
    URLSession::make()
        ->dataTask(requestFor(server->url("/")),
                   [&](auto, auto response, auto) { status = response ? response->statusCode() : -1; })
        ->resume();

    ASSERT_TRUE(RunLoop::main().runUntil([&] { return status.has_value(); }, completionBound));
    EXPECT_EQ(status, 200);
}

TEST_F(URLSessionTest, CompletionRunsOnTheGivenQueue) {
    auto server = TestServer::startHTTP();
    auto session = URLSession::make(URLSessionConfiguration::defaultConfiguration(), {},
                                    &DispatchQueue::global());
    std::promise<bool> onMain;
    session->dataTask(requestFor(server->url("/")), [&](auto, auto, auto) {
        onMain.set_value(isMainThread());
    })->resume();

    auto future = onMain.get_future();
    ASSERT_EQ(future.wait_for(std::chrono::seconds(15)), std::future_status::ready);
    EXPECT_FALSE(future.get());
}

TEST(URLSessionTransport, CurlFailuresMapToPlatformCodes) {
    struct Case {
        int curlCode;
        int osErrno;
        int expected;
    };
    // Numeric CURLcode values are part of libcurl's stable interface.
    const Case cases[] = {
        {0, 0, 0},                                      // CURLE_OK
        {1, 0, NSURLErrorUnsupportedURL},               // CURLE_UNSUPPORTED_PROTOCOL
        {3, 0, NSURLErrorBadURL},                       // CURLE_URL_MALFORMAT
        {6, 0, NSURLErrorCannotFindHost},               // CURLE_COULDNT_RESOLVE_HOST
        {7, ECONNREFUSED, NSURLErrorCannotConnectToHost},  // CURLE_COULDNT_CONNECT
        {7, ENETUNREACH, NSURLErrorNotConnectedToInternet},
        {7, ENETDOWN, NSURLErrorNotConnectedToInternet},
        {28, 0, NSURLErrorTimedOut},                    // CURLE_OPERATION_TIMEDOUT
        {35, 0, NSURLErrorSecureConnectionFailed},      // CURLE_SSL_CONNECT_ERROR
        {60, 0, NSURLErrorServerCertificateUntrusted},  // CURLE_PEER_FAILED_VERIFICATION
        {52, 0, NSURLErrorNetworkConnectionLost},       // CURLE_GOT_NOTHING
        {56, 0, NSURLErrorNetworkConnectionLost},       // CURLE_RECV_ERROR
        {42, 0, NSURLErrorCancelled},                   // CURLE_ABORTED_BY_CALLBACK
        {8, 0, NSURLErrorBadServerResponse},            // CURLE_WEIRD_SERVER_REPLY
        {27, 0, NSURLErrorUnknown},                     // CURLE_OUT_OF_MEMORY
    };
    for (const auto& test : cases) {
        EXPECT_EQ(urlErrorCodeForCurl(test.curlCode, test.osErrno), test.expected)
            << "curl code " << test.curlCode;
    }
}

TEST(URLError, CarriesDomainCodeAndASentence) {
    auto error = makeURLError(NSURLErrorTimedOut);
    EXPECT_EQ(error.domain, "NSURLErrorDomain");
    EXPECT_EQ(error.code, -1001);
    EXPECT_FALSE(error.localizedDescription.empty());
    EXPECT_EQ(makeURLError(NSURLErrorUnknown, "curl said no").localizedDescription, "curl said no");
}

TEST(HTTPURLResponse, ReadsContentTypeAndLengthLeniently) {
    struct Case {
        std::vector<std::pair<std::string, std::string>> headers;
        std::optional<std::string> mimeType;
        std::optional<std::string> charset;
        std::int64_t length;
    };
    const Case cases[] = {
        {{{"Content-Type", "Text/HTML; Charset=\"UTF-8\""}, {"Content-Length", "42"}},
         "text/html", "utf-8", 42},
        {{{"content-type", "image/png"}, {"content-length", " 7 "}}, "image/png", std::nullopt, 7},
        {{{"Content-Type", "; charset=utf-8"}, {"Content-Length", "-3"}}, std::nullopt, "utf-8", -1},
        {{{"Content-Length", "12abc"}}, std::nullopt, std::nullopt, -1},
        {{}, std::nullopt, std::nullopt, -1},
    };
    auto url = *URL::string("https://vy.example/");
    for (const auto& test : cases) {
        HTTPURLResponse response(url, 200, test.headers);
        EXPECT_EQ(response.mimeType(), test.mimeType);
        EXPECT_EQ(response.textEncodingName(), test.charset);
        EXPECT_EQ(response.expectedContentLength(), test.length);
    }
}

} // namespace
