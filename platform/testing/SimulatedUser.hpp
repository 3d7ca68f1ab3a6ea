#pragma once

// The simulated user: taps and drags views the way a finger would, through the hit test, the
// gesture recognisers and the controls of the view tree (uikit::UITouchSequence).
//
// Locations are in the coordinates of the root of the view's hierarchy (the window's once there
// is one). Time stamps of the touches count from the clock's current time in steps of a 60th of
// a second; the clock itself is not moved, so timers do not fire during a gesture.

#include "platform/uikit/UIView.hpp"

#include <memory>

namespace testing {

class SimulatedUser {
public:
    // Taps the centre of the view as it shows on screen. Returns the view the touch hit (the
    // view itself, one of its subviews, or whatever covers it), or none when nothing there
    // takes touches. A tap recogniser on the way recognises; a control hit sends touchUpInside.
    static std::shared_ptr<uikit::UIView> tap(const std::shared_ptr<uikit::UIView>& view);
    // Taps a point given in the view's own coordinates.
    static std::shared_ptr<uikit::UIView> tap(const std::shared_ptr<uikit::UIView>& view,
                                              const uikit::CGPoint& location);

    // Puts a finger on the centre of the view, moves it by `translation` (root coordinates) in
    // `steps` moves and lifts it, moving at `velocity` (points per second) over the last move.
    // Pan recognisers on the way go through began, changed and ended (a drag shorter than their
    // 10-point threshold does not begin them). Returns the view the touch hit.
    static std::shared_ptr<uikit::UIView> drag(const std::shared_ptr<uikit::UIView>& view,
                                               const uikit::CGPoint& translation,
                                               const uikit::CGPoint& velocity = {}, int steps = 10);

    static constexpr double frameInterval = 1.0 / 60.0;
};

} // namespace testing
