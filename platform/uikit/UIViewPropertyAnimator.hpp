#pragma once

// An interruptible view animation that code drives: started, paused, scrubbed through
// `fractionComplete`, reversed, continued, stopped and finished.
//
// Time runs on the main run loop's clock (foundation::Clock). When the animator first becomes
// active (start, pause, or a fraction set while inactive) its animation blocks run and the
// views take their end values at once, as model values do on the platform; blocks added while
// it is active run at once. The animator remembers each animated property's value before and
// after, so that finishing at the start puts the start values back and stopping in the middle
// leaves the values of the current fraction. Running, the fraction moves linearly with time
// (backwards when reversed); when it reaches its end the completions run, in the order added,
// with the end position (start when reversed). A running animator keeps itself alive until it
// completes, as on the platform.
//
// Misuse that raises on the platform (finishing an animator that is not stopped, starting a
// stopped one) prints a message on standard error and changes nothing.

#include "platform/coregraphics/CGGeometry.hpp"
#include "platform/uikit/UIViewAnimation.hpp"
#include "platform/uikit/UIViewAnimationContext.hpp"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace uikit {

using coregraphics::CGFloat;
using coregraphics::CGVector;

class UIView;

// The platform's raw values.
enum class UIViewAnimatingState : int { inactive = 0, active = 1, stopped = 2 };
enum class UIViewAnimatingPosition : int { end = 0, start = 1, current = 2 };

class UITimingCurveProvider {
public:
    virtual ~UITimingCurveProvider() = default;
};

class UICubicTimingParameters : public UITimingCurveProvider {
public:
    explicit UICubicTimingParameters(UIViewAnimationCurve animationCurve = UIViewAnimationCurve::easeInOut)
        : animationCurve(animationCurve) {}
    UIViewAnimationCurve animationCurve;
};

class UISpringTimingParameters : public UITimingCurveProvider {
public:
    explicit UISpringTimingParameters(CGFloat dampingRatio = 1, CGVector initialVelocity = {})
        : dampingRatio(dampingRatio), initialVelocity(initialVelocity) {}
    CGFloat dampingRatio;
    CGVector initialVelocity;
};

class UIViewPropertyAnimator : public std::enable_shared_from_this<UIViewPropertyAnimator> {
public:
    using Animations = std::function<void()>;
    using Completion = std::function<void(UIViewAnimatingPosition)>;

    static std::shared_ptr<UIViewPropertyAnimator> make(double duration, UIViewAnimationCurve curve,
                                                        Animations animations = {});
    static std::shared_ptr<UIViewPropertyAnimator> make(double duration, CGFloat dampingRatio,
                                                        Animations animations = {});
    static std::shared_ptr<UIViewPropertyAnimator> make(double duration,
                                                        std::shared_ptr<UITimingCurveProvider> timingParameters);
    // Made, given its animations and completion, and started at once (after the delay).
    static std::shared_ptr<UIViewPropertyAnimator> runningPropertyAnimator(double withDuration, double delay,
                                                                           UIViewAnimationOptions options,
                                                                           Animations animations,
                                                                           Completion completion = {});

    ~UIViewPropertyAnimator();
    UIViewPropertyAnimator(const UIViewPropertyAnimator&) = delete;
    UIViewPropertyAnimator& operator=(const UIViewPropertyAnimator&) = delete;

    double duration() const { return duration_; }
    double delay() const { return delay_; }
    const std::shared_ptr<UITimingCurveProvider>& timingParameters() const { return timing_; }

    UIViewAnimatingState state() const { return state_; }
    bool isRunning() const { return running_; }
    bool isReversed() const { return reversed_; }
    // Reversing a running animator turns it round where it is: it completes at the start.
    void setReversed(bool reversed);
    bool isInterruptible() const { return interruptible_; }
    void setInterruptible(bool interruptible) { interruptible_ = interruptible; }

    // 0 at the start, 1 at the end. Settable while not running; setting it on an inactive
    // animator makes it active and paused.
    CGFloat fractionComplete() const;
    void setFractionComplete(CGFloat fraction);

    void addAnimations(Animations animations);
    // The delay factor is accepted for compatibility: blocks run when the animator does.
    void addAnimations(Animations animations, CGFloat delayFactor);
    void addCompletion(Completion completion);

    void startAnimation();
    void startAnimation(double afterDelay);
    void pauseAnimation();
    // Resumes from where it is; the rest takes `durationFactor` times the share of the duration
    // that is left (a factor of 0 or less counts as 1).
    void continueAnimation(std::shared_ptr<UITimingCurveProvider> withTimingParameters, CGFloat durationFactor);
    // Without finishing: inactive at once, the values of the current fraction kept, no
    // completion. Otherwise stopped, waiting for finishAnimation(at:).
    void stopAnimation(bool withoutFinishing);
    // Only for a stopped animator: values of that position, completions, then inactive.
    void finishAnimation(UIViewAnimatingPosition at);

private:
    struct Change {
        std::weak_ptr<UIView> view;
        std::string keyPath;
        animation::CAAnimationValue from;
        animation::CAAnimationValue to;
    };
    class Recorder;

    UIViewPropertyAnimator(double duration, std::shared_ptr<UITimingCurveProvider> timing);

    void becomeActive();
    void runAnimations(const Animations& animations);
    void run(double afterDelay);
    void freeze();
    void scheduleCompletion();
    void completeNaturally();
    void applyPosition(UIViewAnimatingPosition position);
    void finish(UIViewAnimatingPosition position);

    double duration_;
    double delay_ = 0;
    std::shared_ptr<UITimingCurveProvider> timing_;
    std::vector<Animations> pendingAnimations_;
    std::vector<Completion> completions_;
    std::vector<Change> changes_;

    UIViewAnimatingState state_ = UIViewAnimatingState::inactive;
    bool running_ = false;
    bool reversed_ = false;
    bool interruptible_ = true;
    // The fraction at `anchorTime_`, and how many seconds a whole run takes from there.
    CGFloat anchorFraction_ = 0;
    double anchorTime_ = 0;
    double secondsPerUnit_ = 0;
    std::uint64_t generation_ = 0;
};

} // namespace uikit
