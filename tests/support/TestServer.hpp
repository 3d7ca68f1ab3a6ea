#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace testsupport {

struct TestIdentity;

struct TestRequest {
    std::string method;
    std::string path;
    std::string body;
    std::vector<std::pair<std::string, std::string>> headers;
    // The query's items and, for a posted form, its fields: percent-decoded, ordered by name.
    std::vector<std::pair<std::string, std::string>> query;

    // The first value of a header, names compared without case; empty when absent.
    std::string header(std::string_view name) const;
    // The first value of a query item; empty when absent.
    std::string queryValue(std::string_view name) const;
};

struct TestResponse {
    int status = 200;
    std::string body;
    std::string contentType = "text/plain";
    std::vector<std::pair<std::string, std::string>> headers;
};

using TestHandler = std::function<TestResponse(const TestRequest&)>;

// A local HTTP or HTTPS server on 127.0.0.1 and a free port, serving the handlers a test
// registers (any time, from any thread). Unknown paths answer 404. Every request is recorded
// before it is handled, so a test can tell that nothing reached the server. Stops and joins
// its threads when destroyed.
class TestServer {
public:
    static std::unique_ptr<TestServer> startHTTP();
    static std::unique_ptr<TestServer> startHTTPS(const TestIdentity& identity);
    ~TestServer();
    TestServer(const TestServer&) = delete;
    TestServer& operator=(const TestServer&) = delete;

    // `method` is "GET", "POST", ...; `path` is matched exactly, without the query.
    void handle(std::string method, std::string path, TestHandler handler);

    // While held, requests are recorded but not answered until `releaseResponses()` or the
    // server's end: a client waits as it would on a slow server, without the test sleeping.
    void holdResponses();
    void releaseResponses();

    int port() const;
    // "http://127.0.0.1:<port>/a" or "https://..." for `url("/a")`.
    std::string url(std::string_view path) const;
    std::string localhostURL(std::string_view path) const; // the same with host "localhost"

    std::vector<TestRequest> requests() const;
    std::size_t requestCount() const;
    // Forgets the requests recorded so far, for runs long enough that the record would grow.
    void clearRequests();
    // TLS handshakes that clients began with the server; always 0 for plain HTTP.
    std::size_t handshakeCount() const;
    // Waits, at most `bound`, until `count` requests have arrived.
    bool waitForRequests(std::size_t count, std::chrono::milliseconds bound) const;

private:
    struct Impl;
    explicit TestServer(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

} // namespace testsupport
