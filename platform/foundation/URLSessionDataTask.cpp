#include "platform/foundation/URLSessionDataTask.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/foundation/URLError.hpp"
#include "platform/foundation/URLSession.hpp"
#include "platform/foundation/URLSessionTransport.hpp"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include <curl/curl.h>
#include <openssl/ssl.h>
#include <openssl/x509.h>

namespace foundation {

using SteadyClock = std::chrono::steady_clock;

// Types and helpers of the transfer; not anonymous because Transfer, a member of a public
// class, holds some of them.
namespace sessiondetail {

constexpr int maximumRedirects = 16;

void initialiseCurlOnce() {
    static const bool initialised = [] { return curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK; }();
    (void)initialised;
}

std::string lowercased(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool sameName(const std::string& a, const std::string& b) { return lowercased(a) == lowercased(b); }

std::string trimmed(std::string text) {
    auto isSpace = [](unsigned char c) { return std::isspace(c) != 0; };
    text.erase(text.begin(), std::find_if_not(text.begin(), text.end(), isSpace));
    text.erase(std::find_if_not(text.rbegin(), text.rend(), isSpace).base(), text.end());
    return text;
}

SteadyClock::duration seconds(double value) {
    // Caps absurd values so that time arithmetic cannot overflow.
    value = std::clamp(value, 0.0, 1e9);
    return std::chrono::duration_cast<SteadyClock::duration>(std::chrono::duration<double>(value));
}

security::Bytes derOf(X509* certificate) {
    unsigned char* der = nullptr;
    int length = i2d_X509(certificate, &der);
    if (length <= 0) {
        return {};
    }
    security::Bytes bytes(der, der + length);
    OPENSSL_free(der);
    return bytes;
}

// The chain as the server sent it, leaf first.
std::vector<security::SecCertificate> peerChain(X509_STORE_CTX* store) {
    std::vector<security::SecCertificate> chain;
    X509* leaf = X509_STORE_CTX_get0_cert(store);
    if (leaf != nullptr) {
        if (auto certificate = security::SecCertificate::createWithData(derOf(leaf))) {
            chain.push_back(std::move(*certificate));
        }
    }
    STACK_OF(X509)* sent = X509_STORE_CTX_get0_untrusted(store);
    for (int i = 0; sent != nullptr && i < sk_X509_num(sent); ++i) {
        X509* certificate = sk_X509_value(sent, i);
        if (leaf != nullptr && X509_cmp(certificate, leaf) == 0) {
            continue;
        }
        if (auto decoded = security::SecCertificate::createWithData(derOf(certificate))) {
            chain.push_back(std::move(*decoded));
        }
    }
    return chain;
}

struct Answer {
    URLSessionAuthChallengeDisposition disposition;
    std::optional<URLCredential> credential;
};

struct Failure {
    int code;
    std::string description;
};

struct Outcome {
    std::optional<Data> data;
    std::optional<HTTPURLResponse> response;
    std::optional<Failure> failure;
};

struct ResponseParts {
    long status = 0;
    std::vector<std::pair<std::string, std::string>> headers;
    Data body;
};

} // namespace sessiondetail

using namespace sessiondetail;

int urlErrorCodeForCurl(int curlCode, int osErrno) {
    switch (static_cast<CURLcode>(curlCode)) {
    case CURLE_OK:
        return 0;
    case CURLE_UNSUPPORTED_PROTOCOL:
        return NSURLErrorUnsupportedURL;
    case CURLE_URL_MALFORMAT:
        return NSURLErrorBadURL;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
        return NSURLErrorCannotFindHost;
    case CURLE_COULDNT_CONNECT:
        return osErrno == ENETUNREACH || osErrno == ENETDOWN ? NSURLErrorNotConnectedToInternet
                                                             : NSURLErrorCannotConnectToHost;
    case CURLE_OPERATION_TIMEDOUT:
        return NSURLErrorTimedOut;
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_SSL_ENGINE_NOTFOUND:
    case CURLE_SSL_ENGINE_SETFAILED:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_USE_SSL_FAILED:
    case CURLE_SSL_SHUTDOWN_FAILED:
        return NSURLErrorSecureConnectionFailed;
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
    case CURLE_SSL_INVALIDCERTSTATUS:
        return NSURLErrorServerCertificateUntrusted;
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
    case CURLE_GOT_NOTHING:
    case CURLE_PARTIAL_FILE:
        return NSURLErrorNetworkConnectionLost;
    case CURLE_TOO_MANY_REDIRECTS:
        return NSURLErrorHTTPTooManyRedirects;
    case CURLE_WEIRD_SERVER_REPLY:
    case CURLE_BAD_CONTENT_ENCODING:
        return NSURLErrorBadServerResponse;
    case CURLE_ABORTED_BY_CALLBACK:
        return NSURLErrorCancelled;
    default:
        return NSURLErrorUnknown;
    }
}

struct URLSessionDataTask::Transfer : std::enable_shared_from_this<Transfer> {
    std::shared_ptr<URLSession> session;
    URLRequest request;
    CompletionHandler completion;

