#pragma once

// Controls: views that turn touches into actions sent to targets.
//
// An action is what the platform's selector is, bound to its target: a function of the sender
// and the event. Targets given as objects are held weakly, as on the platform; an action whose
// target is gone is skipped. Actions for an event are sent in the order they were added, each
// through `sendAction(action, to, event)`, which a subclass may override (calling the base to
// deliver it). A tap on a control inside a view with a tap recogniser goes to the control:
// controls refuse other views' single taps.

#include "platform/foundation/OptionSet.hpp"
#include "platform/uikit/UIView.hpp"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace uikit {

// The platform's raw values.
enum class UIControlEvents : unsigned {
    touchDown = 1u << 0,
    touchDownRepeat = 1u << 1,
    touchDragInside = 1u << 2,
    touchDragOutside = 1u << 3,
    touchDragEnter = 1u << 4,
    touchDragExit = 1u << 5,
    touchUpInside = 1u << 6,
    touchUpOutside = 1u << 7,
    touchCancel = 1u << 8,
    valueChanged = 1u << 12,
    primaryActionTriggered = 1u << 13,
    allTouchEvents = 0x00000FFFu,
    allEvents = 0xFFFFFFFFu,
};

VYD_OPTION_SET(UIControlEvents)

// A set of flags; `normal` is the empty set.
enum class UIControlState : unsigned { normal = 0, highlighted = 1u << 0, disabled = 1u << 1, selected = 1u << 2 };

VYD_OPTION_SET(UIControlState)

class UIControl;

// The platform's selector: what to do, given the sender and the event.
using UIControlAction = std::function<void(UIControl& sender, const UIEvent* event)>;

class UIControl : public UIView {
public:
    static std::shared_ptr<UIControl> make(const CGRect& frame = CGRect::zero()) { return create<UIControl>(frame); }
    explicit UIControl(const CGRect& frame = CGRect::zero()) : UIView(frame) {}

    std::string className() const override { return "UIControl"; }

    // An action without a target object.
    void addTarget(UIControlAction action, UIControlEvents controlEvents);
    // An action of a target object, held weakly.
    void addTarget(const std::shared_ptr<void>& target, UIControlAction action, UIControlEvents controlEvents);
    // A member function of the target taking the sender (as any control type it is), or nothing.
    template <class T, class Sender>
    void addTarget(const std::shared_ptr<T>& target, void (T::*action)(Sender&), UIControlEvents controlEvents) {
        std::weak_ptr<T> weakTarget = target;
        addTarget(
            std::static_pointer_cast<void>(target),
            [weakTarget, action](UIControl& sender, const UIEvent*) {
                auto* typed = dynamic_cast<Sender*>(&sender);
                if (const auto strong = weakTarget.lock(); strong && typed) {
                    (strong.get()->*action)(*typed);
                }
            },
            controlEvents);
    }
    template <class T>
    void addTarget(const std::shared_ptr<T>& target, void (T::*action)(), UIControlEvents controlEvents) {
        std::weak_ptr<T> weakTarget = target;
        addTarget(
            std::static_pointer_cast<void>(target),
            [weakTarget, action](UIControl&, const UIEvent*) {
                if (const auto strong = weakTarget.lock()) {
                    (strong.get()->*action)();
                }
            },
            controlEvents);
    }
    // Sends every action registered for any of the events, in order.
    void sendActions(UIControlEvents controlEvents, const UIEvent* event = nullptr);
    // Delivers one action; override to act on each action sent, calling the base to deliver it.
    virtual void sendAction(const UIControlAction& action, const std::shared_ptr<void>& to, const UIEvent* event);

    bool isEnabled() const { return enabled_; }
    virtual void setEnabled(bool enabled);
    bool isSelected() const { return selected_; }
    virtual void setSelected(bool selected);
    bool isHighlighted() const { return highlighted_; }
    virtual void setHighlighted(bool highlighted);
    UIControlState state() const;
    bool isTracking() const { return tracking_; }
    bool isTouchInside() const { return touchInside_; }

    void touchesBegan(const UITouchSet& touches, const UIEvent* event) override;
    void touchesMoved(const UITouchSet& touches, const UIEvent* event) override;
    void touchesEnded(const UITouchSet& touches, const UIEvent* event) override;
    void touchesCancelled(const UITouchSet& touches, const UIEvent* event) override;
    bool gestureRecognizerShouldBegin(UIGestureRecognizer& recognizer) override;

protected:
    // Called after enabled, selected or highlighted changed.
    virtual void stateDidChange() {}

private:
    struct Registration {
        std::weak_ptr<void> target;
        bool hasTarget = false;
        UIControlAction action;
        UIControlEvents events;
    };

    bool isInsideForTracking(const UITouch& touch) const;

    std::vector<Registration> registrations_;
    bool enabled_ = true;
    bool selected_ = false;
    bool highlighted_ = false;
    bool tracking_ = false;
    bool touchInside_ = false;
};

} // namespace uikit
