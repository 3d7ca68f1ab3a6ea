#include "platform/uikit/UIViewAnimation.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/uikit/UIView.hpp"
#include "platform/uikit/UIViewAnimationContext.hpp"

#include <cassert>
#include <cmath>
#include <vector>

namespace uikit {

namespace animation {

namespace {

std::vector<Recorder*>& stack() {
    static std::vector<Recorder*> recorders;
    return recorders;
}

template <class T>
T blend(const T& a, const T& b, double t);

template <>
double blend(const double& a, const double& b, double t) {
    return a + (b - a) * t;
}

template <>
CGPoint blend(const CGPoint& a, const CGPoint& b, double t) {
    return {blend(a.x, b.x, t), blend(a.y, b.y, t)};
}

template <>
CGSize blend(const CGSize& a, const CGSize& b, double t) {
    return {blend(a.width, b.width, t), blend(a.height, b.height, t)};
}

template <>
CGRect blend(const CGRect& a, const CGRect& b, double t) {
    return {blend(a.origin, b.origin, t), blend(a.size, b.size, t)};
}

template <>
CGAffineTransform blend(const CGAffineTransform& a, const CGAffineTransform& b, double t) {
    return {blend(a.a, b.a, t), blend(a.b, b.b, t),   blend(a.c, b.c, t),
            blend(a.d, b.d, t), blend(a.tx, b.tx, t), blend(a.ty, b.ty, t)};
}

} // namespace

void push(Recorder* recorder) { stack().push_back(recorder); }

void pop() {
    if (!stack().empty()) {
        stack().pop_back();
    }
}

bool isRecording() { return !stack().empty() && stack().back() != nullptr; }

void willChange(UIView& view, const std::string& keyPath, const CAAnimationValue& from, const CAAnimationValue& to) {
    if (!isRecording() || from == to) {
        return;
    }
    stack().back()->record(view, keyPath, from, to);
}

void setValue(UIView& view, const std::string& keyPath, const CAAnimationValue& value) {
    push(nullptr);
    if (keyPath == "position" && std::holds_alternative<CGPoint>(value)) {
        view.setCenter(std::get<CGPoint>(value));
    } else if (keyPath == "bounds" && std::holds_alternative<CGRect>(value)) {
        view.setBounds(std::get<CGRect>(value));
    } else if (keyPath == "opacity" && std::holds_alternative<double>(value)) {
        view.setAlpha(std::get<double>(value));
    } else if (keyPath == "transform" && std::holds_alternative<CGAffineTransform>(value)) {
        view.setTransform(std::get<CGAffineTransform>(value));
    } else if (keyPath == "backgroundColor" && std::holds_alternative<coregraphics::CGColor>(value)) {
        view.setBackgroundColor(UIColor(std::get<coregraphics::CGColor>(value)));
    } else if (keyPath == "cornerRadius" && std::holds_alternative<double>(value)) {
        view.layer()->setCornerRadius(std::get<double>(value));
    }
    pop();
}

CAAnimationValue interpolate(const CAAnimationValue& from, const CAAnimationValue& to, double fraction) {
    if (fraction <= 0) {
        return from;
    }
    if (fraction >= 1 || from.index() != to.index()) {
        return to;
    }
    if (const auto* a = std::get_if<double>(&from)) {
        return blend(*a, std::get<double>(to), fraction);
    }
    if (const auto* a = std::get_if<CGPoint>(&from)) {
        return blend(*a, std::get<CGPoint>(to), fraction);
    }
    if (const auto* a = std::get_if<CGSize>(&from)) {
        return blend(*a, std::get<CGSize>(to), fraction);
    }
    if (const auto* a = std::get_if<CGRect>(&from)) {
        return blend(*a, std::get<CGRect>(to), fraction);
    }
    if (const auto* a = std::get_if<CGAffineTransform>(&from)) {
        return blend(*a, std::get<CGAffineTransform>(to), fraction);
    }
    if (const auto* a = std::get_if<coregraphics::CGColor>(&from)) {
        const auto& b = std::get<coregraphics::CGColor>(to);
        if (a->colorSpace() == b.colorSpace() && a->numberOfComponents() == b.numberOfComponents()) {
            std::vector<CGFloat> components;
            for (std::size_t i = 0; i < a->numberOfComponents(); ++i) {
                components.push_back(blend(a->components()[i], b.components()[i], fraction));
            }
            if (auto blended = coregraphics::CGColor::create(a->colorSpace(), components)) {
                return *blended;
            }
        }
    }
    return to;
}

} // namespace animation

namespace {

quartzcore::CAMediaTimingFunctionName timingOf(UIViewAnimationCurve curve) {
    switch (curve) {
    case UIViewAnimationCurve::easeIn:
        return quartzcore::CAMediaTimingFunctionName::easeIn;
    case UIViewAnimationCurve::easeOut:
        return quartzcore::CAMediaTimingFunctionName::easeOut;
    case UIViewAnimationCurve::linear:
        return quartzcore::CAMediaTimingFunctionName::linear;
    case UIViewAnimationCurve::easeInOut:
        break;
    }
    return quartzcore::CAMediaTimingFunctionName::easeInEaseOut;
}

// One call of UIView::animate: the layer animations it added and its completion, which runs
// once, on the main queue, when all of them have stopped (finished only if all finished), or
// after delay + duration when nothing was animated.
class AnimationGroup : public quartzcore::CAAnimationDelegate,
                       public animation::Recorder,
                       public std::enable_shared_from_this<AnimationGroup> {
public:
    AnimationGroup(double duration, double delay, UIViewAnimationOptions options, UIViewAnimationCompletion completion)
        : duration_(duration), delay_(delay), options_(options), completion_(std::move(completion)) {}

    void record(UIView& view, const std::string& keyPath, const animation::CAAnimationValue& from,
                const animation::CAAnimationValue& to) override {
        if (duration_ <= 0) {
            return;
        }
        auto basic = quartzcore::CABasicAnimation::make(keyPath);
        basic->fromValue = from;
        basic->toValue = to;
        basic->duration = duration_;
        if (delay_ > 0) {
            basic->beginTime = quartzcore::CACurrentMediaTime() + delay_;
        }
        basic->timingFunction = quartzcore::CAMediaTimingFunction{timingOf(curveOf(options_))};
        if (contains(options_, UIViewAnimationOptions::repeat)) {
            basic->repeatCount = HUGE_VALF;
        }
        basic->autoreverses = contains(options_, UIViewAnimationOptions::autoreverse);
        basic->delegate = shared_from_this();
        // Animations of the same property add up rather than replace one another, so each gets
        // its own key and an earlier one still completes.
        const auto& layer = view.layer();
        std::string key = keyPath;
        for (int n = 2; layer->animation(key); ++n) {
            key = keyPath + "-" + std::to_string(n);
        }
        ++pending_;
        layer->add(basic, key);
    }

    void finishRecording() {
        if (pending_ == 0) {
            const auto self = shared_from_this();
            foundation::DispatchQueue::main().asyncAfter(delay_ + std::max(0.0, duration_),
                                                         [self] { self->complete(true); });
        }
    }

    void animationDidStop(const quartzcore::CAAnimation&, bool finished) override {
        if (!finished) {
            allFinished_ = false;
        }
        if (pending_ > 0 && --pending_ == 0) {
            const auto self = shared_from_this();
            const bool all = allFinished_;
            foundation::DispatchQueue::main().async([self, all] { self->complete(all); });
        }
    }

private:
    void complete(bool finished) {
        if (done_) {
            return;
        }
        done_ = true;
        const auto completion = std::move(completion_);
        completion_ = nullptr;
        if (completion) {
            completion(finished);
        }
    }

    double duration_;
    double delay_;
    UIViewAnimationOptions options_;
    UIViewAnimationCompletion completion_;
    int pending_ = 0;
    bool allFinished_ = true;
    bool done_ = false;
};

void runAnimation(double duration, double delay, UIViewAnimationOptions options, const UIViewAnimations& animations,
                  UIViewAnimationCompletion completion) {
    assert(foundation::isMainThread());
    const double safeDuration = std::isfinite(duration) ? std::max(0.0, duration) : 0.0;
    const double safeDelay = std::isfinite(delay) ? std::max(0.0, delay) : 0.0;
    const auto group = std::make_shared<AnimationGroup>(safeDuration, safeDelay, options, std::move(completion));
    animation::push(group.get());
    if (animations) {
        animations();
    }
    animation::pop();
    group->finishRecording();
}

} // namespace

void UIView::animate(double withDuration, UIViewAnimations animations, UIViewAnimationCompletion completion) {
    runAnimation(withDuration, 0, UIViewAnimationOptions::curveEaseInOut, animations, std::move(completion));
}

void UIView::animate(double withDuration, double delay, UIViewAnimationOptions options, UIViewAnimations animations,
                     UIViewAnimationCompletion completion) {
    runAnimation(withDuration, delay, options, animations, std::move(completion));
}

void UIView::animate(double withDuration, double delay, CGFloat /*usingSpringWithDamping*/,
                     CGFloat /*initialSpringVelocity*/, UIViewAnimationOptions options, UIViewAnimations animations,
                     UIViewAnimationCompletion completion) {
    // A spring settles within its duration here: only when it ends is observable.
    runAnimation(withDuration, delay, options, animations, std::move(completion));
}

void UIView::performWithoutAnimation(const UIViewAnimations& actions) {
    animation::push(nullptr);
    if (actions) {
        actions();
    }
    animation::pop();
}

bool UIView::isInAnimationBlock() { return animation::isRecording(); }

} // namespace uikit