    mutable std::mutex mutex;
    std::condition_variable changed;
    State state = State::suspended;
    bool cancelRequested = false;
    CURLM* multi = nullptr;  // while a transfer runs, so that cancel() can wake it
    std::uint64_t challengeSerial = 0;
    std::optional<Answer> answer;

    SteadyClock::time_point resourceDeadline;

    Transfer(std::shared_ptr<URLSession> owner, URLRequest original, CompletionHandler handler)
        : session(std::move(owner)), request(std::move(original)), completion(std::move(handler)) {}

    bool isCancelled() const {
        std::lock_guard lock(mutex);
        return cancelRequested;
    }

    void deliver(Outcome outcome) {
        {
            std::lock_guard lock(mutex);
            // A cancel that arrived before completion wins, whatever the transfer achieved.
            if (cancelRequested) {
                outcome = {std::nullopt, std::nullopt, Failure{NSURLErrorCancelled, {}}};
            }
            state = State::completed;
        }
        auto handler = std::move(completion);
        completion = nullptr;
        if (!handler) {
            return;
        }
        session->delegateQueue().async([handler = std::move(handler), outcome = std::move(outcome)] {
            if (outcome.failure) {
                handler(std::nullopt, std::nullopt,
                        makeURLError(outcome.failure->code, outcome.failure->description));
            } else {
                handler(outcome.data, outcome.response, std::nullopt);
            }
        });
    }

    void run() {
        Outcome outcome = perform();
        deliver(std::move(outcome));
    }

    Outcome fail(int code, std::string description = {}) {
        return {std::nullopt, std::nullopt, Failure{code, std::move(description)}};
    }

    Outcome perform();
    std::optional<Answer> askDelegate(const URLAuthenticationChallenge& challenge);
    std::optional<Failure> decideTrust(const std::string& host, int port,
                                       std::vector<security::SecCertificate> chain);
};

namespace {

// Answers the challenge once; when every copy of the delegate's handler is dropped unanswered
// the challenge is cancelled, so a forgetful delegate cannot leave the connection hanging.
class ChallengeResponder {
public:
    ChallengeResponder(std::shared_ptr<URLSessionDataTask::Transfer> transfer, std::uint64_t serial)
        : transfer_(std::move(transfer)), serial_(serial) {}
    ~ChallengeResponder() {
        answer(URLSessionAuthChallengeDisposition::cancelAuthenticationChallenge, std::nullopt);
    }
    ChallengeResponder(const ChallengeResponder&) = delete;
    ChallengeResponder& operator=(const ChallengeResponder&) = delete;

