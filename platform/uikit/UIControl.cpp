#include "platform/uikit/UIControl.hpp"

#include "platform/uikit/UIGestureRecognizer.hpp"

namespace uikit {

namespace {

// How far outside its bounds a touch may wander and still count as inside, as on the platform.
constexpr CGFloat kTrackingSlop = 70;

} // namespace

void UIControl::addTarget(UIControlAction action, UIControlEvents controlEvents) {
    if (action) {
        registrations_.push_back({{}, false, std::move(action), controlEvents});
    }
}

void UIControl::addTarget(const std::shared_ptr<void>& target, UIControlAction action, UIControlEvents controlEvents) {
    if (action) {
        registrations_.push_back({target, target != nullptr, std::move(action), controlEvents});
    }
}

void UIControl::sendActions(UIControlEvents controlEvents, const UIEvent* event) {
    const auto self = shared_from_this();
    const auto registrations = registrations_; // an action may add or remove others
    for (const auto& r : registrations) {
        if (!intersects(r.events, controlEvents)) {
            continue;
        }
        const auto target = r.target.lock();
        if (r.hasTarget && !target) {
            continue;
        }
        sendAction(r.action, target, event);
    }
}

void UIControl::sendAction(const UIControlAction& action, const std::shared_ptr<void>&, const UIEvent* event) {
    if (action) {
        action(*this, event);
    }
}

void UIControl::setEnabled(bool enabled) {
    if (enabled_ == enabled) {
        return;
    }
    enabled_ = enabled;
    if (!enabled) {
        highlighted_ = false;
    }
    stateDidChange();
}

void UIControl::setSelected(bool selected) {
    if (selected_ == selected) {
        return;
    }
    selected_ = selected;
    stateDidChange();
}

void UIControl::setHighlighted(bool highlighted) {
    if (highlighted_ == highlighted) {
        return;
    }
    highlighted_ = highlighted;
    stateDidChange();
}

UIControlState UIControl::state() const {
    unsigned flags = 0;
    if (highlighted_) {
        flags |= rawValue(UIControlState::highlighted);
    }
    if (!enabled_) {
        flags |= rawValue(UIControlState::disabled);
    }
    if (selected_) {
        flags |= rawValue(UIControlState::selected);
    }
    return UIControlState(flags);
}

bool UIControl::isInsideForTracking(const UITouch& touch) const {
    const CGRect area = bounds().insetBy(-kTrackingSlop, -kTrackingSlop);
    return area.contains(touch.location(this));
}

void UIControl::touchesBegan(const UITouchSet& touches, const UIEvent* event) {
    if (!enabled_ || touches.empty()) {
        return;
    }
    tracking_ = true;
    touchInside_ = true;
    setHighlighted(true);
    sendActions(UIControlEvents::touchDown, event);
}

void UIControl::touchesMoved(const UITouchSet& touches, const UIEvent* event) {
    if (!tracking_ || touches.empty()) {
        return;
    }
    const bool inside = isInsideForTracking(*touches.front());
    if (inside != touchInside_) {
        touchInside_ = inside;
        setHighlighted(inside);
        sendActions(inside ? UIControlEvents::touchDragEnter : UIControlEvents::touchDragExit, event);
    }
    sendActions(inside ? UIControlEvents::touchDragInside : UIControlEvents::touchDragOutside, event);
}

void UIControl::touchesEnded(const UITouchSet& touches, const UIEvent* event) {
    if (!tracking_ || touches.empty()) {
        return;
    }
    const bool inside = isInsideForTracking(*touches.front());
    tracking_ = false;
    touchInside_ = false;
    setHighlighted(false);
    if (inside) {
        sendActions(UIControlEvents::touchUpInside | UIControlEvents::primaryActionTriggered, event);
    } else {
        sendActions(UIControlEvents::touchUpOutside, event);
    }
}

void UIControl::touchesCancelled(const UITouchSet&, const UIEvent* event) {
    if (!tracking_) {
        return;
    }
    tracking_ = false;
    touchInside_ = false;
    setHighlighted(false);
    sendActions(UIControlEvents::touchCancel, event);
}

bool UIControl::gestureRecognizerShouldBegin(UIGestureRecognizer& recognizer) {
    if (dynamic_cast<UITapGestureRecognizer*>(&recognizer) != nullptr && recognizer.view().get() != this) {
        return false;
    }
    return UIView::gestureRecognizerShouldBegin(recognizer);
}

} // namespace uikit
