#pragma once
#include "sdk/base/RawValue.hpp"

#include <string_view>

namespace vyd {

// The authorization method, as it travels in the "auth_type" query item and in analytics.
enum class AuthType { app2app, oidc2app, app2web, app2otp, vyID };

std::string_view rawValue(AuthType type);
template <>
std::optional<AuthType> fromRawValue<AuthType>(std::string_view raw);

} // namespace vyd