    void answer(URLSessionAuthChallengeDisposition disposition,
                std::optional<URLCredential> credential) {
        {
            std::lock_guard lock(transfer_->mutex);
            if (transfer_->challengeSerial != serial_ || transfer_->answer) {
                return;
            }
            transfer_->answer = Answer{disposition, std::move(credential)};
        }
        transfer_->changed.notify_all();
    }

private:
    std::shared_ptr<URLSessionDataTask::Transfer> transfer_;
    std::uint64_t serial_;
};

// One request on its own connection, driven by curl's multi interface so that cancel() and the
// idle time-out take effect at once.
class Hop {
public:
    Hop(URLSessionDataTask::Transfer& transfer, const URL& url, SteadyClock::duration idleLimit)
        : transfer_(transfer), url_(url), idleLimit_(idleLimit) {
        host_ = url.host().value_or("");
        bool secure = lowercased(url.scheme().value_or("")) == "https";
        port_ = url.port().value_or(secure ? 443 : 80);
    }

    // Runs the request; the response parts are left in `response`.
    std::optional<Failure> run(const std::string& method, const std::optional<Data>& body,
                               const std::vector<std::pair<std::string, std::string>>& headers);

    ResponseParts response;

private:
    static size_t onHeader(char* buffer, size_t size, size_t count, void* context);
    static size_t onBody(char* buffer, size_t size, size_t count, void* context);
    static int onProgress(void* context, curl_off_t, curl_off_t downloaded, curl_off_t,
                          curl_off_t uploaded);
    static CURLcode onSSLContext(CURL*, void* sslContext, void* context);
    static int onVerify(X509_STORE_CTX* store, void* context);

    void touch() { lastActivity_ = SteadyClock::now(); }

    URLSessionDataTask::Transfer& transfer_;
    const URL& url_;
    std::string host_;
    int port_ = 0;
    SteadyClock::duration idleLimit_;
    SteadyClock::time_point lastActivity_ = SteadyClock::now();
    curl_off_t downloaded_ = 0;
    curl_off_t uploaded_ = 0;
    std::optional<Failure> trustFailure_;
};

size_t Hop::onHeader(char* buffer, size_t size, size_t count, void* context) {
    auto& hop = *static_cast<Hop*>(context);
    hop.touch();
    std::string line(buffer, size * count);
    if (line.rfind("HTTP/", 0) == 0) {
        // A new status line (after an interim 1xx answer): only the final headers count.
        hop.response.headers.clear();
    } else if (auto colon = line.find(':'); colon != std::string::npos) {
        hop.response.headers.emplace_back(trimmed(line.substr(0, colon)),
                                          trimmed(line.substr(colon + 1)));
    }
    return size * count;
}

size_t Hop::onBody(char* buffer, size_t size, size_t count, void* context) {
    auto& hop = *static_cast<Hop*>(context);
    hop.touch();
    hop.response.body.insert(hop.response.body.end(), buffer, buffer + size * count);
    return size * count;
}

int Hop::onProgress(void* context, curl_off_t, curl_off_t downloaded, curl_off_t,
                    curl_off_t uploaded) {
    auto& hop = *static_cast<Hop*>(context);
    if (downloaded != hop.downloaded_ || uploaded != hop.uploaded_) {
        hop.downloaded_ = downloaded;
        hop.uploaded_ = uploaded;
        hop.touch();
    }
    return 0;
}

CURLcode Hop::onSSLContext(CURL*, void* sslContext, void* context) {
    SSL_CTX_set_cert_verify_callback(static_cast<SSL_CTX*>(sslContext), &Hop::onVerify, context);
    return CURLE_OK;
}

// OpenSSL calls this with the server's chain before the handshake completes, so no request
// byte has left yet. Returning 0 aborts the handshake.
int Hop::onVerify(X509_STORE_CTX* store, void* context) {
    auto& hop = *static_cast<Hop*>(context);
    hop.trustFailure_ = hop.transfer_.decideTrust(hop.host_, hop.port_, peerChain(store));
    // The delegate's thinking time is not the server's idleness.
    hop.touch();
    if (hop.trustFailure_) {
        X509_STORE_CTX_set_error(store, X509_V_ERR_APPLICATION_VERIFICATION);
        return 0;
    }
    X509_STORE_CTX_set_error(store, X509_V_OK);
    return 1;
}

std::optional<Failure> Hop::run(const std::string& method, const std::optional<Data>& body,
                                const std::vector<std::pair<std::string, std::string>>& headers) {
    CURL* easy = curl_easy_init();
    if (easy == nullptr) {
        return Failure{NSURLErrorUnknown, {}};
    }
    curl_easy_setopt(easy, CURLOPT_URL, url_.absoluteString().c_str());
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(easy, CURLOPT_FRESH_CONNECT, 1L);
    curl_easy_setopt(easy, CURLOPT_FORBID_REUSE, 1L);
    curl_easy_setopt(easy, CURLOPT_ACCEPT_ENCODING, "");
    // Every connection must raise its own challenge: a resumed TLS session would skip the
    // certificate check. The host is checked by the trust evaluation, not by curl, so that a
    // delegate may accept a server that curl's own check would refuse.
    curl_easy_setopt(easy, CURLOPT_SSL_SESSIONID_CACHE, 0L);
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, 0L);
    curl_easy_setopt(easy, CURLOPT_SSL_CTX_FUNCTION, &Hop::onSSLContext);
    curl_easy_setopt(easy, CURLOPT_SSL_CTX_DATA, this);
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &Hop::onHeader);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &Hop::onBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(easy, CURLOPT_XFERINFOFUNCTION, &Hop::onProgress);
    curl_easy_setopt(easy, CURLOPT_XFERINFODATA, this);
    curl_easy_setopt(easy, CURLOPT_NOPROGRESS, 0L);

