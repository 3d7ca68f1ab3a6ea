#pragma once
#include <string_view>

namespace vyd {

// The wire keys of the authorization link and of the return link.
namespace AuthParamKey {
inline constexpr std::string_view responseType = "response_type";
inline constexpr std::string_view clientId = "client_id";
inline constexpr std::string_view state = "state";
inline constexpr std::string_view nonce = "nonce";
inline constexpr std::string_view scope = "scope";
inline constexpr std::string_view redirectUri = "redirect_uri";
inline constexpr std::string_view codeChallenge = "code_challenge";
inline constexpr std::string_view codeChallengeMethod = "code_challenge_method";
inline constexpr std::string_view loginHint = "login_hint";
inline constexpr std::string_view authType = "auth_type";
inline constexpr std::string_view logUid = "logUid";
inline constexpr std::string_view code = "code";
inline constexpr std::string_view error = "error";
inline constexpr std::string_view appToken = "app_token";
} // namespace AuthParamKey

// The errors a return link can give besides the bank's own.
namespace AuthErrorValue {
inline constexpr std::string_view invalidState = "invalid_state";
inline constexpr std::string_view internalError = "internal_error";
} // namespace AuthErrorValue

// The value of "response_type" for web addresses.
inline constexpr std::string_view authorizationCodeResponseType = "code";

} // namespace vyd
