#pragma once
#include <cstdint>
#include <string_view>

namespace vyd {

// The login button's colour style.
enum class VYDLoginButtonStyle : std::int64_t { green = 0, white = 1 };

inline std::int64_t rawValue(VYDLoginButtonStyle style) { return static_cast<std::int64_t>(style); }
// "green" or "white"; the empty string for a raw value outside the enumeration.
inline std::string_view string(VYDLoginButtonStyle style) {
    switch (style) {
    case VYDLoginButtonStyle::green:
        return "green";
    case VYDLoginButtonStyle::white:
        return "white";
    }
    return {};
}

} // namespace vyd
