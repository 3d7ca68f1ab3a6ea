#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace security {

inline constexpr std::size_t CC_SHA256_DIGEST_LENGTH = 32;

using SHA256Digest = std::array<std::uint8_t, CC_SHA256_DIGEST_LENGTH>;

SHA256Digest sha256(std::span<const std::uint8_t> data);
SHA256Digest sha256(std::string_view text);

} // namespace security
