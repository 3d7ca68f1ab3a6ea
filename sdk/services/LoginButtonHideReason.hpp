#pragma once
#include "sdk/base/RawValue.hpp"

#include <string_view>

namespace vyd {

// Why the login button hid itself.
enum class LoginButtonHideReason {
    // The client identifier is on the user blacklist: "blocked".
    blacklist,
    // The SDK version is on the critical list: "version".
    versions,
};

std::string_view rawValue(LoginButtonHideReason reason);
template <>
std::optional<LoginButtonHideReason> fromRawValue<LoginButtonHideReason>(std::string_view raw);

} // namespace vyd
