#pragma once
#include "sdk/base/IntegerOption.hpp"
#include "sdk/base/RawValue.hpp"

#include <cstdint>
#include <optional>
#include <string_view>

namespace vyd {

// The login button's colour style. A raw value from outside (a stored setting, a cast) may be any
// integer; the button and its settings refuse one that names no case (see
// VYDInvalidOptionError.hpp).
enum class VYDLoginButtonStyle : std::int64_t {
    // Brand-coloured button, white logo and text, no border.
    green = 0,
    // White button, green logo, black text, one-point border.
    white = 1,
};

inline constexpr std::int64_t rawValue(VYDLoginButtonStyle style) { return static_cast<std::int64_t>(style); }

template <>
inline std::optional<VYDLoginButtonStyle> fromRawValue<VYDLoginButtonStyle>(std::int64_t raw) {
    return integerOption(raw, VYDLoginButtonStyle::white);
}

// "green" or "white", as analytics reports the style; the empty string for a value that names
// no case.
inline constexpr std::string_view string(VYDLoginButtonStyle style) {
    switch (style) {
    case VYDLoginButtonStyle::green:
        return "green";
    case VYDLoginButtonStyle::white:
        return "white";
    }
    return {};
}

} // namespace vyd
