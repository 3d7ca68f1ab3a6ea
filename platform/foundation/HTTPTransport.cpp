#include "platform/foundation/HTTPTransport.hpp"

#include "platform/foundation/HeaderFieldText.hpp"
#include "platform/foundation/URLError.hpp"
#include "platform/security/SecTrust.hpp"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <sstream>

#include <curl/curl.h>
#include <openssl/ssl.h>
#include <openssl/x509.h>

namespace foundation::transport {

namespace {

void initialiseCurlOnce() {
    static const bool initialised = [] { return curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK; }();
    (void)initialised;
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

std::string originOf(const URL& url) {
    auto scheme = lowercasedField(url.scheme().value_or(""));
    int port = url.port().value_or(scheme == "https" ? 443 : 80);
    return scheme + "://" + lowercasedField(url.host().value_or("")) + ":" + std::to_string(port);
}

} // namespace

// MARK: - Control and challenges

bool Control::isCancelled() const {
    std::lock_guard lock(mutex_);
    return cancelled_;
}

void Control::cancel() {
    {
        std::lock_guard lock(mutex_);
        cancelled_ = true;
        if (multi_ != nullptr) {
            curl_multi_wakeup(static_cast<CURLM*>(multi_));
        }
    }
    changed_.notify_all();
}

bool Control::attach(void* multi) {
    std::lock_guard lock(mutex_);
    multi_ = multi;
    return cancelled_;
}

void Control::detach() {
    std::lock_guard lock(mutex_);
    multi_ = nullptr;
}

// Answers one challenge once; answering when the last copy of the handler goes.
class ChallengeResponder {
public:
    ChallengeResponder(std::shared_ptr<Control> control, std::uint64_t serial)
        : control_(std::move(control)), serial_(serial) {}
    ~ChallengeResponder() { answer(URLSessionAuthChallengeDisposition::cancelAuthenticationChallenge, std::nullopt); }
    ChallengeResponder(const ChallengeResponder&) = delete;
    ChallengeResponder& operator=(const ChallengeResponder&) = delete;

