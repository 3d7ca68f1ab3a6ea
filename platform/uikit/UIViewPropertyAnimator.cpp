#include "platform/uikit/UIViewPropertyAnimator.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/uikit/UIView.hpp"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <iostream>

namespace uikit {

// Collects the changes an animation block makes, keeping each property's first value.
class UIViewPropertyAnimator::Recorder : public animation::Recorder {
public:
    explicit Recorder(std::vector<Change>& changes) : changes_(changes) {}

    void record(UIView& view, const std::string& keyPath, const animation::CAAnimationValue& from,
                const animation::CAAnimationValue& to) override {
        for (Change& change : changes_) {
            if (change.keyPath == keyPath && change.view.lock().get() == &view) {
                change.to = to;
                return;
            }
        }
        changes_.push_back({view.weak_from_this(), keyPath, from, to});
    }

private:
    std::vector<Change>& changes_;
};

namespace {

double sanitized(double seconds) { return std::isfinite(seconds) && seconds > 0 ? seconds : 0; }

} // namespace

UIViewPropertyAnimator::UIViewPropertyAnimator(double duration, std::shared_ptr<UITimingCurveProvider> timing)
    : duration_(sanitized(duration)), timing_(std::move(timing)) {}

UIViewPropertyAnimator::~UIViewPropertyAnimator() = default;

std::shared_ptr<UIViewPropertyAnimator> UIViewPropertyAnimator::make(double duration, UIViewAnimationCurve curve,
                                                                     Animations animations) {
    auto animator = make(duration, std::make_shared<UICubicTimingParameters>(curve));
    animator->addAnimations(std::move(animations));
    return animator;
}

std::shared_ptr<UIViewPropertyAnimator> UIViewPropertyAnimator::make(double duration, CGFloat dampingRatio,
                                                                     Animations animations) {
    auto animator = make(duration, std::make_shared<UISpringTimingParameters>(dampingRatio));
    animator->addAnimations(std::move(animations));
    return animator;
}

std::shared_ptr<UIViewPropertyAnimator>
UIViewPropertyAnimator::make(double duration, std::shared_ptr<UITimingCurveProvider> timingParameters) {
    if (!timingParameters) {
        timingParameters = std::make_shared<UICubicTimingParameters>();
    }
    return std::shared_ptr<UIViewPropertyAnimator>(new UIViewPropertyAnimator(duration, std::move(timingParameters)));
}

std::shared_ptr<UIViewPropertyAnimator>
UIViewPropertyAnimator::runningPropertyAnimator(double withDuration, double delay, UIViewAnimationOptions options,
                                                Animations animations, Completion completion) {
    auto animator = make(withDuration, curveOf(options), std::move(animations));
    animator->addCompletion(std::move(completion));
    animator->startAnimation(delay);
    return animator;
}

CGFloat UIViewPropertyAnimator::fractionComplete() const {
    if (!running_ || secondsPerUnit_ <= 0) {
        return anchorFraction_;
    }
    const double elapsed = std::max(0.0, foundation::Clock::now() - anchorTime_);
    const double moved = elapsed / secondsPerUnit_;
    return std::clamp<CGFloat>(reversed_ ? anchorFraction_ - moved : anchorFraction_ + moved, 0, 1);
}

void UIViewPropertyAnimator::setFractionComplete(CGFloat fraction) {
    if (running_ || state_ == UIViewAnimatingState::stopped || !std::isfinite(fraction)) {
        return;
    }
    if (state_ == UIViewAnimatingState::inactive) {
        becomeActive();
    }
    anchorFraction_ = std::clamp<CGFloat>(fraction, 0, 1);
}

void UIViewPropertyAnimator::setReversed(bool reversed) {
    if (reversed_ == reversed) {
        return;
    }
    if (running_) {
        freeze();
        reversed_ = reversed;
        run(0);
    } else {
        reversed_ = reversed;
    }
}

void UIViewPropertyAnimator::addAnimations(Animations animations) {
    if (!animations) {
        return;
    }
    if (state_ == UIViewAnimatingState::active) {
        runAnimations(animations);
    } else {
        pendingAnimations_.push_back(std::move(animations));
    }
}

void UIViewPropertyAnimator::addAnimations(Animations animations, CGFloat) { addAnimations(std::move(animations)); }

void UIViewPropertyAnimator::addCompletion(Completion completion) {
    if (completion) {
        completions_.push_back(std::move(completion));
    }
}

void UIViewPropertyAnimator::runAnimations(const Animations& animations) {
    Recorder recorder(changes_);
    animation::push(&recorder);
    animations();
    animation::pop();
}

void UIViewPropertyAnimator::becomeActive() {
    assert(foundation::isMainThread());
    state_ = UIViewAnimatingState::active;
    anchorFraction_ = reversed_ ? 1 : 0;
    const auto blocks = std::move(pendingAnimations_);
    pendingAnimations_.clear();
    for (const auto& block : blocks) {
        runAnimations(block);
    }
}

void UIViewPropertyAnimator::startAnimation() { startAnimation(0); }

void UIViewPropertyAnimator::startAnimation(double afterDelay) {
    if (state_ == UIViewAnimatingState::stopped) {
        std::cerr << "UIViewPropertyAnimator: a stopped animator cannot start: finish it first\n";
        return;
    }
    if (running_) {
        return;
    }
    if (state_ == UIViewAnimatingState::inactive) {
        delay_ = sanitized(afterDelay);
        becomeActive();
    }
    run(sanitized(afterDelay));
}

void UIViewPropertyAnimator::run(double afterDelay) {
    running_ = true;
    anchorTime_ = foundation::Clock::now() + afterDelay;
    if (secondsPerUnit_ <= 0) {
        secondsPerUnit_ = duration_;
    }
    scheduleCompletion();
}

void UIViewPropertyAnimator::freeze() {
    anchorFraction_ = fractionComplete();
    anchorTime_ = foundation::Clock::now();
    running_ = false;
    ++generation_; // the pending completion timer no longer applies
}

void UIViewPropertyAnimator::scheduleCompletion() {
    const CGFloat left = reversed_ ? anchorFraction_ : 1 - anchorFraction_;
    const double wait = std::max(0.0, anchorTime_ - foundation::Clock::now()) + left * secondsPerUnit_;
    const std::uint64_t generation = ++generation_;
    auto self = shared_from_this(); // a running animator lives until it completes
    foundation::DispatchQueue::main().asyncAfter(wait, [self, generation] {
        if (self->generation_ == generation && self->running_) {
            self->completeNaturally();
        }
    });
}

void UIViewPropertyAnimator::pauseAnimation() {
    if (state_ == UIViewAnimatingState::stopped) {
        std::cerr << "UIViewPropertyAnimator: a stopped animator cannot pause\n";
        return;
    }
    if (state_ == UIViewAnimatingState::inactive) {
        becomeActive();
        return;
    }
    if (running_) {
        freeze();
    }
}

void UIViewPropertyAnimator::continueAnimation(std::shared_ptr<UITimingCurveProvider> withTimingParameters,
                                               CGFloat durationFactor) {
    if (state_ != UIViewAnimatingState::active) {
        std::cerr << "UIViewPropertyAnimator: only an active animator can continue\n";
        return;
    }
    if (withTimingParameters) {
        timing_ = std::move(withTimingParameters);
    }
    if (running_) {
        freeze();
    }
    const CGFloat left = reversed_ ? anchorFraction_ : 1 - anchorFraction_;
    const double factor = std::isfinite(durationFactor) && durationFactor > 0 ? durationFactor : 1.0;
    // The rest takes `factor` times what is left of the duration.
    secondsPerUnit_ = left > 0 ? duration_ * factor : duration_;
    run(0);
}

void UIViewPropertyAnimator::completeNaturally() {
    anchorFraction_ = reversed_ ? 0 : 1;
    running_ = false;
    finish(reversed_ ? UIViewAnimatingPosition::start : UIViewAnimatingPosition::end);
}

void UIViewPropertyAnimator::stopAnimation(bool withoutFinishing) {
    if (state_ != UIViewAnimatingState::active) {
        return;
    }
    if (running_) {
        freeze();
    }
    applyPosition(UIViewAnimatingPosition::current);
    if (withoutFinishing) {
        state_ = UIViewAnimatingState::inactive;
        changes_.clear();
        completions_.clear();
        secondsPerUnit_ = 0;
    } else {
        state_ = UIViewAnimatingState::stopped;
    }
}

void UIViewPropertyAnimator::finishAnimation(UIViewAnimatingPosition at) {
    if (state_ != UIViewAnimatingState::stopped) {
        std::cerr << "UIViewPropertyAnimator: finishAnimation(at:) needs a stopped animator\n";
        return;
    }
    finish(at);
}

void UIViewPropertyAnimator::applyPosition(UIViewAnimatingPosition position) {
    const CGFloat fraction = anchorFraction_;
    for (const Change& change : changes_) {
        const auto view = change.view.lock();
        if (!view) {
            continue;
        }
        switch (position) {
        case UIViewAnimatingPosition::end:
            animation::setValue(*view, change.keyPath, change.to);
            break;
        case UIViewAnimatingPosition::start:
            animation::setValue(*view, change.keyPath, change.from);
            break;
        case UIViewAnimatingPosition::current:
            animation::setValue(*view, change.keyPath, animation::interpolate(change.from, change.to, fraction));
            break;
        }
    }
}

void UIViewPropertyAnimator::finish(UIViewAnimatingPosition position) {
    const auto self = shared_from_this();
    if (position != UIViewAnimatingPosition::current) {
        applyPosition(position);
    }
    state_ = UIViewAnimatingState::inactive;
    running_ = false;
    ++generation_;
    secondsPerUnit_ = 0;
    changes_.clear();
    const auto completions = std::move(completions_);
    completions_.clear();
    for (const auto& completion : completions) {
        completion(position);
    }
}

} // namespace uikit
