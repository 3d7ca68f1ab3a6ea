#pragma once

// What the simulated user does beyond taps and drags of a view: bringing the keyboard up and
// down (the platform's keyboard notifications, see uikit/UIKeyboard.hpp) and tapping the
// backdrop of a modal presentation (the part of its container view that the presented view
// does not cover). Main thread only.

#include "platform/coregraphics/CGGeometry.hpp"

#include <memory>

namespace uikit {
class UIView;
class UIViewController;
} // namespace uikit

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
    static bool isVisible();
    static coregraphics::CGFloat height();
    // Down, without any notification (a new device).
    static void reset();
};

class SimulatedBackdrop {
public:
    // Taps the container view of the presentation of `presented` outside the presented view
    // (above it when there is room, else below, left or right). Returns the view the touch hit,
    // or null, with a message on standard error, when `presented` is not presented or its view
    // covers the whole container.
    static std::shared_ptr<uikit::UIView> tap(const std::shared_ptr<uikit::UIViewController>& presented);
};

} // namespace testing