    if (method == "HEAD") {
        curl_easy_setopt(easy, CURLOPT_NOBODY, 1L);
    } else if (method != "GET") {
        if (method != "POST") {
            curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, method.c_str());
        }
        if (body || method == "POST") {
            curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE,
                             static_cast<curl_off_t>(body ? body->size() : 0));
            curl_easy_setopt(easy, CURLOPT_POSTFIELDS,
                             body && !body->empty() ? reinterpret_cast<const char*>(body->data()) : "");
        }
    }

    curl_slist* headerList = nullptr;
    bool hasExpect = false;
    for (const auto& [name, value] : headers) {
        hasExpect = hasExpect || sameName(name, "Expect");
        // "Name;" is curl's way of sending a field with an empty value.
        std::string line = value.empty() ? name + ";" : name + ": " + value;
        headerList = curl_slist_append(headerList, line.c_str());
    }
    if (!hasExpect) {
        // The platform sends bodies at once instead of waiting for "100 Continue".
        headerList = curl_slist_append(headerList, "Expect:");
    }
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headerList);

    CURLM* multi = curl_multi_init();
    curl_multi_add_handle(multi, easy);
    bool cancelled = false;
    bool timedOut = false;
    {
        std::lock_guard lock(transfer_.mutex);
        cancelled = transfer_.cancelRequested;
        transfer_.multi = multi;
    }
    touch();
    while (!cancelled) {
        int running = 0;
        curl_multi_perform(multi, &running);
        if (running == 0) {
            break;
        }
        if (transfer_.isCancelled()) {
            cancelled = true;
            break;
        }
        auto now = SteadyClock::now();
        auto deadline = std::min(lastActivity_ + idleLimit_, transfer_.resourceDeadline);
        if (now >= deadline) {
            timedOut = true;
            break;
        }
        auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now).count() + 1;
        curl_multi_poll(multi, nullptr, 0, static_cast<int>(std::min<long long>(wait, 1000)), nullptr);
    }
    {
        std::lock_guard lock(transfer_.mutex);
        transfer_.multi = nullptr;
    }

    CURLcode result = CURLE_OK;
    int messages = 0;
    while (CURLMsg* message = curl_multi_info_read(multi, &messages)) {
        if (message->msg == CURLMSG_DONE) {
            result = message->data.result;
        }
    }
    long osErrno = 0;
    curl_easy_getinfo(easy, CURLINFO_OS_ERRNO, &osErrno);
    curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &response.status);
    curl_multi_remove_handle(multi, easy);
    curl_multi_cleanup(multi);
    curl_easy_cleanup(easy);
    curl_slist_free_all(headerList);

    if (cancelled) {
        return Failure{NSURLErrorCancelled, {}};
    }
    if (trustFailure_) {
        return trustFailure_;
    }
    if (timedOut) {
        return Failure{NSURLErrorTimedOut, {}};
    }
    if (result != CURLE_OK) {
        return Failure{urlErrorCodeForCurl(result, static_cast<int>(osErrno)),
                       curl_easy_strerror(result)};
    }
    return std::nullopt;
}

} // namespace

