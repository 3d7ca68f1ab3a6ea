#include "sdk/panel/SpringAnimator.hpp"

#include "platform/foundation/Dispatch.hpp"

#include <algorithm>
#include <cassert>
#include <cmath>

namespace vyd {

std::shared_ptr<SpringAnimator> SpringAnimator::make(double from, double to, double velocity,
                                                     SpringParameters parameters, Step step, Completion completion) {
    return std::make_shared<SpringAnimator>(from, to, velocity, parameters, std::move(step), std::move(completion));
}

SpringAnimator::SpringAnimator(double from, double to, double velocity, SpringParameters parameters, Step step,
                               Completion completion)
    : to_(std::isfinite(to) ? to : 0), motion_(std::isfinite(from) ? from - to_ : 0, velocity, parameters),
      lastValue_(to_ + motion_.initialDisplacement()), duration_(motion_.settlingTime()), step_(std::move(step)),
      completion_(std::move(completion)) {}

void SpringAnimator::start() {
    assert(foundation::isMainThread());
    if (running_ || ended_) {
        return;
    }
    running_ = true;
    startTime_ = foundation::Clock::now();
    scheduleFrame();
}

void SpringAnimator::stop() {
    if (running_) {
        lastValue_ = value();
        finish(false);
    }
}

double SpringAnimator::elapsed() const { return running_ ? std::max(0.0, foundation::Clock::now() - startTime_) : 0; }

double SpringAnimator::value() const { return running_ ? to_ + motion_.offset(elapsed()) : lastValue_; }

double SpringAnimator::velocity() const { return running_ ? motion_.velocity(elapsed()) : 0; }

void SpringAnimator::scheduleFrame() {
    // The frame holds the animator: a running spring lives until it ends.
    foundation::DispatchQueue::main().asyncAfter(frameInterval, [self = shared_from_this()] { self->frame(); });
}

void SpringAnimator::frame() {
    if (!running_) {
        return;
    }
    const double t = elapsed();
    if (t >= duration_) {
        lastValue_ = to_;
        if (step_) {
            step_(to_);
        }
        // A step may have stopped the spring.
        if (running_) {
            finish(true);
        }
        return;
    }
    lastValue_ = to_ + motion_.offset(t);
    if (step_) {
        step_(lastValue_);
    }
    if (running_) {
        scheduleFrame();
    }
}

void SpringAnimator::finish(bool finished) {
    running_ = false;
    ended_ = true;
    step_ = nullptr;
    if (auto completion = std::move(completion_)) {
        completion_ = nullptr;
        completion(finished);
    }
}

} // namespace vyd
