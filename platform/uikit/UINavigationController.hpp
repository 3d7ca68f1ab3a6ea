#pragma once

// A container that shows one of a stack of view controllers at a time, under a navigation bar
// that shows the top view controller's navigation item.
//
// The stack is the navigation controller's children, bottom to top. Changes take effect at
// once in `viewControllers()`; on screen the new top view controller slides in (animated, over
// `transitionDuration` seconds on the clock) with the appearance callbacks: the old top's
// will-disappear and the new top's will-appear first, then did-disappear and did-appear when the
// slide ends. Pushed view controllers get `didMove(toParent:)` when their transition ends; popped
// ones get `willMove(toParent: null)` at once and leave at the end. A change made while a slide
// runs finishes that slide first. The top view controller's view sits under the bar (below it
// when the bar shows). Refused with the platform's message on standard error: pushing null, a
// navigation controller, or a view controller already in the stack.
// Main thread only.

#include "platform/uikit/UIViewController.hpp"

#include <memory>
#include <vector>

namespace uikit {

class UINavigationBar;

class UINavigationController : public UIViewController {
public:
    static constexpr double transitionDuration = 0.35;

    static std::shared_ptr<UINavigationController>
    make(std::shared_ptr<UIViewController> rootViewController = nullptr) {
        return create<UINavigationController>(std::move(rootViewController));
    }

    // Public so that `create` can reach it; make navigation controllers with `make`.
    explicit UINavigationController(std::shared_ptr<UIViewController> rootViewController = nullptr);
    ~UINavigationController() override;

    std::string className() const override { return "UINavigationController"; }

    const std::vector<Pointer>& viewControllers() const { return children(); }
    void pushViewController(const Pointer& viewController, bool animated);
    // The popped view controller; null with only the root left.
    Pointer popViewController(bool animated);

    Pointer topViewController() const;

    // Made with the navigation controller, before its view loads.
    const std::shared_ptr<UINavigationBar>& navigationBar() const { return navigationBar_; }

    // Places the bar and the top view controller's view in the navigation controller's view.
    void layoutContent();

protected:
    void didInit() override;
    void loadView() override;
    std::vector<Pointer> childViewControllersForAppearance() const override;

private:
    struct Slide;

    void changeStack(std::vector<Pointer> stack, bool animated);
    void finishSlide();
    CGRect contentFrame() const;

    std::shared_ptr<UIViewController> initialRoot_;
    std::shared_ptr<UINavigationBar> navigationBar_;
    std::unique_ptr<Slide> slide_;
};

} // namespace uikit
