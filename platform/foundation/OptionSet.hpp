#pragma once
#include <type_traits>

// Gives an enumeration of flags the operations of an option set. Write it right after the
// enumeration, in the same namespace, so that the operators are found with the type.
#define VYD_OPTION_SET(Enum)                                                                                           \
    constexpr std::underlying_type_t<Enum> rawValue(Enum value) {                                                      \
        return static_cast<std::underlying_type_t<Enum>>(value);                                                       \
    }                                                                                                                  \
    constexpr Enum operator|(Enum a, Enum b) { return Enum(rawValue(a) | rawValue(b)); }                               \
    constexpr Enum operator&(Enum a, Enum b) { return Enum(rawValue(a) & rawValue(b)); }                               \
    constexpr Enum& operator|=(Enum& a, Enum b) { return a = a | b; }                                                  \
    /* Every flag of `flags` is in `set`. */                                                                           \
    constexpr bool contains(Enum set, Enum flags) { return (rawValue(set) & rawValue(flags)) == rawValue(flags); }     \
    /* At least one flag is in both. */                                                                                \
    constexpr bool intersects(Enum a, Enum b) { return (rawValue(a) & rawValue(b)) != 0; }
