#pragma once
#include "sdk/base/IntegerOption.hpp"
#include "sdk/base/RawValue.hpp"

#include <cstdint>
#include <optional>

namespace vyd {

// The login button's text variant. A raw value from outside (a stored setting, a cast) may be any
// integer; the button and its settings refuse one that names no case (see VYDInvalidOptionError.hpp).
enum class VYDLoginButtonTextType : std::int64_t {
    // The product name alone; never personalised.
    vyID = 0,
    // The default.
    loginWithVyID = 1,
    fillWithVyID = 2,
    continueWithVyID = 3,
};

inline constexpr std::int64_t rawValue(VYDLoginButtonTextType type) { return static_cast<std::int64_t>(type); }

template <>
inline std::optional<VYDLoginButtonTextType> fromRawValue<VYDLoginButtonTextType>(std::int64_t raw) {
    return integerOption(raw, VYDLoginButtonTextType::continueWithVyID);
}

} // namespace vyd
