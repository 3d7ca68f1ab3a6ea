#ifndef CPPHTTPLIB_OPENSSL_SUPPORT
#define CPPHTTPLIB_OPENSSL_SUPPORT
#endif
#include "support/TestServer.hpp"

#include "support/TestCertificates.hpp"

#include <httplib.h>

#include <atomic>
#include <condition_variable>
#include <map>
#include <mutex>
#include <stdexcept>
#include <strings.h>
#include <thread>

#include <openssl/pem.h>
#include <openssl/ssl.h>

namespace testsupport {

namespace {

std::string firstValue(const std::vector<std::pair<std::string, std::string>>& pairs, std::string_view name,
                       bool anyCase) {
    for (const auto& [key, value] : pairs) {
        if (key.size() == name.size() &&
            (anyCase ? strncasecmp(key.data(), name.data(), name.size()) == 0 : key == name)) {
            return value;
        }
    }
    return {};
}

// Serves the identity, and counts every handshake a client begins.
bool useIdentity(SSL_CTX& context, const TestIdentity& identity, std::atomic<std::size_t>* handshakes) {
    SSL_CTX_set_app_data(&context, handshakes);
    SSL_CTX_set_info_callback(&context, [](const SSL* ssl, int where, int) {
        if ((where & SSL_CB_HANDSHAKE_START) != 0) {
            ++*static_cast<std::atomic<std::size_t>*>(SSL_CTX_get_app_data(SSL_get_SSL_CTX(ssl)));
        }
    });
    BIO* keyBIO = BIO_new_mem_buf(identity.privateKeyPEM.data(), static_cast<int>(identity.privateKeyPEM.size()));
    EVP_PKEY* key = PEM_read_bio_PrivateKey(keyBIO, nullptr, nullptr, nullptr);
    const auto& der = identity.certificateDER;
    bool ok = SSL_CTX_use_certificate_ASN1(&context, static_cast<int>(der.size()), der.data()) == 1 && key != nullptr &&
              SSL_CTX_use_PrivateKey(&context, key) == 1;
    EVP_PKEY_free(key);
    BIO_free(keyBIO);
    return ok;
}

} // namespace

std::string TestRequest::header(std::string_view name) const { return firstValue(headers, name, true); }

std::string TestRequest::queryValue(std::string_view name) const { return firstValue(query, name, false); }

struct TestServer::Impl {
    std::unique_ptr<httplib::Server> server;
    std::string scheme;
    int port = 0;
    std::thread thread;
    std::atomic<std::size_t> handshakes{0};

    mutable std::mutex mutex;
    mutable std::condition_variable changed;
    std::map<std::pair<std::string, std::string>, TestHandler> handlers;
    std::vector<TestRequest> requests;
    bool held = false;
    bool stopping = false;

    template <class Action>
    auto locked(Action action) {
        std::lock_guard lock(mutex);
        return action();
    }

    std::string url(const char* host, std::string_view path) const {
        return scheme + "://" + host + ":" + std::to_string(port) + std::string(path);
    }

    void serve(const httplib::Request& request, httplib::Response& response) {
        TestRequest recorded{request.method, request.path, request.body, {}, {}};
        recorded.headers.assign(request.headers.begin(), request.headers.end());
        recorded.query.assign(request.params.begin(), request.params.end());
        TestHandler handler;
        {
            std::unique_lock lock(mutex);
            requests.push_back(recorded);
            changed.notify_all();
            changed.wait(lock, [&] { return !held || stopping; });
            auto found = handlers.find({request.method, request.path});
            handler = found != handlers.end() ? found->second : nullptr;
        }
        const TestResponse answer = handler ? handler(recorded) : TestResponse{404, "not found", "text/plain", {}};
        response.status = answer.status;
        for (const auto& [name, value] : answer.headers) {
            response.set_header(name, value);
        }
        response.set_content(answer.body, answer.contentType.c_str());
    }
};

TestServer::TestServer(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {
    Impl& state = *impl_;
    auto route = [&state](const httplib::Request& request, httplib::Response& response) {
        state.serve(request, response);
    };
    const char* any = ".*";
    state.server->Get(any, route).Post(any, route).Put(any, route);
    state.server->Patch(any, route).Delete(any, route).Options(any, route);

    // Without it, a response written in pieces waits for the client's delayed acknowledgement.
    state.server->set_tcp_nodelay(true);
    state.port = state.server->bind_to_any_port("127.0.0.1");
    if (state.port <= 0) {
        throw std::runtime_error("test server: no free port on 127.0.0.1");
    }
    // The socket listens from here on, so clients may connect before the thread runs.
    state.thread = std::thread([&state] { state.server->listen_after_bind(); });
    // stop() only takes effect once the loop runs; wait for it so that the destructor can
    // never miss it.
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!state.server->is_running() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::yield();
    }
}

std::unique_ptr<TestServer> TestServer::startHTTP() {
    auto impl = std::make_unique<Impl>();
    impl->scheme = "http";
    impl->server = std::make_unique<httplib::Server>();
    return std::unique_ptr<TestServer>(new TestServer(std::move(impl)));
}

std::unique_ptr<TestServer> TestServer::startHTTPS(const TestIdentity& identity) {
    auto impl = std::make_unique<Impl>();
    impl->scheme = "https";
    auto server = std::make_unique<httplib::SSLServer>([&identity, handshakes = &impl->handshakes](SSL_CTX& context) {
        return useIdentity(context, identity, handshakes);
    });
    if (!server->is_valid()) {
        throw std::runtime_error("test server: the TLS identity was refused");
    }
    impl->server = std::move(server);
    return std::unique_ptr<TestServer>(new TestServer(std::move(impl)));
}

TestServer::~TestServer() {
    impl_->locked([&] { impl_->stopping = true; });
    impl_->changed.notify_all();
    impl_->server->stop();
    impl_->thread.join();
}

void TestServer::handle(std::string method, std::string path, TestHandler handler) {
    impl_->locked([&] { impl_->handlers[{std::move(method), std::move(path)}] = std::move(handler); });
}

void TestServer::holdResponses() {
    impl_->locked([&] { impl_->held = true; });
}

void TestServer::releaseResponses() {
    impl_->locked([&] { impl_->held = false; });
    impl_->changed.notify_all();
}

int TestServer::port() const { return impl_->port; }

std::string TestServer::url(std::string_view path) const { return impl_->url("127.0.0.1", path); }

std::string TestServer::localhostURL(std::string_view path) const { return impl_->url("localhost", path); }

std::vector<TestRequest> TestServer::requests() const {
    return impl_->locked([&] { return impl_->requests; });
}

std::size_t TestServer::requestCount() const {
    return impl_->locked([&] { return impl_->requests.size(); });
}

void TestServer::clearRequests() {
    impl_->locked([&] { impl_->requests = {}; });
}

std::size_t TestServer::handshakeCount() const { return impl_->handshakes.load(); }

bool TestServer::waitForRequests(std::size_t count, std::chrono::milliseconds bound) const {
    std::unique_lock lock(impl_->mutex);
    return impl_->changed.wait_for(lock, bound, [&] { return impl_->requests.size() >= count; });
}

} // namespace testsupport
