#pragma once

// What a panel tells its delegate and may ask of it. Every member is optional: a delegate
// derives from `SlidePanelControllerDelegate` through the small interfaces of the members it
// implements, and the panel finds each one with dynamic_cast.

#include "platform/coregraphics/CGGeometry.hpp"
#include "sdk/panel/SlidePanelState.hpp"

#include <memory>

namespace uikit {
class UIViewPropertyAnimator;
}

namespace vyd {

class SlidePanelController;

class SlidePanelControllerDelegate {
public:
    virtual ~SlidePanelControllerDelegate() = default;
};

// The surface has moved: during a drag or a spring, and when a move animation ends. The
// delegate may set the panel's `surfaceLocation` from here.
class SlidePanelDidMoveDelegate : public virtual SlidePanelControllerDelegate {
public:
    virtual void slidePanelDidMove(const std::shared_ptr<SlidePanelController>& panel) = 0;
};

// The panel is about to be taken away by `remove()` (or by the user: a backdrop tap, a
// downward flick).
class SlidePanelWillRemoveDelegate : public virtual SlidePanelControllerDelegate {
public:
    virtual void slidePanelWillRemove(const std::shared_ptr<SlidePanelController>& panel) = 0;
};

// The panel that `remove()` took away is gone.
class SlidePanelDidRemoveDelegate : public virtual SlidePanelControllerDelegate {
public:
    virtual void slidePanelDidRemove(const std::shared_ptr<SlidePanelController>& panel) = 0;
};

// The animator that shows the panel at a state; null: the panel's own.
class SlidePanelPresentingAnimatorDelegate : public virtual SlidePanelControllerDelegate {
public:
    virtual std::shared_ptr<uikit::UIViewPropertyAnimator>
    slidePanelAnimatorForPresenting(const std::shared_ptr<SlidePanelController>& panel,
                                    const SlidePanelStateRef& toState) = 0;
};

// The animator that hides the panel, given the speed it leaves with (in surface travels per
// second, downwards positive); null: the panel's own.
class SlidePanelDismissingAnimatorDelegate : public virtual SlidePanelControllerDelegate {
public:
    virtual std::shared_ptr<uikit::UIViewPropertyAnimator>
    slidePanelAnimatorForDismissing(const std::shared_ptr<SlidePanelController>& panel,
                                    coregraphics::CGVector withVelocity) = 0;
};

} // namespace vyd
