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
    std::atomic<std::size_t> requests{0};
    std::thread thread;

    // Waits up to 100 ms for the socket; false once the server stops.
    bool ready(int fd, short events) const {
        while (!stopping) {
            pollfd entry{fd, events, 0};
            int result = ::poll(&entry, 1, 100);
            if (result > 0) {
                return true;
            }
            if (result < 0) {
                return false;
            }
        }
        return false;
    }

    bool sendAll(int fd, std::string_view bytes) const {
        while (!bytes.empty()) {
            if (!ready(fd, POLLOUT)) {
                return false;
            }
            ssize_t sent = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
            if (sent <= 0) {
                return false;
            }
            bytes.remove_prefix(static_cast<std::size_t>(sent));
        }
        return true;
    }

    void serve(int fd) {
        std::string head;
        char buffer[4096];
        while (head.find("\r\n\r\n") == std::string::npos && ready(fd, POLLIN)) {
            ssize_t received = ::recv(fd, buffer, sizeof buffer, 0);
            if (received <= 0) {
                return;
            }
            head.append(buffer, static_cast<std::size_t>(received));
        }
        if (head.find("\r\n\r\n") == std::string::npos) {
            return;
        }
        ++requests;
        if (!sendAll(fd, reply)) {
            return;
        }
        if (ending == Ending::endlessHeaders) {
            while (sendAll(fd, "X-Filler: aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\r\n")) {
            }
        }
    }

    void run() {
        while (ready(listener, POLLIN)) {
            int fd = ::accept(listener, nullptr, nullptr);
            if (fd < 0) {
                continue;
            }
            serve(fd);
            ::close(fd);
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
    Impl* state = impl.get();
    impl->thread = std::thread([state] { state->run(); });
    return std::unique_ptr<RawServer>(new RawServer(std::move(impl)));
}

RawServer::~RawServer() {
    impl_->stopping = true;
    impl_->thread.join();
    ::close(impl_->listener);
}

int RawServer::port() const { return impl_->port; }

std::string RawServer::url(std::string_view path) const {
    return "http://127.0.0.1:" + std::to_string(impl_->port) + std::string(path);
}

std::size_t RawServer::requestCount() const { return impl_->requests.load(); }

} // namespace testsupport
