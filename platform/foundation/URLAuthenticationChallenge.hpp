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
    explicit URLAuthenticationChallenge(URLProtectionSpace protectionSpace)
        : protectionSpace_(std::move(protectionSpace)) {}

    const URLProtectionSpace& protectionSpace() const { return protectionSpace_; }

private:
    URLProtectionSpace protectionSpace_;
};

} // namespace foundation
