#pragma once
#include "platform/uikit/UIImage.hpp"

#include <array>
#include <memory>
#include <string_view>

namespace vyd {

// A named image of the SDK bundle.
struct ImageAsset {
    std::string_view name;

    // The image in the variant for the current traits. A missing or undecodable image is a
    // broken installation of the SDK and stops the process.
    std::shared_ptr<uikit::UIImage> image() const;
};

namespace Asset {
inline constexpr ImageAsset spinner{"spinner"};
inline constexpr ImageAsset webSpinner{"web_spinner"};
inline constexpr ImageAsset dsIc24CrossSmall{"ds_ic_24_cross_small"};
inline constexpr ImageAsset dsIc24ChevronLeftAlt1{"ds_ic_24_chevron_left_alt1"};
inline constexpr ImageAsset webDsIc24CrossSmall{"web_ds_ic_24_cross_small"};
inline constexpr ImageAsset gradientBackground{"gradient_background"};
inline constexpr ImageAsset vyLogo{"vy_logo"};

inline constexpr std::array<const ImageAsset*, 7> all{
    &spinner, &webSpinner, &dsIc24CrossSmall, &dsIc24ChevronLeftAlt1, &webDsIc24CrossSmall, &gradientBackground,
    &vyLogo,
};
} // namespace Asset

// Images of the bundle that callers load by name themselves (a missing one gives no image).
namespace AssetName {
inline constexpr std::string_view logoGreen = "logo_green";
inline constexpr std::string_view logoWhite = "logo_white";
inline constexpr std::string_view chevronBackward = "chevron_backward";
} // namespace AssetName

} // namespace vyd
