#pragma once

// The window: the root of a view hierarchy that the device shows. It holds its root view
// controller (whose view fills it), belongs to a window scene, may be the key window, and is
// the source of the traits and safe-area insets of the views in it.
//
// Windows are made hidden, as on the platform; `makeKeyAndVisible()` shows one and makes it key,
// and the root view controller gets its appearance callbacks when its window becomes visible.
// Every window takes the device's safe-area insets (set by the simulated device) as its own and
// schedules a layout pass on the main queue when something in it needs layout, as the platform
// does at the end of a run-loop turn. Main thread only.

#include "platform/uikit/UIEdgeInsets.hpp"
#include "platform/uikit/UITraitCollection.hpp"
#include "platform/uikit/UIView.hpp"

#include <deque>
#include <functional>
#include <memory>
#include <vector>

namespace uikit {

class UIViewController;
class UIWindowScene;

class UIWindow : public UIView {
public:
    // A window with the screen's bounds, or the given frame, not in any scene.
    static std::shared_ptr<UIWindow> make();
    static std::shared_ptr<UIWindow> make(const CGRect& frame);
    // A window with the screen's bounds in the scene.
    static std::shared_ptr<UIWindow> make(const std::shared_ptr<UIWindowScene>& windowScene);

    // Public so that `UIView::create` can reach it; make windows with `make`.
    explicit UIWindow(const CGRect& frame);
    ~UIWindow() override;

    std::string className() const override { return "UIWindow"; }

    std::shared_ptr<UIViewController> rootViewController() const { return rootViewController_; }
    // The old root's view leaves the window and the new root's view fills it (resizing with it);
    // while the window is visible the old root disappears and the new one appears.
    void setRootViewController(std::shared_ptr<UIViewController> rootViewController);

    // Shows the window (the root view controller appears) and makes it the key window.
    void makeKeyAndVisible();
    // Makes the window the application's key window; the previous key window resigns.
    void makeKey();
    bool isKeyWindow() const;

    std::shared_ptr<UIWindowScene> windowScene() const { return windowScene_.lock(); }
    // Moves the window to the scene (or out of any scene).
    void setWindowScene(const std::shared_ptr<UIWindowScene>& windowScene);

    // The device's traits.
    UITraitCollection traitCollection() const override;
    UIWindow* asWindow() override { return this; }

    // The insets that the device gives every window (status bar or cut-out, home indicator).
    // Setting them updates every live window. Insets that are negative or not finite are refused
    // with a message on standard error.
    static UIEdgeInsets deviceSafeAreaInsets();
    static bool setDeviceSafeAreaInsets(const UIEdgeInsets& insets);

    // Every live window, in the order they were made.
    static std::vector<std::shared_ptr<UIWindow>> allWindows();

    // Presentations and dismissals of view controllers in this window run one at a time: a
    // request made while one runs waits for it to end. Used by view controllers.
    bool isTransitionInProgress() const { return transitionInProgress_; }
    void beginTransition() { transitionInProgress_ = true; }
    // Ends the running transition and starts the requests that waited for it, in order, until
    // one of them begins a transition of its own.
    void endTransition();
    void enqueueAfterTransition(std::function<void()> request);

protected:
    void didInit() override;
    void hierarchyNeedsLayout() override;

private:
    std::shared_ptr<UIViewController> rootViewController_;
    std::weak_ptr<UIWindowScene> windowScene_;
    bool layoutScheduled_ = false;
    bool transitionInProgress_ = false;
    std::deque<std::function<void()>> pendingTransitions_;
};

} // namespace uikit
