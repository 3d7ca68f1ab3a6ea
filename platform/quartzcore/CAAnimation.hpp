#pragma once

// Animations that layers run under keys. Nothing is drawn; what matters is when an animation
// starts and stops on the clock (foundation::Clock), so that code waiting for it behaves as on
// a device.
//
// Animations are reference types made by `make(...)`. A layer keeps its own copy of what is
// added to it, as the platform does, so changing an animation after adding it changes nothing
// on the layer.

#include "platform/coregraphics/CGGeometry.hpp"

#include <memory>
#include <optional>
#include <string>

namespace quartzcore {

using coregraphics::CGFloat;

// Seconds on the clock that timers run on (foundation::Clock), the time base of `beginTime`.
double CACurrentMediaTime();

enum class CAMediaTimingFunctionName { linear, easeIn, easeOut, easeInEaseOut, defaultCurve };

struct CAMediaTimingFunction {
    CAMediaTimingFunctionName name = CAMediaTimingFunctionName::defaultCurve;
    friend bool operator==(const CAMediaTimingFunction&, const CAMediaTimingFunction&) = default;
};

class CAAnimation;

class CAAnimationDelegate {
public:
    virtual ~CAAnimationDelegate() = default;
    virtual void animationDidStart(const CAAnimation& animation) {}
    // `finished` is true when the animation ran its whole time, false when it was removed (or
    // replaced under its key) before that.
    virtual void animationDidStop(const CAAnimation& animation, bool finished) {}
};

class CAAnimation {
public:
    static std::shared_ptr<CAAnimation> make() { return std::shared_ptr<CAAnimation>(new CAAnimation()); }
    virtual ~CAAnimation() = default;
    virtual std::shared_ptr<CAAnimation> copy() const { return std::shared_ptr<CAAnimation>(new CAAnimation(*this)); }

    // Zero means the current transaction's animation duration.
    double duration = 0;
    // Zero means once; infinity (HUGE_VALF) repeats until the animation is removed.
    float repeatCount = 0;
    bool autoreverses = false;
    // Zero means "when added"; otherwise a time in CACurrentMediaTime()'s base.
    double beginTime = 0;
    std::optional<CAMediaTimingFunction> timingFunction;
    // Held strongly, as on the platform.
    std::shared_ptr<CAAnimationDelegate> delegate;

    // How long the animation runs once started, with `transactionDuration` standing in for a
    // zero duration; infinity for an endless animation.
    double activeDuration(double transactionDuration) const;

protected:
    CAAnimation() = default;
    CAAnimation(const CAAnimation&) = default;
    CAAnimation& operator=(const CAAnimation&) = default;
};

class CAPropertyAnimation : public CAAnimation {
public:
    std::shared_ptr<CAAnimation> copy() const override {
        return std::shared_ptr<CAAnimation>(new CAPropertyAnimation(*this));
    }

    std::string keyPath;

protected:
    explicit CAPropertyAnimation(std::string path) : keyPath(std::move(path)) {}
    CAPropertyAnimation(const CAPropertyAnimation&) = default;
};

} // namespace quartzcore
