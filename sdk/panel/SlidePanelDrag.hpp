#pragma once

// The decisions a drag of the surface calls for: where the surface follows the finger, and
// where it goes when the finger lets go. Pure functions of the layout's positions and the
// behaviour, so that any speed or distance, however wild, ends at a state of the layout.

#include "platform/coregraphics/CGGeometry.hpp"
#include "sdk/panel/SlidePanelBehavior.hpp"
#include "sdk/panel/SlidePanelLayout.hpp"

namespace vyd {

struct SlidePanelRelease {
    // Take the panel away (the removal interaction is on and the flick or the distance asks
    // for it). `target` is then `hidden`.
    bool remove = false;
    SlidePanelStateRef target;
    // The speed to leave with, points per second (downwards positive), finite and bounded.
    CGFloat velocity = 0;
    // The same in surface travels per second (the distance from the lowest visible state to
    // hidden), as animators for hiding take it.
    CGFloat normalizedVelocity = 0;
};

class SlidePanelDrag {
public:
    // Where the surface's top lies for a finger that has moved `translation` points down
    // (negative: up) from where the surface was at `startTop`. It never goes below the hidden
    // place and, above the highest resting place, it resists and stops at the behaviour's
    // rubber-band limit.
    static CGFloat surfaceTop(const SlidePanelLayoutPositions& positions, const SlidePanelBehavior& behavior,
                              CGFloat startTop, CGFloat translation);

    // Where a surface let go at `top` with `velocity` (points per second, downwards positive)
    // goes from `current`, the state it was in.
    static SlidePanelRelease release(const SlidePanelLayoutPositions& positions, const SlidePanelBehavior& behavior,
                                     const SlidePanelStateRef& current, CGFloat top, CGFloat velocity,
                                     bool removalInteractionEnabled);
};

} // namespace vyd
