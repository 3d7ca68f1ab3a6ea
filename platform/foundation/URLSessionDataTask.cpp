#include "platform/foundation/URLSessionDataTask.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/foundation/HTTPTransport.hpp"
#include "platform/foundation/HeaderFieldText.hpp"
#include "platform/foundation/URLError.hpp"
#include "platform/foundation/URLSession.hpp"

#include <algorithm>
#include <mutex>
#include <thread>

namespace foundation {

using transport::Failure;
using transport::SteadyClock;

namespace {

constexpr int maximumRedirects = 16;

SteadyClock::duration seconds(double value) {
    value = std::clamp(value, 0.0, 1e9);
    return std::chrono::duration_cast<SteadyClock::duration>(std::chrono::duration<double>(value));
}

struct Outcome {
    std::optional<Data> data;
    std::optional<HTTPURLResponse> response;
    std::optional<Failure> failure;
};

Outcome fail(int code, std::string description = {}) {
    return {std::nullopt, std::nullopt, Failure{code, std::move(description)}};
}

} // namespace

struct URLSessionDataTask::Transfer {
    std::shared_ptr<URLSession> session;
    URLRequest request;
    CompletionHandler completion;
    std::shared_ptr<transport::Control> control = std::make_shared<transport::Control>();

    mutable std::mutex mutex;
    State state = State::suspended;
    SteadyClock::time_point resourceDeadline;

    Transfer(std::shared_ptr<URLSession> owner, URLRequest original, CompletionHandler handler)
        : session(std::move(owner)), request(std::move(original)), completion(std::move(handler)) {}

    void deliver(Outcome outcome) {
        {
            std::lock_guard lock(mutex);
            // A cancel that arrived before completion wins, whatever the transfer achieved.
            if (control->isCancelled()) {
                outcome = fail(NSURLErrorCancelled);
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
                handler(std::nullopt, std::nullopt, makeURLError(outcome.failure->code, outcome.failure->description));
            } else {
                handler(outcome.data, outcome.response, std::nullopt);
            }
        });
    }

    void run() { deliver(perform()); }

    Outcome perform();
    std::optional<Failure> decideTrust(const std::string& host, int port, std::vector<security::SecCertificate> chain);
};

std::optional<Failure> URLSessionDataTask::Transfer::decideTrust(const std::string& host, int port,
                                                                 std::vector<security::SecCertificate> chain) {
    transport::Answer decision{URLSessionAuthChallengeDisposition::performDefaultHandling, std::nullopt};
    if (session->delegate()) {
        auto trust = security::SecTrust::createForServer(chain, host);
        URLAuthenticationChallenge challenge(
            URLProtectionSpace(host, port, "https", NSURLAuthenticationMethodServerTrust, trust));
        std::weak_ptr<URLSessionDelegate> weakDelegate = session->delegate();
        auto answered = control->waitForAnswer(
            [&](URLAuthenticationChallengeHandler handler) {
                session->delegateQueue().async([session = session, weakDelegate, challenge, handler] {
                    if (auto delegate = weakDelegate.lock()) {
                        delegate->urlSession(*session, challenge, handler);
                    } else {
                        handler(URLSessionAuthChallengeDisposition::performDefaultHandling, std::nullopt);
                    }
                });
            },
            resourceDeadline);
        if (!answered) {
            return control->isCancelled() ? Failure{NSURLErrorCancelled, {}} : Failure{NSURLErrorTimedOut, {}};
        }
        decision = std::move(*answered);
    }
    return transport::trustFailure(decision, host, std::move(chain));
}

Outcome URLSessionDataTask::Transfer::perform() {
    const auto& configuration = session->configuration();
    resourceDeadline = SteadyClock::now() + seconds(configuration.timeoutIntervalForResource);
    double idle = request.timeoutInterval > 0
                      ? std::min(request.timeoutInterval, configuration.timeoutIntervalForRequest)
                      : configuration.timeoutIntervalForRequest;

    transport::ExchangeRequest hop(request.url);
    hop.method = request.httpMethod.empty() ? "GET" : request.httpMethod;
    hop.body = request.httpBody;
    hop.headers = request.allHTTPHeaderFields();
    hop.idleTimeout = idle;
    hop.deadline = resourceDeadline;
    hop.limits = configuration.httpLimits;
    for (const auto& [name, value] : configuration.httpAdditionalHeaders) {
        if (!request.value(name)) {
            hop.headers.emplace_back(name, value);
        }
    }
    auto decide = [this](const std::string& host, int port, std::vector<security::SecCertificate> chain) {
        return decideTrust(host, port, std::move(chain));
    };

    for (int count = 0; count <= maximumRedirects; ++count) {
        auto scheme = lowercasedField(hop.url.scheme().value_or(""));
        if (scheme != "http" && scheme != "https") {
            return fail(NSURLErrorUnsupportedURL);
        }
        if (hop.url.host().value_or("").empty()) {
            return fail(NSURLErrorBadURL);
        }
        transport::ExchangeResponse parts;
        if (auto failure = transport::exchange(*control, hop, decide, parts)) {
            return {std::nullopt, std::nullopt, std::move(failure)};
        }
        HTTPURLResponse response(hop.url, static_cast<int>(parts.status), parts.headers);
        auto location = response.value("Location");
        auto next = transport::isRedirectStatus(parts.status) && location
                        ? transport::redirectHop(parts.status, *location, hop.url, hop.method, hop.body, hop.headers)
                        : std::nullopt;
        if (!next) {
            return {std::move(parts.body), std::move(response), std::nullopt};
        }
        // What was asked over TLS never goes on in clear text, credentials and all.
        if (scheme == "https" && lowercasedField(next->url.scheme().value_or("")) == "http") {
            return fail(NSURLErrorAppTransportSecurityRequiresSecureConnection,
                        "The server redirected a secure request to an insecure address.");
        }
        hop.url = std::move(next->url);
        hop.method = std::move(next->method);
        hop.body = std::move(next->body);
        hop.headers = std::move(next->headers);
    }
    return fail(NSURLErrorHTTPTooManyRedirects);
}

URLSessionDataTask::URLSessionDataTask(std::shared_ptr<URLSession> session, URLRequest request,
                                       CompletionHandler completion)
    : transfer_(std::make_shared<Transfer>(std::move(session), std::move(request), std::move(completion))) {}

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
        transfer_->state = State::canceling;
        // Under the task's lock, so that a transfer delivering now sees the cancel.
        transfer_->control->cancel();
    }
    if (neverStarted) {
        transfer_->deliver({});
    }
}

URLSessionDataTask::State URLSessionDataTask::state() const {
    std::lock_guard lock(transfer_->mutex);
    return transfer_->state;
}

} // namespace foundation
