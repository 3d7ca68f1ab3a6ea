#pragma once
#include <cstdint>

namespace vyd {

// The login button's text variant.
enum class VYDLoginButtonTextType : std::int64_t { vyID = 0, loginWithVyID = 1, fillWithVyID = 2, continueWithVyID = 3 };

inline std::int64_t rawValue(VYDLoginButtonTextType type) { return static_cast<std::int64_t>(type); }

} // namespace vyd
