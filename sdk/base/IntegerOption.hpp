#pragma once
#include <cstdint>
#include <optional>

namespace vyd {

// The case of an integer option enumeration whose cases run from 0 to `last` without gaps;
// nothing for any other integer.
template <class Option>
constexpr std::optional<Option> integerOption(std::int64_t raw, Option last) {
    if (raw < 0 || raw > static_cast<std::int64_t>(last)) {
        return std::nullopt;
    }
    return static_cast<Option>(raw);
}

} // namespace vyd
