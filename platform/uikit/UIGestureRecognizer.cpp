#include "platform/uikit/UIGestureRecognizer.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/uikit/UIView.hpp"

#include <algorithm>
#include <cassert>
#include <cmath>

namespace uikit {

UIGestureRecognizer::~UIGestureRecognizer() = default;

void UIGestureRecognizer::addTarget(Action action) {
    if (action) {
        actions_.push_back(std::move(action));
    }
}

void UIGestureRecognizer::setState(UIGestureRecognizerState state) {
    assert(foundation::isMainThread());
    if (state_ == UIGestureRecognizerState::possible &&
        (state == UIGestureRecognizerState::began || state == UIGestureRecognizerState::recognized)) {
        const auto delegate = this->delegate();
        bool allowed = !delegate || delegate->gestureRecognizerShouldBegin(*this);
        if (allowed && !touches_.empty()) {
            if (const auto hit = touches_.front()->view()) {
                allowed = hit->gestureRecognizerShouldBegin(*this);
            }
        }
        if (!allowed) {
            state_ = UIGestureRecognizerState::failed;
            return;
        }
    }
    state_ = state;
    switch (state) {
    case UIGestureRecognizerState::began:
    case UIGestureRecognizerState::changed:
    case UIGestureRecognizerState::ended:
    case UIGestureRecognizerState::cancelled:
        sendActions();
        break;
    case UIGestureRecognizerState::possible:
    case UIGestureRecognizerState::failed:
        break;
    }
}

void UIGestureRecognizer::sendActions() {
    const auto self = shared_from_this();
    const auto actions = actions_; // an action may add or remove targets
    for (const auto& action : actions) {
        action(*this);
    }
}

void UIGestureRecognizer::setEnabled(bool enabled) {
    enabled_ = enabled;
    if (!enabled && (state_ == UIGestureRecognizerState::began || state_ == UIGestureRecognizerState::changed)) {
        setState(UIGestureRecognizerState::cancelled);
    }
}

CGPoint UIGestureRecognizer::location(const UIView* in) const {
    if (touches_.empty()) {
        return {};
    }
    CGFloat x = 0;
    CGFloat y = 0;
    for (const auto& touch : touches_) {
        const CGPoint p = touch->location(in);
        x += p.x;
        y += p.y;
    }
    const auto n = static_cast<CGFloat>(touches_.size());
    return {x / n, y / n};
}

void UIGestureRecognizer::addTouches(const UITouchSet& touches) {
    for (const auto& touch : touches) {
        if (std::find(touches_.begin(), touches_.end(), touch) == touches_.end()) {
            touches_.push_back(touch);
        }
    }
}

void UIGestureRecognizer::removeTouches(const UITouchSet& touches) {
    for (const auto& touch : touches) {
        touches_.erase(std::remove(touches_.begin(), touches_.end(), touch), touches_.end());
    }
}

void UIGestureRecognizer::touchesBegan(const UITouchSet& touches, const UIEvent*) { addTouches(touches); }

void UIGestureRecognizer::touchesMoved(const UITouchSet&, const UIEvent*) {}

void UIGestureRecognizer::touchesEnded(const UITouchSet&, const UIEvent*) {}

void UIGestureRecognizer::touchesCancelled(const UITouchSet&, const UIEvent*) {
    if (state_ == UIGestureRecognizerState::began || state_ == UIGestureRecognizerState::changed) {
        setState(UIGestureRecognizerState::cancelled);
    } else if (state_ == UIGestureRecognizerState::possible) {
        state_ = UIGestureRecognizerState::failed;
    }
}

void UIGestureRecognizer::reset() {
    state_ = UIGestureRecognizerState::possible;
    touches_.clear();
}

// MARK: Tap

std::shared_ptr<UITapGestureRecognizer> UITapGestureRecognizer::make(Action action) {
    std::shared_ptr<UITapGestureRecognizer> recognizer(new UITapGestureRecognizer());
    recognizer->addTarget(std::move(action));
    return recognizer;
}

void UITapGestureRecognizer::touchesBegan(const UITouchSet& touches, const UIEvent* event) {
    UIGestureRecognizer::touchesBegan(touches, event);
    if (!touches.empty()) {
        start_ = touches.front()->location(nullptr);
    }
}

void UITapGestureRecognizer::touchesMoved(const UITouchSet& touches, const UIEvent*) {
    if (state() != UIGestureRecognizerState::possible || touches.empty()) {
        return;
    }
    const CGPoint p = touches.front()->location(nullptr);
    if (std::hypot(p.x - start_.x, p.y - start_.y) > allowableMovement) {
        setState(UIGestureRecognizerState::failed);
    }
}

void UITapGestureRecognizer::touchesEnded(const UITouchSet& touches, const UIEvent* event) {
    touchesMoved(touches, event);
    if (state() != UIGestureRecognizerState::possible || touches.empty()) {
        return;
    }
    if (touches.front()->tapCount() >= numberOfTapsRequired_) {
        setState(UIGestureRecognizerState::recognized);
    } else {
        setState(UIGestureRecognizerState::failed);
    }
}

void UITapGestureRecognizer::reset() {
    UIGestureRecognizer::reset();
    start_ = {};
}

// MARK: Pan

std::shared_ptr<UIPanGestureRecognizer> UIPanGestureRecognizer::make(Action action) {
    std::shared_ptr<UIPanGestureRecognizer> recognizer(new UIPanGestureRecognizer());
    recognizer->addTarget(std::move(action));
    return recognizer;
}

namespace {

// A vector given in root coordinates, in the view's coordinates: only rotation and scale apply.
CGPoint vectorIn(const UIView* view, const CGPoint& vector) {
    if (!view) {
        return vector;
    }
    const CGPoint origin = view->convertFrom(CGPoint{0, 0}, nullptr);
    const CGPoint tip = view->convertFrom(vector, nullptr);
    return {tip.x - origin.x, tip.y - origin.y};
}

} // namespace

CGPoint UIPanGestureRecognizer::translation(const UIView* in) const {
    return vectorIn(in, {current_.x - start_.x, current_.y - start_.y});
}

CGPoint UIPanGestureRecognizer::velocity(const UIView* in) const { return vectorIn(in, rootVelocity_); }

void UIPanGestureRecognizer::track(const UITouch& touch) {
    const CGPoint previous = current_;
    current_ = touch.location(nullptr);
    const double dt = touch.timestamp() - touch.previousTimestamp();
    if (dt > 0) {
        rootVelocity_ = {(current_.x - previous.x) / dt, (current_.y - previous.y) / dt};
    }
}

void UIPanGestureRecognizer::touchesBegan(const UITouchSet& touches, const UIEvent* event) {
    UIGestureRecognizer::touchesBegan(touches, event);
    if (!touches.empty()) {
        start_ = current_ = touches.front()->location(nullptr);
        rootVelocity_ = {};
    }
}

void UIPanGestureRecognizer::touchesMoved(const UITouchSet& touches, const UIEvent*) {
    if (touches.empty()) {
        return;
    }
    track(*touches.front());
    switch (state()) {
    case UIGestureRecognizerState::possible:
        if (std::hypot(current_.x - start_.x, current_.y - start_.y) >= hysteresis) {
            setState(UIGestureRecognizerState::began);
        }
        break;
    case UIGestureRecognizerState::began:
    case UIGestureRecognizerState::changed:
        setState(UIGestureRecognizerState::changed);
        break;
    default:
        break;
    }
}

void UIPanGestureRecognizer::touchesEnded(const UITouchSet& touches, const UIEvent*) {
    if (touches.empty()) {
        return;
    }
    const CGPoint previous = current_;
    const CGPoint velocity = rootVelocity_;
    track(*touches.front());
    if (current_ == previous) {
        rootVelocity_ = velocity; // lifting the finger where it stopped keeps the last speed
    }
    if (state() == UIGestureRecognizerState::possible &&
        std::hypot(current_.x - start_.x, current_.y - start_.y) >= hysteresis) {
        setState(UIGestureRecognizerState::began);
    }
    if (state() == UIGestureRecognizerState::began || state() == UIGestureRecognizerState::changed) {
        setState(UIGestureRecognizerState::ended);
    } else if (state() == UIGestureRecognizerState::possible) {
        setState(UIGestureRecognizerState::failed);
    }
}

void UIPanGestureRecognizer::touchesCancelled(const UITouchSet& touches, const UIEvent* event) {
    UIGestureRecognizer::touchesCancelled(touches, event);
}

void UIPanGestureRecognizer::reset() {
    UIGestureRecognizer::reset();
    start_ = current_ = rootVelocity_ = {};
}

// MARK: Views

void UIView::addGestureRecognizer(const std::shared_ptr<UIGestureRecognizer>& recognizer) {
    if (!recognizer) {
        return;
    }
    if (const auto owner = recognizer->view()) {
        if (owner.get() == this) {
            return;
        }
        owner->removeGestureRecognizer(recognizer);
    }
    gestureRecognizers_.push_back(recognizer);
    recognizer->view_ = weak_from_this();
}

void UIView::removeGestureRecognizer(const std::shared_ptr<UIGestureRecognizer>& recognizer) {
    const auto it = std::find(gestureRecognizers_.begin(), gestureRecognizers_.end(), recognizer);
    if (it == gestureRecognizers_.end()) {
        return;
    }
    const auto keep = recognizer;
    gestureRecognizers_.erase(it);
    recognizer->view_.reset();
    recognizer->reset();
}

} // namespace uikit
