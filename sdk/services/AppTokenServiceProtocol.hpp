#pragma once
#include "platform/foundation/URL.hpp"
#include "sdk/base/VYDError.hpp"
#include "sdk/services/AppTokenDataModel.hpp"

#include <functional>
#include <optional>
#include <string>
#include <variant>

namespace vyd {

// The partner's single-sign-on address, or why there is none.
using SSOResult = std::variant<foundation::URL, VYDError>;

// The partner's app token, kept in the keychain shared with the VY Bank apps, and the single
// sign-on to the partner's pages that it allows.
class AppTokenServiceProtocol {
public:
    virtual ~AppTokenServiceProtocol() = default;

    // Stores the token with the current date, replacing any other.
    virtual void saveAppToken(const std::string& token) = 0;
    virtual std::optional<AppTokenDataModel> appToken() const = 0;
    virtual void deleteAppToken() = 0;

    // The personal account's single-sign-on address, from the session store's LiteELKModel
    // (partner link and client identifier) and the stored app token. Completes before it
    // returns.
    virtual void reloginSSOELKLite(std::function<void(SSOResult)> completion) = 0;
};

} // namespace vyd
