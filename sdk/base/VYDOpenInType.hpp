#pragma once
#include "sdk/base/RawValue.hpp"

namespace vyd {

// Where a partner page opens: in the SDK's web view or in the system browser view.
enum class VYDOpenInType : std::int64_t { webView = 0, browser = 1 };

inline std::int64_t rawValue(VYDOpenInType type) { return static_cast<std::int64_t>(type); }
template <>
inline std::optional<VYDOpenInType> fromRawValue<VYDOpenInType>(std::int64_t raw) {
    if (raw == rawValue(VYDOpenInType::webView) || raw == rawValue(VYDOpenInType::browser)) {
        return static_cast<VYDOpenInType>(raw);
    }
    return std::nullopt;
}

} // namespace vyd
