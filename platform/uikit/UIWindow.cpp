#include "platform/uikit/UIWindow.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/uikit/UIApplication.hpp"
#include "platform/uikit/UIScreen.hpp"
#include "platform/uikit/UIViewController.hpp"
#include "platform/uikit/UIWindowScene.hpp"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <iostream>

namespace uikit {

namespace {

std::vector<std::weak_ptr<UIWindow>>& registry() {
    static std::vector<std::weak_ptr<UIWindow>> windows;
    return windows;
}

UIEdgeInsets& deviceInsets() {
    static UIEdgeInsets insets;
    return insets;
}

} // namespace

std::shared_ptr<UIWindow> UIWindow::make() { return make(UIScreen::main().bounds()); }

std::shared_ptr<UIWindow> UIWindow::make(const CGRect& frame) { return create<UIWindow>(frame); }

std::shared_ptr<UIWindow> UIWindow::make(const std::shared_ptr<UIWindowScene>& windowScene) {
    auto window = make();
    window->setWindowScene(windowScene);
    return window;
}

UIWindow::UIWindow(const CGRect& frame) : UIView(frame) {}

UIWindow::~UIWindow() {
    if (const auto scene = windowScene_.lock()) {
        scene->detach(this);
    }
}

void UIWindow::didInit() {
    UIView::didInit();
    setHidden(true);
    setSafeAreaInsetsOverride(deviceInsets());
    auto& windows = registry();
    std::erase_if(windows, [](const std::weak_ptr<UIWindow>& weak) { return weak.expired(); });
    windows.push_back(std::static_pointer_cast<UIWindow>(shared_from_this()));
}

void UIWindow::setRootViewController(std::shared_ptr<UIViewController> rootViewController) {
    assert(foundation::isMainThread());
    if (rootViewController == rootViewController_) {
        return;
    }
    const bool visible = !isHidden();
    const auto old = std::move(rootViewController_);
    rootViewController_ = std::move(rootViewController);
    if (old) {
        if (visible) {
            old->beginAppearanceTransition(false, false);
        }
        if (const auto view = old->viewIfLoaded(); view && view->superview().get() == this) {
            view->removeFromSuperview();
        }
        if (visible) {
            old->endAppearanceTransition();
        }
    }
    if (rootViewController_) {
        const auto view = rootViewController_->view();
        view->setFrame(bounds());
        view->setAutoresizingMask(UIViewAutoresizing::flexibleWidth | UIViewAutoresizing::flexibleHeight);
        insertSubview(view, 0);
        if (visible) {
            rootViewController_->beginAppearanceTransition(true, false);
            rootViewController_->endAppearanceTransition();
        }
    }
}

void UIWindow::makeKeyAndVisible() {
    assert(foundation::isMainThread());
    makeKey();
    if (!isHidden()) {
        return;
    }
    setHidden(false);
    if (rootViewController_) {
        rootViewController_->beginAppearanceTransition(true, false);
        rootViewController_->endAppearanceTransition();
    }
}

void UIWindow::makeKey() {
    UIApplication::shared().setKeyWindow(std::static_pointer_cast<UIWindow>(shared_from_this()));
}

bool UIWindow::isKeyWindow() const { return UIApplication::shared().keyWindow().get() == this; }

void UIWindow::setWindowScene(const std::shared_ptr<UIWindowScene>& windowScene) {
    if (const auto old = windowScene_.lock()) {
        old->detach(this);
    }
    windowScene_ = windowScene;
    if (windowScene) {
        windowScene->attach(std::static_pointer_cast<UIWindow>(shared_from_this()));
    }
}

UITraitCollection UIWindow::traitCollection() const { return UITraitCollection::current(); }

UIEdgeInsets UIWindow::deviceSafeAreaInsets() { return deviceInsets(); }

bool UIWindow::setDeviceSafeAreaInsets(const UIEdgeInsets& insets) {
    for (const CGFloat value : {insets.top, insets.left, insets.bottom, insets.right}) {
        if (!std::isfinite(value) || value < 0) {
            std::cerr << "UIWindow: safe-area insets must be finite and not negative; refusing (" << insets.top << ", "
                      << insets.left << ", " << insets.bottom << ", " << insets.right << ").\n";
            return false;
        }
    }
    deviceInsets() = insets;
    for (const auto& window : allWindows()) {
        window->setSafeAreaInsetsOverride(insets);
    }
    return true;
}

std::vector<std::shared_ptr<UIWindow>> UIWindow::allWindows() {
    std::vector<std::shared_ptr<UIWindow>> live;
    for (const auto& weak : registry()) {
        if (auto window = weak.lock()) {
            live.push_back(std::move(window));
        }
    }
    return live;
}

void UIWindow::endTransition() {
    transitionInProgress_ = false;
    while (!transitionInProgress_ && !pendingTransitions_.empty()) {
        auto request = std::move(pendingTransitions_.front());
        pendingTransitions_.pop_front();
        request();
    }
}

void UIWindow::enqueueAfterTransition(std::function<void()> request) {
    pendingTransitions_.push_back(std::move(request));
}

void UIWindow::hierarchyNeedsLayout() {
    std::weak_ptr<UIView> weak = weak_from_this();
    if (layoutScheduled_ || weak.expired()) {
        return;
    }
    layoutScheduled_ = true;
    foundation::DispatchQueue::main().async([weak] {
        if (const auto view = weak.lock()) {
            static_cast<UIWindow&>(*view).layoutScheduled_ = false;
            view->layoutIfNeeded();
        }
    });
}

} // namespace uikit
