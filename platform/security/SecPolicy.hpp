#pragma once

#include <optional>
#include <string>

namespace security {

// What a trust evaluation checks besides the chain: the TLS server policy adds the server
// purpose and, when a host is given, that the leaf names this host (DNS name or IP address).
class SecPolicy {
public:
    static SecPolicy createSSL(bool server, std::optional<std::string> hostname) {
        return SecPolicy(server, std::move(hostname));
    }

    bool isSSLServer() const { return sslServer_; }
    const std::optional<std::string>& hostname() const { return hostname_; }

    friend bool operator==(const SecPolicy&, const SecPolicy&) = default;

private:
    SecPolicy(bool sslServer, std::optional<std::string> hostname)
        : sslServer_(sslServer), hostname_(std::move(hostname)) {}

    bool sslServer_;
    std::optional<std::string> hostname_;
};

} // namespace security
