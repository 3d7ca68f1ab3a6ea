#pragma once

#include "platform/security/SecTrust.hpp"

#include <memory>
#include <string>

namespace foundation {

inline constexpr const char* NSURLAuthenticationMethodServerTrust = "NSURLAuthenticationMethodServerTrust";
inline constexpr const char* NSURLAuthenticationMethodDefault = "NSURLAuthenticationMethodDefault";

// Where a challenge comes from: the server's host and port, the protocol, the kind of
// authentication asked for and, for server trust, the server's certificate chain.
class URLProtectionSpace {
public:
    URLProtectionSpace(std::string host, int port, std::string protocol, std::string authenticationMethod,
                       std::shared_ptr<security::SecTrust> serverTrust = nullptr)
        : host_(std::move(host)), port_(port), protocol_(std::move(protocol)),
          authenticationMethod_(std::move(authenticationMethod)), serverTrust_(std::move(serverTrust)) {}

    const std::string& host() const { return host_; }
    int port() const { return port_; }
    const std::string& protocol() const { return protocol_; }
    const std::string& authenticationMethod() const { return authenticationMethod_; }
    // Present for server-trust challenges only.
    const std::shared_ptr<security::SecTrust>& serverTrust() const { return serverTrust_; }

private:
    std::string host_;
    int port_;
    std::string protocol_;
    std::string authenticationMethod_;
    std::shared_ptr<security::SecTrust> serverTrust_;
};

} // namespace foundation
