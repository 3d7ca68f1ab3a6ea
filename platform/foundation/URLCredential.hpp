#pragma once

#include "platform/security/SecTrust.hpp"

#include <memory>

namespace foundation {

// The answer to a server-trust challenge: "trust this server", carrying the trust that was
// accepted. Other kinds of credential are not needed headless.
class URLCredential {
public:
    explicit URLCredential(std::shared_ptr<security::SecTrust> trust) : trust_(std::move(trust)) {}

    const std::shared_ptr<security::SecTrust>& serverTrust() const { return trust_; }

private:
    std::shared_ptr<security::SecTrust> trust_;
};

} // namespace foundation
