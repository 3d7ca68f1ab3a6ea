#pragma once
#include <optional>
#include <string>

namespace vyd {

enum class VYDErrorType {
    // A stored or given link is not a usable web address.
    linkIsNotValid,
    // No app token is stored for the partner.
    appTokenNotFound,
    // The request or the call cannot start a login: no view controller, or a redirect URI that
    // is not a URL.
    invalidRequest,
    // No client identifier is set, so there is no authorization address.
    clientIdNotFound,
    unknown,
};

// The error of the app-token and single-sign-on operations.
struct VYDError {
    VYDErrorType type = VYDErrorType::unknown;
    std::optional<std::string> message;

    friend bool operator==(const VYDError&, const VYDError&) = default;
};

} // namespace vyd
