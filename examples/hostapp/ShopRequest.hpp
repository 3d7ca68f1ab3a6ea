#pragma once
// The shop's login request, as each road of the example makes it.

#include "sdk/VYDCore.hpp"

#include <string>

namespace hostapp {

inline constexpr const char* shopRedirectUri = "vyshop://auth/return";

// `serial` sets the state and nonce apart, so each road's links show which road made them.
inline vyd::VYDAuthRequest shopRequest(std::string scope, const std::string& serial) {
    vyd::VYDAuthRequest request;
    request.scope = std::move(scope);
    request.state = "shop-state-" + serial;
    request.nonce = "shop-nonce-" + serial;
    request.redirectUri = shopRedirectUri;
    return request;
}

// The same with PKCE, whose challenge comes from the shop's fixed verifier.
inline vyd::VYDAuthRequest shopRequestWithPKCE(std::string scope, const std::string& serial) {
    auto request = shopRequest(std::move(scope), serial);
    request.codeChallenge = "E9Melhoa2OwvFrEMTJguCHaoeK1t8URWbuGJSstw-cM";
    request.codeChallengeMethod = "S256";
    return request;
}

} // namespace hostapp
