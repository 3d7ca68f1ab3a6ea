#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>

namespace vyd {

// Enumerations with raw values give `rawValue(value)` as an overload and specialise one of these
// for their type: `fromRawValue<AuthType>("app2web")`. A raw value that names no case gives
// nothing; raw strings compare exactly (case-sensitive).
template <class Enum>
std::optional<Enum> fromRawValue(std::string_view raw);
template <class Enum>
std::optional<Enum> fromRawValue(std::int64_t raw);

// The cases of a string-valued enumeration with their raw values, for the two helpers above.
template <class Enum, std::size_t Count>
struct RawValueTable {
    std::array<std::pair<Enum, std::string_view>, Count> entries;

    constexpr std::string_view rawValue(Enum value) const {
        for (const auto& [candidate, raw] : entries) {
            if (candidate == value) {
                return raw;
            }
        }
        return {};
    }

    constexpr std::optional<Enum> fromRawValue(std::string_view raw) const {
        for (const auto& [candidate, name] : entries) {
            if (name == raw) {
                return candidate;
            }
        }
        return std::nullopt;
    }
};

} // namespace vyd
