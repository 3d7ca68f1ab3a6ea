#pragma once

// Gesture recognisers: tap and pan, attached to a view (`UIView::addGestureRecognizer`), which
// owns them; a recogniser refers to its view weakly. Touches reach them through UITouchSequence
// (UITouch.hpp). Actions run synchronously at each state the platform reports: began, changed,
// ended (recognised) and cancelled for continuous gestures, recognised for discrete ones.
//
// Targets are std::function actions, or an object and a member function; the object is held
// weakly, as the platform holds targets, and its action is skipped once it is gone.

#include "platform/coregraphics/CGGeometry.hpp"
#include "platform/uikit/UIEvent.hpp"
#include "platform/uikit/UITouch.hpp"

#include <functional>
#include <memory>
#include <vector>

namespace uikit {

using coregraphics::CGFloat;
using coregraphics::CGPoint;

class UIView;
class UIGestureRecognizer;

// The platform's raw values; `recognized` is `ended`.
enum class UIGestureRecognizerState : int {
    possible = 0,
    began = 1,
    changed = 2,
    ended = 3,
    cancelled = 4,
    failed = 5,
    recognized = 3,
};

class UIGestureRecognizerDelegate {
public:
    virtual ~UIGestureRecognizerDelegate() = default;
    // Asked when the recogniser is about to leave the possible state; false makes it fail.
    virtual bool gestureRecognizerShouldBegin(UIGestureRecognizer& /*recognizer*/) { return true; }
    // Asked of either recogniser's delegate when both want the same touches; true from either
    // lets both recognise.
    virtual bool gestureRecognizerShouldRecognizeSimultaneouslyWith(UIGestureRecognizer& /*recognizer*/,
                                                                    UIGestureRecognizer& /*other*/) {
        return false;
    }
    // Asked before a touch is given to the recogniser; false keeps it from the recogniser.
    virtual bool gestureRecognizerShouldReceive(UIGestureRecognizer& /*recognizer*/, const UITouch& /*touch*/) {
        return true;
    }
};

class UIGestureRecognizer : public std::enable_shared_from_this<UIGestureRecognizer> {
public:
    using Action = std::function<void(UIGestureRecognizer&)>;

    virtual ~UIGestureRecognizer();
    UIGestureRecognizer(const UIGestureRecognizer&) = delete;
    UIGestureRecognizer& operator=(const UIGestureRecognizer&) = delete;

    void addTarget(Action action);
    // The target is held weakly; `action` may take any recogniser type that this one is.
    template <class T, class R>
    void addTarget(const std::shared_ptr<T>& target, void (T::*action)(R&)) {
        std::weak_ptr<T> weakTarget = target;
        addTarget([weakTarget, action](UIGestureRecognizer& recognizer) {
            auto* typed = dynamic_cast<R*>(&recognizer);
            if (const auto strong = weakTarget.lock(); strong && typed) {
                (strong.get()->*action)(*typed);
            }
        });
    }
    void removeAllTargets() { actions_.clear(); }

    UIGestureRecognizerState state() const { return state_; }
    // Moves the state machine as the platform's recogniser subclasses do: leaving `possible`
    // asks the delegate first (a refusal fails the gesture); began, changed, recognised and
    // cancelled send the actions.
    void setState(UIGestureRecognizerState state);

    bool isEnabled() const { return enabled_; }
    // Disabling a recogniser in the middle of its gesture cancels it.
    void setEnabled(bool enabled);
    std::shared_ptr<UIView> view() const { return view_.lock(); }
    std::shared_ptr<UIGestureRecognizerDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::shared_ptr<UIGestureRecognizerDelegate>& delegate) { delegate_ = delegate; }
    bool cancelsTouchesInView() const { return cancelsTouchesInView_; }
    void setCancelsTouchesInView(bool cancels) { cancelsTouchesInView_ = cancels; }

