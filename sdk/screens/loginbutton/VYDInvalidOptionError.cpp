#include "sdk/screens/loginbutton/VYDInvalidOptionError.hpp"

namespace vyd {
namespace {

std::string message(std::string_view optionType, std::int64_t rawValue, std::int64_t lastValidRawValue) {
    return std::string(optionType) + " has no case with raw value " + std::to_string(rawValue) + " (valid: 0 to " +
           std::to_string(lastValidRawValue) + ")";
}

template <class Option>
Option valid(std::int64_t raw, std::string_view optionType, Option last) {
    if (auto option = fromRawValue<Option>(raw)) {
        return *option;
    }
    throw VYDInvalidOptionError(optionType, raw, rawValue(last));
}

} // namespace

VYDInvalidOptionError::VYDInvalidOptionError(std::string_view optionType, std::int64_t rawValue,
                                             std::int64_t lastValidRawValue)
    : std::invalid_argument(message(optionType, rawValue, lastValidRawValue)), optionType_(optionType),
      rawValue_(rawValue) {}

VYDLoginButtonStyle validLoginButtonStyle(std::int64_t raw) {
    return valid(raw, "VYDLoginButtonStyle", VYDLoginButtonStyle::white);
}

VYDLoginButtonTextType validLoginButtonTextType(std::int64_t raw) {
    return valid(raw, "VYDLoginButtonTextType", VYDLoginButtonTextType::continueWithVyID);
}

VYDCornerRadiusStyle validCornerRadiusStyle(std::int64_t raw) {
    return valid(raw, "VYDCornerRadiusStyle", VYDCornerRadiusStyle::capsule);
}

} // namespace vyd
