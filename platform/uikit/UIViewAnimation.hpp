#pragma once

// Options and curves of view animations, with the platform's raw values.
//
// View animations run on the clock of the main run loop (foundation::Clock): the animation block
// applies its end values at once; each animatable change it makes (frame, bounds, centre,
// transform, alpha, background colour) becomes a basic animation on the view's layer, and the
// completion runs on the main queue once delay + duration have passed, with `finished` false when
// any of those layer animations was removed first (`layer()->removeAllAnimations()`).

#include "platform/foundation/OptionSet.hpp"
#include <functional>

namespace uikit {

enum class UIViewAnimationOptions : unsigned {
    none = 0,
    layoutSubviews = 1u << 0,
    allowUserInteraction = 1u << 1,
    beginFromCurrentState = 1u << 2,
    repeat = 1u << 3,
    autoreverse = 1u << 4,
    overrideInheritedDuration = 1u << 5,
    overrideInheritedCurve = 1u << 6,
    allowAnimatedContent = 1u << 7,
    showHideTransitionViews = 1u << 8,
    overrideInheritedOptions = 1u << 9,
    curveEaseInOut = 0u << 16,
    curveEaseIn = 1u << 16,
    curveEaseOut = 2u << 16,
    curveLinear = 3u << 16,
};

VYD_OPTION_SET(UIViewAnimationOptions)

enum class UIViewAnimationCurve : int { easeInOut = 0, easeIn = 1, easeOut = 2, linear = 3 };

constexpr UIViewAnimationCurve curveOf(UIViewAnimationOptions options) {
    return UIViewAnimationCurve((rawValue(options) >> 16) & 3u);
}

using UIViewAnimations = std::function<void()>;
using UIViewAnimationCompletion = std::function<void(bool finished)>;

} // namespace uikit
