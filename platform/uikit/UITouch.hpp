#pragma once

// Touches and their delivery.
//
// A UITouch is one finger on the screen: where it is (in the coordinates of the root of the
// hierarchy it touches, the window's once there is one), where it was, when, and which view it
// hit. UITouchSequence plays one finger's life (down, moves, up) into a view tree the way the
// platform's window does: the touch goes to the view that the hit test finds and to the
// gesture recognisers of that view and its ancestors (each may refuse it through its delegate);
// when a recogniser recognises, the others that may not recognise with it fail, and when it
// cancels touches in view, the view gets touchesCancelled and nothing more. The simulated user
// (platform/testing) drives it; a window's event handling can reuse it.

#include "platform/coregraphics/CGGeometry.hpp"
#include "platform/uikit/UIEvent.hpp"

#include <memory>
#include <vector>

namespace uikit {

using coregraphics::CGPoint;

class UIView;
class UIGestureRecognizer;

enum class UITouchPhase : int { began = 0, moved = 1, stationary = 2, ended = 3, cancelled = 4 };

class UITouch {
public:
    UITouch(const std::shared_ptr<UIView>& root, const CGPoint& location, double timestamp);

    // The location in the view's coordinates; a null view means the root's.
    CGPoint location(const UIView* in) const;
    CGPoint previousLocation(const UIView* in) const;
    // The view the touch hit when it began (none when it hit nothing).
    std::shared_ptr<UIView> view() const { return view_.lock(); }
    UITouchPhase phase() const { return phase_; }
    double timestamp() const { return timestamp_; }
    double previousTimestamp() const { return previousTimestamp_; }
    int tapCount() const { return tapCount_; }

private:
    friend class UITouchSequence;

    std::weak_ptr<UIView> root_;
    std::weak_ptr<UIView> view_;
    CGPoint location_;
    CGPoint previousLocation_;
    double timestamp_;
    double previousTimestamp_;
    UITouchPhase phase_ = UITouchPhase::began;
    int tapCount_ = 1;
};

using UITouchSet = std::vector<std::shared_ptr<UITouch>>;

class UITouchSequence {
public:
    // Puts a finger down at `location` (root coordinates) at `timestamp` (seconds).
    UITouchSequence(const std::shared_ptr<UIView>& root, const CGPoint& location, double timestamp);
    ~UITouchSequence();
    UITouchSequence(const UITouchSequence&) = delete;
    UITouchSequence& operator=(const UITouchSequence&) = delete;

    void move(const CGPoint& location, double timestamp);
    void end(const CGPoint& location, double timestamp);
    // The system took the touch away (an alert, a call): everyone gets cancelled.
    void cancel();

    // The view the hit test found, if any.
    std::shared_ptr<UIView> hitView() const { return touch_->view(); }
    const std::shared_ptr<UITouch>& touch() const { return touch_; }
    // The recognisers that received the touch, hit view first, then its ancestors'.
    std::vector<std::shared_ptr<UIGestureRecognizer>> recognizers() const;

private:
    void step(UITouchPhase phase, const CGPoint& location, double timestamp);
    void resolveRecognitions();
    void finish();

    std::shared_ptr<UITouch> touch_;
    UIEvent event_;
    std::vector<std::weak_ptr<UIGestureRecognizer>> recognizers_;
    bool viewCancelled_ = false;
    bool finished_ = false;
};

} // namespace uikit
