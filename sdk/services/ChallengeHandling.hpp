#pragma once
#include "platform/foundation/URLCredential.hpp"

#include <optional>
#include <variant>

namespace vyd {

// The answer to a server-trust challenge: go on with this credential, or cancel.
class ChallengeHandling {
public:
    struct UseCredential {
        foundation::URLCredential credential;
    };
    struct CancelAuthentication {};

    static ChallengeHandling useCredential(foundation::URLCredential credential) {
        return ChallengeHandling(UseCredential{std::move(credential)});
    }
    static ChallengeHandling cancelAuthentication() { return ChallengeHandling(CancelAuthentication{}); }

    bool isUseCredential() const { return std::holds_alternative<UseCredential>(value_); }
    // The credential to go on with; null when the challenge is to be cancelled.
    const foundation::URLCredential* credential() const {
        const auto* use = std::get_if<UseCredential>(&value_);
        return use ? &use->credential : nullptr;
    }
    const std::variant<UseCredential, CancelAuthentication>& value() const { return value_; }

private:
    explicit ChallengeHandling(std::variant<UseCredential, CancelAuthentication> value) : value_(std::move(value)) {}

    std::variant<UseCredential, CancelAuthentication> value_;
};

} // namespace vyd
