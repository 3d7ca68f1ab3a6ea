#pragma once

// The HTTP transport that the platform's clients share: URLSession's data tasks and the web
// view's loading engine. One exchange is one request on a fresh connection of its own; over
// HTTPS the server's trust is decided inside the TLS handshake, before any request byte leaves.
// Redirects are not followed here: each client decides what a redirect means for it.
//
// Private to the platform layer: curl and OpenSSL stay behind it.

#include "platform/foundation/Data.hpp"
#include "platform/foundation/HTTPLimits.hpp"
#include "platform/foundation/URL.hpp"
#include "platform/foundation/URLAuthenticationChallenge.hpp"
#include "platform/security/SecCertificate.hpp"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace foundation::transport {

using SteadyClock = std::chrono::steady_clock;
using HeaderFields = std::vector<std::pair<std::string, std::string>>;

// Why an exchange failed: an NSURLErrorDomain code and, when there is one, a sentence.
struct Failure {
    int code;
    std::string description;
};

struct Answer {
    URLSessionAuthChallengeDisposition disposition;
    std::optional<URLCredential> credential;
};

// Shared by the thread that runs a transfer and the threads that cancel it or answer its
// challenges. Made with std::make_shared: a challenge's handler keeps it alive.
class Control : public std::enable_shared_from_this<Control> {
public:
    Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // From any thread: stops a running exchange at once and wakes a wait for an answer.
    void cancel();
    bool isCancelled() const;

    // Hands `ask` a handler for a challenge and waits, on the transfer's thread, until the
    // handler is called (from any thread), the transfer is cancelled or `deadline` passes; no
    // answer in the last two cases. A handler whose every copy is dropped unanswered answers
    // cancelAuthenticationChallenge, so a forgetful delegate cannot leave a connection hanging.
    std::optional<Answer> waitForAnswer(const std::function<void(URLAuthenticationChallengeHandler)>& ask,
                                        SteadyClock::time_point deadline);

    // For the exchange: whether the transfer was cancelled already; while attached, cancel()
    // wakes `multi` (curl's multi handle).
    bool attach(void* multi);
    void detach();

private:
    friend class ChallengeResponder;

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool cancelled_ = false;
    void* multi_ = nullptr;
    std::uint64_t challengeSerial_ = 0;
    std::optional<Answer> answer_;
};

// What an answer to a server-trust challenge means for the connection to `host`: no failure
// when it may go on. Use-credential trusts only the server whose certificate the credential
// carries; default handling (and use-credential without a credential) asks the system's trust
// store; cancel fails with NSURLErrorCancelled.
std::optional<Failure> trustFailure(const Answer& answer, const std::string& host,
                                    std::vector<security::SecCertificate> chain);

// Cookies kept in memory as a browser keeps them, shared by every exchange given the jar (from
// any thread).
class CookieJar {
public:
    static std::shared_ptr<CookieJar> make();
    ~CookieJar();
    CookieJar(const CookieJar&) = delete;
    CookieJar& operator=(const CookieJar&) = delete;

    // Cookies as "name=value" for the jar's every domain, for tests and diagnostics.
    std::vector<std::string> cookieLines() const;

    struct Impl;
    Impl& impl() const { return *impl_; }

private:
    CookieJar();
    std::unique_ptr<Impl> impl_;
};

struct ExchangeRequest {
    explicit ExchangeRequest(URL target) : url(std::move(target)) {}

    URL url;
    std::string method = "GET";
    std::optional<Data> body;
    HeaderFields headers;
    // Longest wait for the next bytes (connecting included), in seconds.
    double idleTimeout = 60;
    SteadyClock::time_point deadline = SteadyClock::time_point::max();
    std::shared_ptr<CookieJar> cookies;
    HTTPLimits limits = HTTPLimits::standard();
};

struct ExchangeResponse {
    long status = 0;
    // The final header fields (after any interim 1xx answer), names as the server wrote them.
    HeaderFields headers;
    Data body; // decoded when it came compressed
};

// Asked in the handshake with the host, port and the chain the server sent (leaf first).
using TrustDecider = std::function<std::optional<Failure>(const std::string& host, int port,
                                                          std::vector<security::SecCertificate> chain)>;
// Bytes of the body received so far and the length announced (-1 when unknown); called on the
// exchange's thread.
using ProgressReporter = std::function<void(std::int64_t received, std::int64_t expected)>;

// Takes a header line as curl hands it over (line end included) into `fields`, adding its
// length to `headerBytes`. A status line starts the fields again: after an interim (1xx) answer
// only the final answer's fields count. A failure once past `limits`.
std::optional<Failure> receiveHeaderLine(std::string_view line, const HTTPLimits& limits, HeaderFields& fields,
                                         std::size_t& headerBytes);

// Runs one request on a fresh connection on the calling thread (it blocks). No failure means
// `response` holds what the server answered, whatever the status.
std::optional<Failure> exchange(Control& control, const ExchangeRequest& request, const TrustDecider& decideTrust,
                                ExchangeResponse& response, const ProgressReporter& progress = {});

// The request a redirect leads to, as browsers make it: 303, and 301/302 after a POST, go on as
// a GET without body; a move to another origin drops the credentials set on the request.
struct RedirectHop {
    URL url;
    std::string method;
    std::optional<Data> body;
    HeaderFields headers;
};
bool isRedirectStatus(long status);
// Nothing when `location` does not resolve against `from` to a URL; its scheme is the caller's
// business.
std::optional<RedirectHop> redirectHop(long status, const std::string& location, const URL& from,
                                       const std::string& method, const std::optional<Data>& body,
                                       const HeaderFields& headers);

// `curlCode` is a CURLcode, `osErrno` the errno curl saw for the connection (0 if none).
int urlErrorCodeForCurl(int curlCode, int osErrno);

} // namespace foundation::transport
