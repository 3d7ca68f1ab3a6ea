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

int handshakeCounterIndex() {
    static const int index = SSL_CTX_get_ex_new_index(0, nullptr, nullptr, nullptr, nullptr);
    return index;
}

void countHandshake(const SSL* ssl, int where, int) {
    if ((where & SSL_CB_HANDSHAKE_START) == 0) {
        return;
    }
    auto* counter =
        static_cast<std::atomic<std::size_t>*>(SSL_CTX_get_ex_data(SSL_get_SSL_CTX(ssl), handshakeCounterIndex()));
    if (counter != nullptr) {
        ++*counter;
    }
}

bool useIdentity(SSL_CTX& context, const TestIdentity& identity) {
    BIO* certificateBIO =
        BIO_new_mem_buf(identity.certificatePEM.data(), static_cast<int>(identity.certificatePEM.size()));
    BIO* keyBIO = BIO_new_mem_buf(identity.privateKeyPEM.data(), static_cast<int>(identity.privateKeyPEM.size()));
    X509* certificate = PEM_read_bio_X509(certificateBIO, nullptr, nullptr, nullptr);
    EVP_PKEY* key = PEM_read_bio_PrivateKey(keyBIO, nullptr, nullptr, nullptr);
    bool ok = certificate != nullptr && key != nullptr && SSL_CTX_use_certificate(&context, certificate) == 1 &&
              SSL_CTX_use_PrivateKey(&context, key) == 1;
    X509_free(certificate);
    EVP_PKEY_free(key);
    BIO_free(certificateBIO);
    BIO_free(keyBIO);
    return ok;
}

} // namespace

std::string TestRequest::header(std::string_view name) const {
    for (const auto& [key, value] : headers) {
        if (key.size() == name.size() && strncasecmp(key.data(), name.data(), name.size()) == 0) {
            return value;
        }
    }
    return {};
}

std::string TestRequest::queryValue(std::string_view name) const {
    for (const auto& [key, value] : query) {
        if (key == name) {
            return value;
        }
    }
    return {};
}

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

    void serve(const httplib::Request& request, httplib::Response& response) {
        TestRequest recorded{request.method, request.path, request.body, {}, {}};
        for (const auto& [name, value] : request.headers) {
            recorded.headers.emplace_back(name, value);
        }
        for (const auto& [name, value] : request.params) {
            recorded.query.emplace_back(name, value);
        }
        TestHandler handler;
        {
            std::unique_lock lock(mutex);
            requests.push_back(recorded);
            changed.notify_all();
            changed.wait(lock, [&] { return !held || stopping; });
            auto found = handlers.find({request.method, request.path});
            if (found != handlers.end()) {
                handler = found->second;
            }
        }
        TestResponse answer;
        if (handler) {
            answer = handler(recorded);
        } else {
            answer.status = 404;
            answer.body = "not found";
        }
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
    const char* anyPath = ".*";
    state.server->Get(anyPath, route);
    state.server->Post(anyPath, route);
    state.server->Put(anyPath, route);
    state.server->Patch(anyPath, route);
    state.server->Delete(anyPath, route);
    state.server->Options(anyPath, route);

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
    auto* handshakes = &impl->handshakes;
    auto server = std::make_unique<httplib::SSLServer>([&identity, handshakes](SSL_CTX& context) {
        SSL_CTX_set_ex_data(&context, handshakeCounterIndex(), handshakes);
        SSL_CTX_set_info_callback(&context, countHandshake);
        return useIdentity(context, identity);
    });
    if (!server->is_valid()) {
        throw std::runtime_error("test server: the TLS identity was refused");
    }
    impl->server = std::move(server);
    return std::unique_ptr<TestServer>(new TestServer(std::move(impl)));
}

TestServer::~TestServer() {
    {
        std::lock_guard lock(impl_->mutex);
        impl_->stopping = true;
    }
    impl_->changed.notify_all();
    impl_->server->stop();
    if (impl_->thread.joinable()) {
        impl_->thread.join();
    }
}

void TestServer::handle(std::string method, std::string path, TestHandler handler) {
    std::lock_guard lock(impl_->mutex);
    impl_->handlers[{std::move(method), std::move(path)}] = std::move(handler);
}

void TestServer::holdResponses() {
    std::lock_guard lock(impl_->mutex);
    impl_->held = true;
}

void TestServer::releaseResponses() {
    {
        std::lock_guard lock(impl_->mutex);
        impl_->held = false;
    }
    impl_->changed.notify_all();
}

int TestServer::port() const { return impl_->port; }

std::string TestServer::url(std::string_view path) const {
    return impl_->scheme + "://127.0.0.1:" + std::to_string(impl_->port) + std::string(path);
}

std::string TestServer::localhostURL(std::string_view path) const {
    return impl_->scheme + "://localhost:" + std::to_string(impl_->port) + std::string(path);
}

std::vector<TestRequest> TestServer::requests() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->requests;
}

std::size_t TestServer::requestCount() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->requests.size();
}

void TestServer::clearRequests() {
    std::lock_guard lock(impl_->mutex);
    impl_->requests.clear();
    impl_->requests.shrink_to_fit();
}

std::size_t TestServer::handshakeCount() const { return impl_->handshakes.load(); }

bool TestServer::waitForRequests(std::size_t count, std::chrono::milliseconds bound) const {
    std::unique_lock lock(impl_->mutex);
    return impl_->changed.wait_for(lock, bound, [&] { return impl_->requests.size() >= count; });
}

} // namespace testsupport