    // Where the touches are, in the view's coordinates (null: the root's).
    CGPoint location(const UIView* in) const;
    std::size_t numberOfTouches() const { return touches_.size(); }

    // Touch handling, called by UITouchSequence.
    virtual void touchesBegan(const UITouchSet& touches, const UIEvent* event);
    virtual void touchesMoved(const UITouchSet& touches, const UIEvent* event);
    virtual void touchesEnded(const UITouchSet& touches, const UIEvent* event);
    virtual void touchesCancelled(const UITouchSet& touches, const UIEvent* event);
    // Back to `possible` once a gesture is over; subclasses clear their own state, calling the
    // base first.
    virtual void reset();

    // Discrete gestures (taps) report only recognised; continuous ones report every step.
    virtual bool isContinuous() const { return false; }

protected:
    UIGestureRecognizer() = default;

    void addTouches(const UITouchSet& touches);
    void removeTouches(const UITouchSet& touches);

private:
    friend class UIView;

    void sendActions();

    std::vector<Action> actions_;
    UIGestureRecognizerState state_ = UIGestureRecognizerState::possible;
    bool enabled_ = true;
    bool cancelsTouchesInView_ = true;
    std::weak_ptr<UIView> view_;
    std::weak_ptr<UIGestureRecognizerDelegate> delegate_;
    UITouchSet touches_;
};

// Recognises a touch that goes down and comes up again without moving more than 10 points.
class UITapGestureRecognizer : public UIGestureRecognizer {
public:
    static std::shared_ptr<UITapGestureRecognizer> make(Action action = {});
    template <class T, class R>
    static std::shared_ptr<UITapGestureRecognizer> make(const std::shared_ptr<T>& target, void (T::*action)(R&)) {
        auto recognizer = make();
        recognizer->addTarget(target, action);
        return recognizer;
    }

    int numberOfTapsRequired() const { return numberOfTapsRequired_; }
    void setNumberOfTapsRequired(int taps) { numberOfTapsRequired_ = taps < 1 ? 1 : taps; }

    void touchesBegan(const UITouchSet& touches, const UIEvent* event) override;
    void touchesMoved(const UITouchSet& touches, const UIEvent* event) override;
    void touchesEnded(const UITouchSet& touches, const UIEvent* event) override;
    void reset() override;

    static constexpr CGFloat allowableMovement = 10;

protected:
    UITapGestureRecognizer() = default;

private:
    CGPoint start_;
    int numberOfTapsRequired_ = 1;
};

// Recognises a drag: it begins once the touch has moved 10 points, changes with each move and
// ends when the touch comes up. Translation is measured from where the touch went down.
class UIPanGestureRecognizer : public UIGestureRecognizer {
public:
    static std::shared_ptr<UIPanGestureRecognizer> make(Action action = {});
    template <class T, class R>
    static std::shared_ptr<UIPanGestureRecognizer> make(const std::shared_ptr<T>& target, void (T::*action)(R&)) {
        auto recognizer = make();
        recognizer->addTarget(target, action);
        return recognizer;
    }

    // In the coordinates of the view (null: the root's); only the rotation and scale of the
    // view's transforms apply to a translation, not its position.
    CGPoint translation(const UIView* in) const;
    // Points per second, from the last two positions of the touch.
    CGPoint velocity(const UIView* in) const;

    void touchesBegan(const UITouchSet& touches, const UIEvent* event) override;
    void touchesMoved(const UITouchSet& touches, const UIEvent* event) override;
    void touchesEnded(const UITouchSet& touches, const UIEvent* event) override;
    void touchesCancelled(const UITouchSet& touches, const UIEvent* event) override;
    void reset() override;
    bool isContinuous() const override { return true; }

    static constexpr CGFloat hysteresis = 10;

protected:
    UIPanGestureRecognizer() = default;

private:
    void track(const UITouch& touch);

    CGPoint start_; // root coordinates
    CGPoint current_;
    CGPoint rootVelocity_;
};

} // namespace uikit
