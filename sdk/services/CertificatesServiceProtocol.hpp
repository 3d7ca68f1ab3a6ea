#pragma once
#include "platform/foundation/URLAuthenticationChallenge.hpp"
#include "sdk/services/ChallengeHandling.hpp"

namespace vyd {

// Server-trust decisions for the SDK's connections and web scenes. Safe from any thread.
class CertificatesServiceProtocol {
public:
    virtual ~CertificatesServiceProtocol() = default;

    // Uses a credential made from the server's trust only when the challenge is a server-trust
    // challenge with a trust, the SDK's anchors are set on it (they alone count), and it
    // validates under the TLS server policy for the challenge's host; cancels otherwise.
    virtual ChallengeHandling detectAuthHandling(const foundation::URLAuthenticationChallenge& challenge) const = 0;
};

} // namespace vyd
