#pragma once
#include "platform/uikit/UIFont.hpp"

#include <optional>

namespace vyd {

// The host app's fonts for the SDK's screens; an absent font keeps the SDK's own.
class VYDFonts {
public:
    enum class VYDFontType { semibold, medium };

    VYDFonts() = default;
    VYDFonts(std::optional<uikit::UIFont> semiboldFont, std::optional<uikit::UIFont> mediumFont)
        : semiboldFont(std::move(semiboldFont)), mediumFont(std::move(mediumFont)) {}

    std::optional<uikit::UIFont> semiboldFont;
    std::optional<uikit::UIFont> mediumFont;

    const std::optional<uikit::UIFont>& font(VYDFontType type) const {
        return type == VYDFontType::semibold ? semiboldFont : mediumFont;
    }

    // The fonts that `other` sets win; the ones it leaves absent stay.
    void merge(const VYDFonts& other) {
        if (other.semiboldFont) {
            semiboldFont = other.semiboldFont;
        }
        if (other.mediumFont) {
            mediumFont = other.mediumFont;
        }
    }

    friend bool operator==(const VYDFonts&, const VYDFonts&) = default;
};

} // namespace vyd
