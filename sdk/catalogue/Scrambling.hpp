#pragma once
#include <string>
#include <string_view>

namespace vyd {

// Catalogue values of keys ending in "-b64" are kept out of plain sight in the bundle: the bytes
// are XORed with a keystream derived from a fixed SDK key and the entry's own key, prefixed with
// a check value, and base64 encoded. The same plain text scrambles differently under another key,
// so a value copied to the wrong entry does not unscramble.

// The stored form of `plain` for the catalogue entry `key`.
std::string scramble(std::string_view plain, std::string_view key);

// The plain text of a stored value, or the empty string when the value was not made by
// `scramble` for this key (bad base64, too short, check value wrong). Never throws.
std::string unscramble(std::string_view stored, std::string_view key) noexcept;

// True for the keys whose values are stored scrambled.
bool isScrambledKey(std::string_view key) noexcept;

} // namespace vyd
