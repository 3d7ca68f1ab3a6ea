#pragma once
#include "sdk/base/IntegerOption.hpp"
#include "sdk/base/RawValue.hpp"

#include <cstdint>
#include <optional>

namespace vyd {

// How round the login button's corners are. A raw value from outside may be any integer; the
// button refuses one that names no case (see VYDInvalidOptionError.hpp).
enum class VYDCornerRadiusStyle : std::int64_t {
    // Radius 0.
    square = 0,
    // Radius 4.
    rounded = 1,
    // Half the button's height.
    capsule = 2,
};

inline constexpr std::int64_t rawValue(VYDCornerRadiusStyle style) { return static_cast<std::int64_t>(style); }

template <>
inline std::optional<VYDCornerRadiusStyle> fromRawValue<VYDCornerRadiusStyle>(std::int64_t raw) {
    return integerOption(raw, VYDCornerRadiusStyle::capsule);
}

} // namespace vyd
