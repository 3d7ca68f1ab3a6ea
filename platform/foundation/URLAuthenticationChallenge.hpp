#pragma once

#include "platform/foundation/URLCredential.hpp"
#include "platform/foundation/URLProtectionSpace.hpp"

#include <functional>
#include <optional>

namespace foundation {

// Raw values as on the platform.
enum class URLSessionAuthChallengeDisposition {
    useCredential = 0,
    performDefaultHandling = 1,
    cancelAuthenticationChallenge = 2,
    rejectProtectionSpace = 3,
};

using URLAuthenticationChallengeHandler =
    std::function<void(URLSessionAuthChallengeDisposition, std::optional<URLCredential>)>;

class URLAuthenticationChallenge {
public:
    explicit URLAuthenticationChallenge(URLProtectionSpace protectionSpace, int previousFailureCount = 0)
        : protectionSpace_(std::move(protectionSpace)), previousFailureCount_(previousFailureCount) {}

    const URLProtectionSpace& protectionSpace() const { return protectionSpace_; }
    int previousFailureCount() const { return previousFailureCount_; }

private:
    URLProtectionSpace protectionSpace_;
    int previousFailureCount_;
};

} // namespace foundation
