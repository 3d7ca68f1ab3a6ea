#pragma once
#include <optional>
#include <string>

namespace vyd {

// The outcome of a return link. On success `code` holds the authorization code for the host app
// to exchange; otherwise `error` says why ("invalid_state", "internal_error" or the bank's own).
struct VYDAuthResponse {
    bool isSuccess = false;
    std::optional<std::string> nonce;
    std::optional<std::string> state;
    std::optional<std::string> code;
    std::optional<std::string> appToken;
    std::optional<std::string> error;

    friend bool operator==(const VYDAuthResponse&, const VYDAuthResponse&) = default;
};

} // namespace vyd
