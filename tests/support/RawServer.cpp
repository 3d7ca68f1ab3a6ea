#include "support/RawServer.hpp"

#include <atomic>
#include <stdexcept>
#include <thread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace testsupport {

struct RawServer::Impl {
    std::string reply;
    Ending ending = Ending::close;
    int listener = -1;
    int port = 0;
    std::atomic<bool> stopping{false};
    std::thread thread;

    // Waits for the socket, looking every 100 ms whether the server stops; false once it does.
    bool ready(int fd, short events) const {
        pollfd entry{fd, events, 0};
        int result = 0;
        while (!stopping && (result = ::poll(&entry, 1, 100)) == 0) {
        }
        return result > 0 && !stopping;
    }

    bool sendAll(int fd, std::string_view bytes) const {
        ssize_t sent = 0;
        while (!bytes.empty()) {
            if (!ready(fd, POLLOUT) || (sent = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL)) <= 0) {
                return false;
            }
            bytes.remove_prefix(static_cast<std::size_t>(sent));
        }
        return true;
    }

    void serve(int fd) {
        std::string head;
        char buffer[4096];
        ssize_t received = 0;
        while (head.find("\r\n\r\n") == std::string::npos) {
            if (!ready(fd, POLLIN) || (received = ::recv(fd, buffer, sizeof buffer, 0)) <= 0) {
                return;
            }
            head.append(buffer, static_cast<std::size_t>(received));
        }
        if (sendAll(fd, reply) && ending == Ending::endlessHeaders) {
            while (sendAll(fd, "X-Filler: aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\r\n")) {
            }
        }
    }

    void run() {
        while (ready(listener, POLLIN)) {
            if (int fd = ::accept(listener, nullptr, nullptr); fd >= 0) {
                serve(fd);
                ::close(fd);
            }
        }
    }
};

RawServer::RawServer(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

std::unique_ptr<RawServer> RawServer::start(std::string reply, Ending ending) {
    auto impl = std::make_unique<Impl>();
    impl->reply = std::move(reply);
    impl->ending = ending;
    impl->listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (impl->listener < 0 || ::bind(impl->listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(impl->listener, 16) != 0) {
        throw std::runtime_error("raw server: no free port on 127.0.0.1");
    }
    socklen_t length = sizeof address;
    ::getsockname(impl->listener, reinterpret_cast<sockaddr*>(&address), &length);
    impl->port = ntohs(address.sin_port);
    impl->thread = std::thread([state = impl.get()] { state->run(); });
    return std::unique_ptr<RawServer>(new RawServer(std::move(impl)));
}

RawServer::~RawServer() {
    impl_->stopping = true;
    impl_->thread.join();
    ::close(impl_->listener);
}

std::string RawServer::url(std::string_view path) const {
    return "http://127.0.0.1:" + std::to_string(impl_->port) + std::string(path);
}

} // namespace testsupport
