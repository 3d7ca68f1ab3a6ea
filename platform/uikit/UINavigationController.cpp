#include "platform/uikit/UINavigationController.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/uikit/UINavigationBar.hpp"
#include "platform/uikit/UINavigationItem.hpp"
#include "platform/uikit/UIScreen.hpp"
#include "platform/uikit/UIView.hpp"

#include <algorithm>
#include <cassert>
#include <iostream>

namespace uikit {

namespace {

// The navigation controller's view: it places the bar and the top view at each layout pass.
class NavigationView final : public UIView {
public:
    NavigationView(const CGRect& frame, std::weak_ptr<UINavigationController> controller)
        : UIView(frame), controller_(std::move(controller)) {}

    std::string className() const override { return "UILayoutContainerView"; }

protected:
    void layoutSubviews() override {
        UIView::layoutSubviews();
        if (const auto controller = controller_.lock()) {
            controller->layoutContent();
        }
    }
    // The bar follows the safe area that the new window gives.
    void didMoveToWindow() override {
        UIView::didMoveToWindow();
        if (const auto controller = controller_.lock()) {
            controller->layoutContent();
        }
    }

private:
    std::weak_ptr<UINavigationController> controller_;
};

CGRect offset(const CGRect& frame, CGFloat dx) {
    return {frame.origin.x + dx, frame.origin.y, frame.size.width, frame.size.height};
}

} // namespace

// A running change of the top view controller on screen.
struct UINavigationController::Slide {
    Pointer from;
    Pointer to;
    std::vector<Pointer> pushed;
    std::vector<Pointer> popped;
    bool appearance = false;
};

UINavigationController::UINavigationController(std::shared_ptr<UIViewController> rootViewController)
    : initialRoot_(std::move(rootViewController)), navigationBar_(UINavigationBar::make()) {}

UINavigationController::~UINavigationController() = default;

void UINavigationController::didInit() {
    UIViewController::didInit();
    if (auto root = std::move(initialRoot_)) {
        changeStack({std::move(root)}, false);
    }
}

void UINavigationController::loadView() {
    auto view = UIView::create<NavigationView>(UIScreen::main().bounds(),
                                               std::static_pointer_cast<UINavigationController>(shared_from_this()));
    view->setAutoresizingMask(UIViewAutoresizing::flexibleWidth | UIViewAutoresizing::flexibleHeight);
    setView(view);
    navigationBar_->setAutoresizingMask(UIViewAutoresizing::flexibleWidth);
    view->addSubview(navigationBar_);
    if (const auto top = topViewController()) {
        view->insertSubviewBelow(top->view(), navigationBar_);
    }
    layoutContent();
}

std::vector<UIViewController::Pointer> UINavigationController::childViewControllersForAppearance() const {
    const auto top = topViewController();
    const auto view = viewIfLoaded();
    if (top && view && top->isViewLoaded() && top->viewIfLoaded()->isDescendant(*view)) {
        return {top};
    }
    return {};
}

UIViewController::Pointer UINavigationController::topViewController() const {
    return children().empty() ? nullptr : children().back();
}

CGRect UINavigationController::contentFrame() const {
    const auto view = viewIfLoaded();
    if (!view) {
        return CGRect::zero();
    }
    const CGRect bounds = view->bounds();
    if (navigationBar_->isHidden()) {
        return bounds;
    }
    const CGFloat top = navigationBar_->frame().maxY() - bounds.origin.y;
    return {bounds.origin.x, bounds.origin.y + top, bounds.size.width, std::max<CGFloat>(0, bounds.size.height - top)};
}

void UINavigationController::layoutContent() {
    const auto view = viewIfLoaded();
    if (!view) {
        return;
    }
    const CGRect bounds = view->bounds();
    navigationBar_->setFrame({bounds.origin.x, bounds.origin.y + view->safeAreaInsets().top, bounds.size.width,
                              UINavigationBar::defaultHeight});
    if (slide_) {
        return;
    }
    if (const auto top = topViewController(); top && top->isViewLoaded()) {
        top->viewIfLoaded()->setFrame(contentFrame());
    }
}

void UINavigationController::pushViewController(const Pointer& viewController, bool animated) {
    assert(foundation::isMainThread());
    if (!viewController) {
        std::cerr << "Application tried to push a nil view controller on target " << description() << ".\n";
        return;
    }
    if (std::dynamic_pointer_cast<UINavigationController>(viewController)) {
        std::cerr << "Pushing a navigation controller is not supported (" << viewController->description() << ").\n";
        return;
    }
    const auto& stack = children();
    if (std::find(stack.begin(), stack.end(), viewController) != stack.end()) {
        std::cerr << "Pushing the same view controller instance more than once is not supported ("
                  << viewController->description() << ").\n";
        return;
    }
    auto next = stack;
    next.push_back(viewController);
    changeStack(std::move(next), animated);
}

UIViewController::Pointer UINavigationController::popViewController(bool animated) {
    const auto& stack = children();
    if (stack.size() < 2) {
        return nullptr;
    }
    auto popped = stack.back();
    changeStack({stack.begin(), stack.end() - 1}, animated);
    return popped;
}

void UINavigationController::changeStack(std::vector<Pointer> stack, bool animated) {
    finishSlide();
    const auto self = shared_from_this();
    const auto old = children();
    const auto from = old.empty() ? nullptr : old.back();
    const auto to = stack.empty() ? nullptr : stack.back();
    auto contains = [](const std::vector<Pointer>& list, const Pointer& v) {
        return std::find(list.begin(), list.end(), v) != list.end();
    };

    auto slide = std::make_unique<Slide>();
    slide->from = from;
    slide->to = to;
    for (const auto& v : stack) {
        if (!contains(old, v)) {
            addChild(v);
            slide->pushed.push_back(v);
        }
    }
    for (const auto& v : old) {
        if (!contains(stack, v)) {
            v->willMove(nullptr);
            slide->popped.push_back(v);
        }
    }
    children_ = stack;
    for (const auto& v : slide->popped) {
        // Still a child until its transition ends, as on the platform, but out of the stack.
        v->parent_ = weak_from_this();
    }

    std::vector<std::shared_ptr<UINavigationItem>> items;
    for (const auto& v : stack) {
        items.push_back(v->navigationItem());
    }
    navigationBar_->setItems(std::move(items), animated);

    const auto view = viewIfLoaded();
    const bool visible = appearState_ == AppearState::appeared || appearState_ == AppearState::appearing;
    const bool changesTop = from != to;
    slide->appearance = visible && changesTop;
    if (slide->appearance) {
        if (from) {
            from->beginAppearanceTransition(false, animated);
        }
        if (to) {
            to->beginAppearanceTransition(true, animated);
        }
    }
    slide_ = std::move(slide);
    if (!view || !changesTop) {
        finishSlide();
        return;
    }
    const CGRect frame = contentFrame();
    const bool forward = !from || contains(stack, from);
    if (to) {
        const auto toView = to->view();
        UIView::performWithoutAnimation([&] {
            toView->setFrame(animated ? offset(frame, forward ? frame.size.width : -frame.size.width / 3) : frame);
        });
        view->insertSubviewBelow(toView, navigationBar_);
    }
    if (!animated) {
        finishSlide();
        return;
    }
    const auto fromView = from ? from->viewIfLoaded() : nullptr;
    const auto toView = to ? to->viewIfLoaded() : nullptr;
    Slide* const running = slide_.get();
    const std::weak_ptr<UIViewController> weakSelf = self;
    UIView::animate(
        transitionDuration,
        [&] {
            if (toView) {
                toView->setFrame(frame);
            }
            if (fromView) {
                fromView->setFrame(offset(frame, forward ? -frame.size.width / 3 : frame.size.width));
            }
        },
        [weakSelf, running](bool /*finished*/) {
            const auto strong = std::static_pointer_cast<UINavigationController>(weakSelf.lock());
            if (strong && strong->slide_.get() == running) {
                strong->finishSlide();
            }
        });
}

void UINavigationController::finishSlide() {
    if (!slide_) {
        return;
    }
    const auto slide = std::move(slide_);
    const auto self = shared_from_this();
    if (slide->from && slide->from != slide->to) {
        if (const auto fromView = slide->from->viewIfLoaded(); fromView && fromView->superview() == viewIfLoaded()) {
            fromView->removeFromSuperview();
        }
    }
    if (slide->appearance) {
        if (slide->from) {
            slide->from->endAppearanceTransition();
        }
        if (slide->to) {
            slide->to->endAppearanceTransition();
        }
    }
    for (const auto& v : slide->popped) {
        if (v->parent().get() == this) {
            v->parent_.reset();
            v->didMove(nullptr);
        }
    }
    for (const auto& v : slide->pushed) {
        if (v->parent().get() == this) {
            v->didMove(self);
        }
    }
    layoutContent();
}

} // namespace uikit