std::optional<Answer> URLSessionDataTask::Transfer::askDelegate(
    const URLAuthenticationChallenge& challenge) {
    std::uint64_t serial = 0;
    {
        std::lock_guard lock(mutex);
        serial = ++challengeSerial;
        answer.reset();
    }
    auto responder = std::make_shared<ChallengeResponder>(shared_from_this(), serial);
    std::weak_ptr<URLSessionDelegate> weakDelegate = session->delegate();
    session->delegateQueue().async([session = session, weakDelegate, challenge, responder] {
        auto handler = [responder](URLSessionAuthChallengeDisposition disposition,
                                   std::optional<URLCredential> credential) {
            responder->answer(disposition, std::move(credential));
        };
        if (auto delegate = weakDelegate.lock()) {
            delegate->urlSession(*session, challenge, handler);
        } else {
            handler(URLSessionAuthChallengeDisposition::performDefaultHandling, std::nullopt);
        }
    });
    // From here only the delegate's handler keeps the responder alive.
    responder.reset();

    std::unique_lock lock(mutex);
    changed.wait_until(lock, resourceDeadline, [&] { return answer.has_value() || cancelRequested; });
    if (cancelRequested || !answer) {
        return std::nullopt;
    }
    return answer;
}

std::optional<Failure> URLSessionDataTask::Transfer::decideTrust(
    const std::string& host, int port, std::vector<security::SecCertificate> chain) {
    auto trust = security::SecTrust::createForServer(chain, host);
    Answer decision{URLSessionAuthChallengeDisposition::performDefaultHandling, std::nullopt};
    if (session->delegate()) {
        URLAuthenticationChallenge challenge(
            URLProtectionSpace(host, port, "https", NSURLAuthenticationMethodServerTrust, trust));
        auto answered = askDelegate(challenge);
        if (!answered) {
            return isCancelled() ? Failure{NSURLErrorCancelled, {}} : Failure{NSURLErrorTimedOut, {}};
        }
        decision = std::move(*answered);
    }

    switch (decision.disposition) {
    case URLSessionAuthChallengeDisposition::cancelAuthenticationChallenge:
        return Failure{NSURLErrorCancelled, {}};
    case URLSessionAuthChallengeDisposition::useCredential:
        if (decision.credential && decision.credential->serverTrust()) {
            // A credential only vouches for the server whose certificate it carries.
            auto vouched = decision.credential->serverTrust()->certificateChain();
            if (!vouched.empty() && !chain.empty() && vouched.front() == chain.front()) {
                return std::nullopt;
            }
            return Failure{NSURLErrorServerCertificateUntrusted,
                           "the credential was made for another server's certificate"};
        }
        // Without a credential there is nothing to trust but the system's judgement.
        [[fallthrough]];
    case URLSessionAuthChallengeDisposition::performDefaultHandling:
    case URLSessionAuthChallengeDisposition::rejectProtectionSpace: {
        // Server trust has no other protection space to try, so rejecting it leaves the
        // system's own evaluation, as default handling does. A fresh trust ignores any anchors
        // the delegate may have set on the challenge's trust.
        auto evaluation = security::SecTrust::createForServer(std::move(chain), host)->evaluate();
        if (evaluation.trusted) {
            return std::nullopt;
        }
        return Failure{NSURLErrorServerCertificateUntrusted, evaluation.error};
    }
    }
    return Failure{NSURLErrorUnknown, {}};
}

