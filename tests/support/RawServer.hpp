#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace testsupport {

// A server on 127.0.0.1 that answers every connection, once it has read the request's head,
// with bytes exactly as given: what a proper HTTP server never sends (a connection closed
// mid-response, a malformed redirect, headers without end). Stops when destroyed.
class RawServer {
public:
    enum class Ending {
        close,          // close the connection after the reply
        endlessHeaders, // after the reply, send header fields until the client gives up
    };

    static std::unique_ptr<RawServer> start(std::string reply, Ending ending = Ending::close);
    ~RawServer();
    RawServer(const RawServer&) = delete;
    RawServer& operator=(const RawServer&) = delete;

    std::string url(std::string_view path) const;

private:
    struct Impl;
    explicit RawServer(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

} // namespace testsupport
