#pragma once
#include "sdk/base/VYDCornerRadiusStyle.hpp"
#include "sdk/base/VYDLoginButtonStyle.hpp"
#include "sdk/base/VYDLoginButtonTextType.hpp"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vyd {

// Thrown by the login button's and its settings' public entry points when a style, text type or
// corner style holds an integer that names none of the option's cases (a raw value from
// outside, or a cast, can be any integer). It is thrown before anything happens: no button is made, no
// event is sent and no setting changes. what() reads like
// "VYDLoginButtonStyle has no case with raw value 7 (valid: 0 to 1)".
class VYDInvalidOptionError : public std::invalid_argument {
public:
    VYDInvalidOptionError(std::string_view optionType, std::int64_t rawValue, std::int64_t lastValidRawValue);

    // The option's type name, e.g. "VYDCornerRadiusStyle".
    const std::string& optionType() const { return optionType_; }
    std::int64_t rawValue() const { return rawValue_; }

private:
    std::string optionType_;
    std::int64_t rawValue_;
};

// The option with that raw value; VYDInvalidOptionError when there is none.
VYDLoginButtonStyle validLoginButtonStyle(std::int64_t raw);
VYDLoginButtonTextType validLoginButtonTextType(std::int64_t raw);
VYDCornerRadiusStyle validCornerRadiusStyle(std::int64_t raw);

// The value itself when it is one of its type's cases; VYDInvalidOptionError otherwise.
inline VYDLoginButtonStyle validOption(VYDLoginButtonStyle style) { return validLoginButtonStyle(rawValue(style)); }
inline VYDLoginButtonTextType validOption(VYDLoginButtonTextType type) {
    return validLoginButtonTextType(rawValue(type));
}
inline VYDCornerRadiusStyle validOption(VYDCornerRadiusStyle style) { return validCornerRadiusStyle(rawValue(style)); }

} // namespace vyd
