#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace foundation {

using Data = std::vector<std::uint8_t>;

inline Data dataFromString(std::string_view text) { return Data(text.begin(), text.end()); }

// The bytes as they are: no UTF-8 check, so nothing is lost.
inline std::string stringFromData(const Data& data) { return std::string(data.begin(), data.end()); }

} // namespace foundation
