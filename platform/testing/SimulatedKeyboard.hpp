#pragma once

// What the simulated user does beyond taps and drags of a view: bringing the keyboard up and
// down (the platform's keyboard notifications, see uikit/UIKeyboard.hpp). Main thread only.

#include "platform/coregraphics/CGGeometry.hpp"

namespace testing {

class SimulatedKeyboard {
public:
    // The height of the software keyboard with its suggestion bar on a current iPhone.
    static constexpr coregraphics::CGFloat defaultHeight = 336;
    static constexpr double animationDuration = 0.25;

    // Posts the will-show notification now and the did-show one when the keyboard's animation
    // has run on the clock. The frames are at the bottom of the screen. Showing a keyboard that
    // shows already posts will-show again with the new frame (as a height change does).
    static void show(coregraphics::CGFloat height = defaultHeight);
    // Posts will-hide now and did-hide after the animation; nothing when the keyboard is down.
    static void hide();
    // Down, without any notification (a new device).
    static void reset();
};

} // namespace testing
