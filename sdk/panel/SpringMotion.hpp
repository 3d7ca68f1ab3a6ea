#pragma once

// The motion of a damped spring that pulls a value to its target, in closed form.
//
// The panel springs its surface towards an anchor after a drag; the motion is evaluated at any
// time from the start, so frames may come late or irregularly (a busy run loop, a manual clock
// that jumps) without the spring going unstable. The spring is described by its response (the
// period of the undamped oscillation, in seconds) and its damping ratio (1: critically damped,
// below 1: it overshoots and rings, above 1: it creeps in).

namespace vyd {

struct SpringParameters {
    double response = 0.35;
    double dampingRatio = 1.0;
    // Starting speeds beyond this (points per second) are cut down to it, so that a wild fling
    // cannot throw the surface far past its anchor.
    double maximumVelocity = 6000;
};

class SpringMotion {
public:
    // The offset from the target starts at `displacement` (start minus target) and changes at
    // `velocity` points per second. Values that are not finite, and parameters out of range,
    // are replaced by safe ones (no move, the default spring).
    SpringMotion(double displacement, double velocity, SpringParameters parameters = {});

    // The offset from the target and its rate of change, `time` seconds after the start.
    double offset(double time) const;
    double velocity(double time) const;

    // The first time, on a 1/60 s grid, from which the offset stays within `tolerance` points
    // for good; never more than `maximumDuration`.
    double settlingTime(double tolerance = 0.1, double maximumDuration = 5.0) const;

    double initialDisplacement() const { return displacement_; }
    double initialVelocity() const { return velocity_; }

private:
    enum class Regime { critical, under, over };

    void prepare();
    // A bound of |offset(t)|.
    double envelope(double time) const;

    double displacement_;
    double velocity_;
    double omega_;
    double zeta_;
    // The coefficients of the closed form of the regime (see offset()).
    Regime regime_ = Regime::critical;
    double a_ = 0;
    double b_ = 0;
    double rate1_ = 0;
    double rate2_ = 0;
};

} // namespace vyd