Outcome URLSessionDataTask::Transfer::perform() {
    initialiseCurlOnce();
    const auto& configuration = session->configuration();
    resourceDeadline = SteadyClock::now() + seconds(configuration.timeoutIntervalForResource);
    double idle = request.timeoutInterval > 0
                      ? std::min(request.timeoutInterval, configuration.timeoutIntervalForRequest)
                      : configuration.timeoutIntervalForRequest;

    URL url = request.url;
    std::string method = request.httpMethod.empty() ? "GET" : request.httpMethod;
    std::optional<Data> body = request.httpBody;
    auto headers = request.allHTTPHeaderFields();
    for (const auto& [name, value] : configuration.httpAdditionalHeaders) {
        if (!request.value(name)) {
            headers.emplace_back(name, value);
        }
    }

    for (int hop = 0; hop <= maximumRedirects; ++hop) {
        auto scheme = lowercased(url.scheme().value_or(""));
        if (scheme != "http" && scheme != "https") {
            return fail(NSURLErrorUnsupportedURL);
        }
        if (url.host().value_or("").empty()) {
            return fail(NSURLErrorBadURL);
        }
        Hop exchange(*this, url, seconds(idle));
        if (auto failure = exchange.run(method, body, headers)) {
            return {std::nullopt, std::nullopt, std::move(failure)};
        }
        auto& parts = exchange.response;
        HTTPURLResponse response(url, static_cast<int>(parts.status), parts.headers);
        bool redirect = parts.status == 301 || parts.status == 302 || parts.status == 303 ||
                        parts.status == 307 || parts.status == 308;
        auto location = response.value("Location");
        auto next = location ? URL::string(*location, url) : std::nullopt;
        if (!redirect || !next) {
            return {std::move(parts.body), std::move(response), std::nullopt};
        }
        // As browsers do: 303 always, and 301/302 after a POST, go on as a GET without body.
        if (parts.status == 303 || ((parts.status == 301 || parts.status == 302) && method == "POST")) {
            if (method != "HEAD") {
                method = "GET";
            }
            body.reset();
            std::erase_if(headers, [](const auto& field) {
                return sameName(field.first, "Content-Type") || sameName(field.first, "Content-Length");
            });
        }
        url = *next;
    }
    return fail(NSURLErrorHTTPTooManyRedirects);
}

URLSessionDataTask::URLSessionDataTask(std::shared_ptr<URLSession> session, URLRequest request,
                                       CompletionHandler completion, std::uint64_t taskIdentifier)
    : taskIdentifier_(taskIdentifier), originalRequest_(request),
      transfer_(std::make_shared<Transfer>(std::move(session), std::move(request),
                                           std::move(completion))) {}

URLSessionDataTask::~URLSessionDataTask() = default;

void URLSessionDataTask::resume() {
    {
        std::lock_guard lock(transfer_->mutex);
        if (transfer_->state != State::suspended) {
            return;
        }
        transfer_->state = State::running;
    }
    // A thread per task rather than a pooled queue: a transfer blocks while its delegate
    // decides, and the delegate may well answer from a global queue.
    std::thread([transfer = transfer_] { transfer->run(); }).detach();
}

void URLSessionDataTask::cancel() {
    bool neverStarted = false;
    {
        std::lock_guard lock(transfer_->mutex);
        if (transfer_->state == State::completed || transfer_->state == State::canceling) {
            return;
        }
        neverStarted = transfer_->state == State::suspended;
        transfer_->cancelRequested = true;
        transfer_->state = State::canceling;
        if (transfer_->multi != nullptr) {
            curl_multi_wakeup(transfer_->multi);
        }
    }
    transfer_->changed.notify_all();
    if (neverStarted) {
        transfer_->deliver({});
    }
}

URLSessionDataTask::State URLSessionDataTask::state() const {
    std::lock_guard lock(transfer_->mutex);
    return transfer_->state;
}

} // namespace foundation
