#pragma once
#include <optional>
#include <string>

namespace vyd {

// The host app's authorization request. The SDK remembers state, nonce and redirect URI for the
// return link and sends the rest in the authorization link; it never exchanges the code itself.
struct VYDAuthRequest {
    std::string scope;
    std::string state;
    std::string nonce;
    std::string redirectUri;
    // When set, the authorization page (or bank app link) to use instead of the stand's.
    std::optional<std::string> ssoBaseUrl;
    // PKCE: the challenge the host app derived from its verifier, and its method ("S256").
    std::optional<std::string> codeChallenge;
    std::optional<std::string> codeChallengeMethod;
    std::optional<std::string> loginHint;

    friend bool operator==(const VYDAuthRequest&, const VYDAuthRequest&) = default;
};

} // namespace vyd
