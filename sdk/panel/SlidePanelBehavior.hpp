#pragma once

// How the panel answers the user's hand: the spring that carries the surface to its resting
// place after a drag, whether a drag may change the state, and how hard a downward flick must
// be to take the panel away.

#include "sdk/panel/SpringMotion.hpp"

namespace vyd {

class SlidePanelBehavior {
public:
    virtual ~SlidePanelBehavior() = default;

    // The spring of the surface after a drag and of animated moves between visible states.
    virtual SpringParameters spring() const { return {}; }
    // False: a drag never leaves the panel in another state than the one it started in (it
    // springs back, or the panel is removed).
    virtual bool allowsStateChangeByDrag() const { return true; }
    // Release speeds (points per second) below this count as no fling: the panel goes to the
    // state nearest to where it was let go.
    virtual double flingVelocityThreshold() const { return 300; }
    // A downward flick removes the panel (when its removal interaction is on) once its speed,
    // in surface travels per second (the distance from the lowest visible state to hidden),
    // reaches this.
    virtual double removalInteractionVelocityThreshold() const { return 5.5; }
    // The part of the way from the lowest visible state to hidden past which a release that is
    // not an upward fling removes the panel.
    virtual double removalProgressThreshold() const { return 0.5; }
    // How far (points) the surface may be pulled beyond its highest resting place; it resists
    // more the further it goes and never passes this.
    virtual double rubberBandLimit() const { return 60; }
};

// What a panel does unless told otherwise.
class SlidePanelDefaultBehavior : public SlidePanelBehavior {};

} // namespace vyd