    void answer(URLSessionAuthChallengeDisposition disposition, std::optional<URLCredential> credential) {
        {
            std::lock_guard lock(control_->mutex_);
            if (control_->challengeSerial_ != serial_ || control_->answer_) {
                return;
            }
            control_->answer_ = Answer{disposition, std::move(credential)};
        }
        control_->changed_.notify_all();
    }

private:
    std::shared_ptr<Control> control_;
    std::uint64_t serial_;
};

std::optional<Answer> Control::waitForAnswer(const std::function<void(URLAuthenticationChallengeHandler)>& ask,
                                             SteadyClock::time_point deadline) {
    std::uint64_t serial = 0;
    {
        std::lock_guard lock(mutex_);
        serial = ++challengeSerial_;
        answer_.reset();
    }
    // The handler may outlive this wait (a delegate that answers late); the responder then
    // only finds a newer serial and does nothing.
    auto responder = std::make_shared<ChallengeResponder>(shared_from_this(), serial);
    ask([responder](URLSessionAuthChallengeDisposition disposition, std::optional<URLCredential> credential) {
        responder->answer(disposition, std::move(credential));
    });
    responder.reset();

    std::unique_lock lock(mutex_);
    changed_.wait_until(lock, deadline, [&] { return answer_.has_value() || cancelled_; });
    // Later answers to this challenge are ignored from here on.
    ++challengeSerial_;
    if (cancelled_ || !answer_) {
        return std::nullopt;
    }
    return std::move(answer_);
}

std::optional<Failure> trustFailure(const Answer& answer, const std::string& host,
                                    std::vector<security::SecCertificate> chain) {
    switch (answer.disposition) {
    case URLSessionAuthChallengeDisposition::cancelAuthenticationChallenge:
        return Failure{NSURLErrorCancelled, {}};
    case URLSessionAuthChallengeDisposition::useCredential:
        if (answer.credential && answer.credential->serverTrust()) {
            // A credential only vouches for the server whose certificate it carries.
            auto vouched = answer.credential->serverTrust()->certificateChain();
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

// MARK: - Cookies

struct CookieJar::Impl {
    CURLSH* share = nullptr;
    std::mutex mutexes[CURL_LOCK_DATA_LAST];

    static void lock(CURL*, curl_lock_data data, curl_lock_access, void* context) {
        static_cast<Impl*>(context)->mutexes[data].lock();
    }
    static void unlock(CURL*, curl_lock_data data, void* context) {
        static_cast<Impl*>(context)->mutexes[data].unlock();
    }
};

CookieJar::CookieJar() : impl_(std::make_unique<Impl>()) {
    initialiseCurlOnce();
    impl_->share = curl_share_init();
    curl_share_setopt(impl_->share, CURLSHOPT_LOCKFUNC, &Impl::lock);
    curl_share_setopt(impl_->share, CURLSHOPT_UNLOCKFUNC, &Impl::unlock);
    curl_share_setopt(impl_->share, CURLSHOPT_USERDATA, impl_.get());
    curl_share_setopt(impl_->share, CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
}

std::shared_ptr<CookieJar> CookieJar::make() { return std::shared_ptr<CookieJar>(new CookieJar()); }

CookieJar::~CookieJar() { curl_share_cleanup(impl_->share); }

std::vector<std::string> CookieJar::cookieLines() const {
    std::vector<std::string> lines;
    CURL* easy = curl_easy_init();
    if (easy == nullptr) {
        return lines;
    }
    curl_easy_setopt(easy, CURLOPT_SHARE, impl_->share);
    curl_easy_setopt(easy, CURLOPT_COOKIEFILE, "");
    curl_slist* list = nullptr;
    curl_easy_getinfo(easy, CURLINFO_COOKIELIST, &list);
    for (curl_slist* item = list; item != nullptr; item = item->next) {
        // Netscape format: domain, subdomains, path, secure, expiry, name, value.
        std::vector<std::string> fields;
        std::stringstream line(item->data);
        std::string field;
        while (std::getline(line, field, '\t')) {
            fields.push_back(field);
        }
        if (fields.size() >= 7) {
            lines.push_back(fields[5] + "=" + fields[6]);
        }
    }
    curl_slist_free_all(list);
    curl_easy_cleanup(easy);
    return lines;
}

// MARK: - One exchange

namespace {

// One request on its own connection, driven by curl's multi interface so that a cancel and
// the idle time-out take effect at once.
class Exchange {
public:
    Exchange(Control& control, const ExchangeRequest& request, const TrustDecider& decideTrust,
             ExchangeResponse& response, const ProgressReporter& progress)
        : control_(control), request_(request), decideTrust_(decideTrust), response_(response), progress_(progress) {
        host_ = request.url.host().value_or("");
        bool secure = lowercasedField(request.url.scheme().value_or("")) == "https";
        port_ = request.url.port().value_or(secure ? 443 : 80);
        idleLimit_ = seconds(request.idleTimeout);
    }

    std::optional<Failure> run();

private:
    static size_t onHeader(char* buffer, size_t size, size_t count, void* context);
    static size_t onBody(char* buffer, size_t size, size_t count, void* context);
    static int onProgress(void* context, curl_off_t, curl_off_t downloaded, curl_off_t, curl_off_t uploaded);
    static CURLcode onSSLContext(CURL*, void* sslContext, void* context);
    static int onVerify(X509_STORE_CTX* store, void* context);

    void touch() { lastActivity_ = SteadyClock::now(); }

    Control& control_;
    const ExchangeRequest& request_;
    const TrustDecider& decideTrust_;
    ExchangeResponse& response_;
    const ProgressReporter& progress_;
    std::string host_;
    int port_ = 0;
    SteadyClock::duration idleLimit_;
    SteadyClock::time_point lastActivity_ = SteadyClock::now();
    curl_off_t downloaded_ = 0;
    curl_off_t uploaded_ = 0;
    std::size_t headerBytes_ = 0;
    std::optional<Failure> refusal_; // trust refused or a limit passed; ends the exchange
};

size_t Exchange::onHeader(char* buffer, size_t size, size_t count, void* context) {
    auto& exchange = *static_cast<Exchange*>(context);
    exchange.touch();
    exchange.refusal_ = receiveHeaderLine(std::string_view(buffer, size * count), exchange.request_.limits,
                                          exchange.response_.headers, exchange.headerBytes_);
    return exchange.refusal_ ? 0 : size * count;
}

size_t Exchange::onBody(char* buffer, size_t size, size_t count, void* context) {
    auto& exchange = *static_cast<Exchange*>(context);
    exchange.touch();
    std::size_t length = size * count;
    auto& body = exchange.response_.body;
    if (body.size() + length > exchange.request_.limits.maximumBodyBytes) {
        exchange.refusal_ = Failure{NSURLErrorDataLengthExceedsMaximum, {}};
        return 0;
    }
    body.insert(body.end(), buffer, buffer + length);
    return length;
}

int Exchange::onProgress(void* context, curl_off_t, curl_off_t downloaded, curl_off_t, curl_off_t uploaded) {
    auto& exchange = *static_cast<Exchange*>(context);
    if (downloaded != exchange.downloaded_ || uploaded != exchange.uploaded_) {
        bool more = downloaded > exchange.downloaded_;
        exchange.downloaded_ = downloaded;
        exchange.uploaded_ = uploaded;
        exchange.touch();
        if (more && exchange.progress_) {
            curl_off_t expected = -1;
            // The easy handle is not at hand here; the announced length is read from the
            // headers received so far.
            for (const auto& [name, value] : exchange.response_.headers) {
                if (sameFieldName(name, "Content-Length")) {
                    expected = std::strtoll(value.c_str(), nullptr, 10);
                }
            }
            exchange.progress_(downloaded, expected);
        }
    }
    return 0;
}

CURLcode Exchange::onSSLContext(CURL*, void* sslContext, void* context) {
    SSL_CTX_set_cert_verify_callback(static_cast<SSL_CTX*>(sslContext), &Exchange::onVerify, context);
    return CURLE_OK;
}

// OpenSSL calls this with the server's chain before the handshake completes, so no request
// byte has left yet. Returning 0 aborts the handshake.
int Exchange::onVerify(X509_STORE_CTX* store, void* context) {
    auto& exchange = *static_cast<Exchange*>(context);
    exchange.refusal_ = exchange.decideTrust_(exchange.host_, exchange.port_, peerChain(store));
    // The delegate's thinking time is not the server's idleness.
    exchange.touch();
    if (exchange.refusal_) {
        X509_STORE_CTX_set_error(store, X509_V_ERR_APPLICATION_VERIFICATION);
        return 0;
    }
    X509_STORE_CTX_set_error(store, X509_V_OK);
    return 1;
}

std::optional<Failure> Exchange::run() {
    initialiseCurlOnce();
    CURL* easy = curl_easy_init();
    if (easy == nullptr) {
        return Failure{NSURLErrorUnknown, {}};
    }
    const auto& method = request_.method;
    const auto& body = request_.body;
    curl_easy_setopt(easy, CURLOPT_URL, request_.url.absoluteString().c_str());
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
    // The verify callback below decides alone, so curl's own loading of the system's CA bundle
    // for every connection (tens of milliseconds) would be wasted.
    curl_easy_setopt(easy, CURLOPT_CAINFO, nullptr);
    curl_easy_setopt(easy, CURLOPT_CAPATH, nullptr);
    curl_easy_setopt(easy, CURLOPT_SSL_CTX_FUNCTION, &Exchange::onSSLContext);
    curl_easy_setopt(easy, CURLOPT_SSL_CTX_DATA, this);
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &Exchange::onHeader);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &Exchange::onBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(easy, CURLOPT_XFERINFOFUNCTION, &Exchange::onProgress);
    curl_easy_setopt(easy, CURLOPT_XFERINFODATA, this);
    curl_easy_setopt(easy, CURLOPT_NOPROGRESS, 0L);
    if (request_.cookies) {
        curl_easy_setopt(easy, CURLOPT_SHARE, request_.cookies->impl().share);
        // An empty file name switches the cookie engine on without reading any file.
        curl_easy_setopt(easy, CURLOPT_COOKIEFILE, "");
    }

    if (method == "HEAD") {
        curl_easy_setopt(easy, CURLOPT_NOBODY, 1L);
    } else if (method != "GET") {
        if (method != "POST") {
            curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, method.c_str());
        }
        if (body || method == "POST") {
            curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body ? body->size() : 0));
            curl_easy_setopt(easy, CURLOPT_POSTFIELDS,
                             body && !body->empty() ? reinterpret_cast<const char*>(body->data()) : "");
        }
    }

    curl_slist* headerList = nullptr;
    bool hasExpect = false;
    for (const auto& [name, value] : request_.headers) {
        hasExpect = hasExpect || sameFieldName(name, "Expect");
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
    bool timedOut = false;
    bool cancelled = control_.attach(multi);
    touch();
    while (!cancelled) {
        int running = 0;
        curl_multi_perform(multi, &running);
        if (running == 0) {
            break;
        }
        if (control_.isCancelled()) {
            cancelled = true;
            break;
        }
        auto now = SteadyClock::now();
        auto deadline = std::min(lastActivity_ + idleLimit_, request_.deadline);
        if (now >= deadline) {
            timedOut = true;
            break;
        }
        auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now).count() + 1;
        curl_multi_poll(multi, nullptr, 0, static_cast<int>(std::min<long long>(wait, 1000)), nullptr);
    }
    control_.detach();

    CURLcode result = CURLE_OK;
    int messages = 0;
    while (CURLMsg* message = curl_multi_info_read(multi, &messages)) {
        if (message->msg == CURLMSG_DONE) {
            result = message->data.result;
        }
    }
    long osErrno = 0;
    curl_easy_getinfo(easy, CURLINFO_OS_ERRNO, &osErrno);
    curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &response_.status);
    curl_multi_remove_handle(multi, easy);
    curl_multi_cleanup(multi);
    curl_easy_cleanup(easy);
    curl_slist_free_all(headerList);

    if (cancelled || control_.isCancelled()) {
        return Failure{NSURLErrorCancelled, {}};
    }
    if (refusal_) {
        return refusal_;
    }
    if (timedOut) {
        return Failure{NSURLErrorTimedOut, {}};
    }
    if (result != CURLE_OK) {
        return Failure{urlErrorCodeForCurl(result, static_cast<int>(osErrno)), curl_easy_strerror(result)};
    }
    return std::nullopt;
}

} // namespace

std::optional<Failure> exchange(Control& control, const ExchangeRequest& request, const TrustDecider& decideTrust,
                                ExchangeResponse& response, const ProgressReporter& progress) {
    return Exchange(control, request, decideTrust, response, progress).run();
}

std::optional<Failure> receiveHeaderLine(std::string_view line, const HTTPLimits& limits, HeaderFields& fields,
                                         std::size_t& headerBytes) {
    // Interim answers count towards the bytes too, so that no stream of them is endless.
    headerBytes += line.size();
    if (line.starts_with("HTTP/")) {
        // A new status line (after an interim 1xx answer): only the final fields count.
        fields.clear();
    } else if (auto colon = line.find(':'); colon != std::string_view::npos) {
        fields.emplace_back(trimmedField(line.substr(0, colon)), trimmedField(line.substr(colon + 1)));
    }
    if (fields.size() > limits.maximumHeaderFields || headerBytes > limits.maximumHeaderBytes) {
        fields.clear();
        return Failure{NSURLErrorBadServerResponse, "the response's header is too large"};
    }
    return std::nullopt;
}

// MARK: - Redirects

bool isRedirectStatus(long status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

std::optional<RedirectHop> redirectHop(long status, const std::string& location, const URL& from,
                                       const std::string& method, const std::optional<Data>& body,
                                       const HeaderFields& headers) {
    auto next = URL::string(location, from);
    if (!next) {
        return std::nullopt;
    }
    RedirectHop hop{*next, method, body, headers};
    if (status == 303 || ((status == 301 || status == 302) && method == "POST")) {
        if (method != "HEAD") {
            hop.method = "GET";
        }
        hop.body.reset();
        std::erase_if(hop.headers, [](const auto& field) {
            return sameFieldName(field.first, "Content-Type") || sameFieldName(field.first, "Content-Length");
        });
    }
    if (originOf(*next) != originOf(from)) {
        std::erase_if(hop.headers, [](const auto& field) {
            return sameFieldName(field.first, "Authorization") || sameFieldName(field.first, "Cookie") ||
                   sameFieldName(field.first, "Proxy-Authorization");
        });
    }
    return hop;
}

// MARK: - Errors

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

} // namespace foundation::transport
