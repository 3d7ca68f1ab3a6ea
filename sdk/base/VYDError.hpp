#pragma once
#include <optional>
#include <string>

namespace vyd {

enum class VYDErrorType {
    // A stored or given link is not a usable web address.
    linkIsNotValid,
    // No app token is stored for the partner.
    appTokenNotFound,
    unknown,
};

// The error of the app-token and single-sign-on operations.
struct VYDError {
    VYDErrorType type = VYDErrorType::unknown;
    std::optional<std::string> message;

    friend bool operator==(const VYDError&, const VYDError&) = default;
};

} // namespace vyd
