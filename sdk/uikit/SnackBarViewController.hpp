#pragma once

// A transient message at the bottom of a screen: shown as a child view controller of that
// screen, it slides up until its bottom edge is 8 points above the safe area, 8 points in from
// the screen's left and right edges, stays 5 seconds and slides down again. A downward flick of
// more than half its height takes it away sooner.
//
// Each showing schedules its own slide-down 5 seconds after it has slid in, and nothing cancels
// it: showing again while shown replaces the bar at once, and the first showing's timer then
// takes the new bar away when it fires. The controller lives at least until its timers have run.

#include "platform/uikit/NSLayoutConstraint.hpp"
#include "platform/uikit/UIGestureRecognizer.hpp"
#include "platform/uikit/UIViewController.hpp"
#include "sdk/uikit/SnackBarView.hpp"

#include <memory>
#include <string>

namespace vyd {

class SnackBarViewController : public uikit::UIViewController, public uikit::UIGestureRecognizerDelegate {
public:
    static constexpr double visibleDuration = 5.0;
    static constexpr coregraphics::CGFloat edgeInset = 8;

    static std::shared_ptr<SnackBarViewController> make(const std::string& text) {
        return create<SnackBarViewController>(text);
    }

    // Make it with `make`.
    explicit SnackBarViewController(const std::string& text);

    std::string className() const override { return "SnackBarViewController"; }

    void showSnackBarOn(const std::shared_ptr<uikit::UIViewController>& parentViewController);
    // Animated: slides down, then leaves the screen. Not animated: leaves it at once.
    void hideSnackBar(bool animated);

    // The screen it was last shown on (held weakly).
    std::shared_ptr<uikit::UIViewController> parentController() const { return parentController_.lock(); }
    const std::shared_ptr<uikit::UIPanGestureRecognizer>& panGestureRecognizer() const { return panGestureRecognizer_; }
    // The platform's animation duration when the controller was made.
    double transitionAnimationDuration() const { return transitionAnimationDuration_; }
    const std::shared_ptr<SnackBarView>& snackBarView() const { return snackBarView_; }
    bool isSnackBarShown() const { return isSnackBarShown_; }
    // The vertical constraint of the current showing.
    const uikit::NSLayoutConstraint::Pointer& snackBarBottomConstraint() const { return snackBarBottomConstraint_; }

protected:
    void didInit() override;

private:
    void panGesture(uikit::UIPanGestureRecognizer& recognizer);
    void slideDown();
    void leaveParent();

    std::weak_ptr<uikit::UIViewController> parentController_;
    std::shared_ptr<uikit::UIPanGestureRecognizer> panGestureRecognizer_;
    double transitionAnimationDuration_;
    std::shared_ptr<SnackBarView> snackBarView_;
    bool isSnackBarShown_ = false;
    uikit::NSLayoutConstraint::Pointer snackBarBottomConstraint_;
};

} // namespace vyd
