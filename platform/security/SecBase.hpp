#pragma once

#include <cstdint>
#include <vector>

namespace security {

// Result codes keep the platform's numeric values so that logs and callers can compare them
// with what the platform documents.
using OSStatus = std::int32_t;

inline constexpr OSStatus errSecSuccess = 0;
inline constexpr OSStatus errSecIO = -36;
inline constexpr OSStatus errSecWrPerm = -61;
inline constexpr OSStatus errSecParam = -50;
inline constexpr OSStatus errSecNotAvailable = -25291;
inline constexpr OSStatus errSecDuplicateItem = -25299;
inline constexpr OSStatus errSecItemNotFound = -25300;
inline constexpr OSStatus errSecDecode = -26275;

using Bytes = std::vector<std::uint8_t>;

} // namespace security
