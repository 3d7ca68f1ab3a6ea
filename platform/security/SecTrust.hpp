#pragma once

#include "platform/security/SecBase.hpp"
#include "platform/security/SecCertificate.hpp"
#include "platform/security/SecPolicy.hpp"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace security {

struct SecTrustEvaluation {
    bool trusted = false;
    // Why the chain was refused; empty when it is trusted.
    std::string error;
};

// A peer's certificate chain (leaf first) with the policy it must satisfy. Without anchors the
// chain must lead to the system's trust store; once anchors are set only they are trusted, and
// any one of them may end the chain (pinning an intermediate or the leaf works as on the
// platform). A trust is shared between the network thread that made it and the delegate that
// evaluates it, so every member is safe to call from any thread.
class SecTrust {
public:
    static std::shared_ptr<SecTrust> create(std::vector<SecCertificate> chain, SecPolicy policy);
    // The trust a TLS connection to `host` presents: TLS server policy for that host.
    static std::shared_ptr<SecTrust> createForServer(std::vector<SecCertificate> chain, std::string host);

    std::vector<SecCertificate> certificateChain() const;
    SecPolicy policy() const;
    void setPolicy(SecPolicy policy);
    // The host the TLS server policy checks, empty when the policy checks none.
    std::string host() const;

    void setAnchorCertificates(std::vector<SecCertificate> anchors);
    // With `false` the system's trust store counts as well as the anchors.
    void setAnchorCertificatesOnly(bool anchorsOnly);

    SecTrustEvaluation evaluate() const;

private:
    SecTrust(std::vector<SecCertificate> chain, SecPolicy policy)
        : chain_(std::move(chain)), policy_(std::move(policy)) {}

    mutable std::mutex mutex_;
    std::vector<SecCertificate> chain_;
    SecPolicy policy_;
    std::vector<SecCertificate> anchors_;
    bool anchorsSet_ = false;
    bool anchorsOnly_ = true;
};

} // namespace security
