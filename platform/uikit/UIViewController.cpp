#include "platform/uikit/UIViewController.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/uikit/ModalPresentation.hpp"
#include "platform/uikit/UINavigationController.hpp"
#include "platform/uikit/UINavigationItem.hpp"
#include "platform/uikit/UIScreen.hpp"
#include "platform/uikit/UIView.hpp"
#include "platform/uikit/UIWindow.hpp"

#include <algorithm>
#include <cassert>
#include <cstdio>
#include <iostream>

namespace uikit {

namespace {

std::string address(const void* pointer) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%p", pointer);
    return buffer;
}

} // namespace

UIViewController::~UIViewController() = default;

std::string UIViewController::description() const { return "<" + className() + ": " + address(this) + ">"; }

// MARK: View

std::shared_ptr<UIView> UIViewController::view() {
    assert(foundation::isMainThread());
    if (view_) {
        return view_;
    }
    if (loadingView_) {
        std::cerr << description() << ": the view was asked for while it loads; loadView must set it.\n";
        return view_;
    }
    loadingView_ = true;
    loadView();
    loadingView_ = false;
    if (!view_) {
        // The platform would ask again for ever; a plain view stands in.
        std::cerr << description() << ": loadView set no view; a plain view takes its place.\n";
        setView(UIView::make(UIScreen::main().bounds()));
    }
    viewDidLoad();
    return view_;
}

void UIViewController::setView(std::shared_ptr<UIView> view) {
    view_ = std::move(view);
    if (view_) {
        view_->setAdditionalSafeAreaInsets(additionalSafeAreaInsets_);
    }
}

void UIViewController::loadViewIfNeeded() { view(); }

void UIViewController::loadView() {
    auto view = UIView::make(UIScreen::main().bounds());
    view->setAutoresizingMask(UIViewAutoresizing::flexibleWidth | UIViewAutoresizing::flexibleHeight);
    setView(std::move(view));
}

void UIViewController::setAdditionalSafeAreaInsets(const UIEdgeInsets& insets) {
    additionalSafeAreaInsets_ = insets;
    if (view_) {
        view_->setAdditionalSafeAreaInsets(insets);
    }
}

UITraitCollection UIViewController::traitCollection() const {
    return view_ ? view_->traitCollection() : UITraitCollection::current();
}

// MARK: Appearance

void UIViewController::beginAppearanceTransition(bool isAppearing, bool animated) {
    if (isAppearing) {
        if (appearState_ == AppearState::appearing || appearState_ == AppearState::appeared) {
            return;
        }
        loadViewIfNeeded();
        appearState_ = AppearState::appearing;
        appearanceAnimated_ = animated;
        viewWillAppear(animated);
    } else {
        if (appearState_ == AppearState::disappearing || appearState_ == AppearState::disappeared) {
            return;
        }
        appearState_ = AppearState::disappearing;
        appearanceAnimated_ = animated;
        viewWillDisappear(animated);
    }
    for (const auto& child : childViewControllersForAppearance()) {
        child->beginAppearanceTransition(isAppearing, animated);
    }
}

void UIViewController::endAppearanceTransition() {
    if (appearState_ == AppearState::appearing) {
        appearState_ = AppearState::appeared;
        viewDidAppear(appearanceAnimated_);
    } else if (appearState_ == AppearState::disappearing) {
        appearState_ = AppearState::disappeared;
        viewDidDisappear(appearanceAnimated_);
    } else {
        return;
    }
    for (const auto& child : childViewControllersForAppearance()) {
        child->endAppearanceTransition();
    }
}

std::vector<UIViewController::Pointer> UIViewController::childViewControllersForAppearance() const {
    std::vector<Pointer> inView;
    if (!view_) {
        return inView;
    }
    for (const auto& child : children_) {
        if (child->view_ && child->view_->isDescendant(*view_)) {
            inView.push_back(child);
        }
    }
    return inView;
}

// MARK: Containment

bool UIViewController::isAncestor(const UIViewController& of) const {
    for (auto v = of.parent(); v; v = v->parent()) {
        if (v.get() == this) {
            return true;
        }
    }
    return false;
}

void UIViewController::addChild(const Pointer& child) {
    assert(foundation::isMainThread());
    if (!child) {
        return;
    }
    if (child.get() == this || child->isAncestor(*this)) {
        std::cerr << "UIViewController: " << child->description() << " cannot become a child of " << description()
                  << ", which it contains.\n";
        return;
    }
    if (child->presenterOfThis()) {
        std::cerr << "UIViewController: " << child->description() << " is presented and cannot become a child of "
                  << description() << ".\n";
        return;
    }
    if (child->parent().get() == this) {
        return;
    }
    if (child->parent()) {
        child->removeFromParent();
    }
    child->willMove(shared_from_this());
    children_.push_back(child);
    child->parent_ = weak_from_this();
}

void UIViewController::removeFromParent() {
    assert(foundation::isMainThread());
    const auto parent = this->parent();
    if (!parent) {
        return;
    }
    const auto keepAlive = shared_from_this();
    if (appearState_ == AppearState::appeared || appearState_ == AppearState::appearing) {
        beginAppearanceTransition(false, false);
        endAppearanceTransition();
    }
    std::erase(parent->children_, keepAlive);
    parent_.reset();
    didMove(nullptr);
}

void UIViewController::didMove(const Pointer& toParent) {
    if (toParent && toParent->appearState_ == AppearState::appeared && view_ && toParent->view_ &&
        view_->isDescendant(*toParent->view_)) {
        beginAppearanceTransition(true, false);
        endAppearanceTransition();
    }
}

std::shared_ptr<UINavigationController> UIViewController::navigationController() const {
    for (auto v = parent(); v; v = v->parent()) {
        if (auto navigation = std::dynamic_pointer_cast<UINavigationController>(v)) {
            return navigation;
        }
    }
    return nullptr;
}

std::shared_ptr<UINavigationItem> UIViewController::navigationItem() {
    if (!navigationItem_) {
        navigationItem_ = UINavigationItem::make(title_);
    }
    return navigationItem_;
}

void UIViewController::setTitle(std::optional<std::string> title) {
    title_ = title;
    if (navigationItem_) {
        navigationItem_->setTitle(std::move(title));
    }
}

// MARK: Presentation

bool UIViewController::isBeingPresented() const {
    const auto presentation = presentedBy_.lock();
    return presentation && presentation->isPresenting();
}

bool UIViewController::isBeingDismissed() const {
    const auto presentation = presentedBy_.lock();
    return presentation && presentation->isDismissing();
}

std::shared_ptr<UIViewController> UIViewController::presentedViewController() const {
    for (auto v = std::const_pointer_cast<UIViewController>(shared_from_this()); v; v = v->parent()) {
        if (v->presentation_ && v->presentation_->presented()) {
            return v->presentation_->presented();
        }
    }
    return nullptr;
}

std::shared_ptr<UIViewController> UIViewController::presentingViewController() const {
    auto outermost = std::const_pointer_cast<UIViewController>(shared_from_this());
    while (auto parent = outermost->parent()) {
        outermost = parent;
    }
    return outermost->presenterOfThis();
}

std::shared_ptr<UIViewController> UIViewController::presenterOfThis() const {
    const auto presentation = presentedBy_.lock();
    return presentation ? presentation->presenter() : nullptr;
}

std::shared_ptr<UIPresentationController> UIViewController::presentationController() const {
    const auto presentation = presentedBy_.lock();
    return presentation ? presentation->controller() : nullptr;
}

std::shared_ptr<UIViewControllerTransitionCoordinator> UIViewController::transitionCoordinator() const {
    for (auto v = std::const_pointer_cast<UIViewController>(shared_from_this()); v; v = v->parent()) {
        if (v->presentation_) {
            if (auto coordinator = v->presentation_->coordinatorForPresenter()) {
                return coordinator;
            }
        }
        if (const auto presentation = v->presentedBy_.lock()) {
            if (auto coordinator = presentation->coordinatorForPresented()) {
                return coordinator;
            }
        }
    }
    return nullptr;
}

UIViewController::Pointer UIViewController::presentationContextFor(UIModalPresentationStyle style) {
    if (style == UIModalPresentationStyle::currentContext || style == UIModalPresentationStyle::overCurrentContext) {
        for (auto v = shared_from_this(); v; v = v->parent()) {
            if (v->definesPresentationContext_) {
                return v;
            }
        }
    }
    auto outermost = shared_from_this();
    while (auto parent = outermost->parent()) {
        outermost = parent;
    }
    return outermost;
}

std::shared_ptr<UIWindow> UIViewController::windowForTransitions() const {
    if (presentation_) {
        if (const auto& container = presentation_->containerView()) {
            if (auto window = container->window()) {
                return window;
            }
        }
    }
    return view_ ? view_->window() : nullptr;
}

void UIViewController::present(const Pointer& viewControllerToPresent, bool animated, Completion completion) {
    assert(foundation::isMainThread());
    const auto& presented = viewControllerToPresent;
    if (!presented) {
        std::cerr << "Application tried to present a nil modal view controller on target " << description() << ".\n";
        return;
    }
    const auto self = shared_from_this();
    const auto presenter = presentationContextFor(ModalPresentation::resolvedStyle(presented->modalPresentationStyle_));
    const auto window = presenter->windowForTransitions();
    if (window && window->isTransitionInProgress()) {
        window->enqueueAfterTransition([self, presented, animated, completion = std::move(completion)]() mutable {
            self->present(presented, animated, std::move(completion));
        });
        return;
    }
    if (const auto presenting = presented->presenterOfThis()) {
        std::cerr << "Application tried to present modally a view controller " << presented->description()
                  << " that is already being presented by " << presenting->description() << ".\n";
        return;
    }
    if (presented == self || presented->parent() || presented->isAncestor(*this) ||
        (presented->view_ && presented->view_->window())) {
        std::cerr << "Application tried to present modally an active controller " << presented->description() << ".\n";
        return;
    }
    if (const auto& presenting = presenter->presentation_; presenting && presenting->presented()) {
        std::cerr << "Attempt to present " << presented->description() << " on " << presenter->description()
                  << " (from " << description() << ") which is already presenting "
                  << presenting->presented()->description() << ".\n";
        return;
    }
    if (!window) {
        std::cerr << "Attempt to present " << presented->description() << " on " << presenter->description()
                  << " (from " << description() << ") whose view is not in the window hierarchy.\n";
        return;
    }
    presenter->presentation_ = ModalPresentation::make(presenter, presented, self);
    presented->presentedBy_ = presenter->presentation_;
    presenter->presentation_->begin(animated, std::move(completion), self, window);
}

void UIViewController::dismiss(bool animated, Completion completion) {
    assert(foundation::isMainThread());
    for (auto v = shared_from_this(); v; v = v->parent()) {
        if (v->presentation_ && v->presentation_->presented()) {
            if (v.get() == this) {
                dismissPresented(animated, std::move(completion));
            } else {
                v->dismiss(animated, std::move(completion));
            }
            return;
        }
    }
    if (const auto presenter = presentingViewController()) {
        presenter->dismiss(animated, std::move(completion));
    }
    // Nothing presented here: the platform does nothing, completion included.
}

void UIViewController::dismissPresented(bool animated, Completion completion) {
    const auto window = windowForTransitions();
    if (window && window->isTransitionInProgress()) {
        const auto self = shared_from_this();
        window->enqueueAfterTransition([self, animated, completion = std::move(completion)]() mutable {
            self->dismiss(animated, std::move(completion));
        });
        return;
    }
    if (!presentation_ || !presentation_->presented()) {
        return;
    }
    ModalPresentation::Chain above;
    for (auto link = presentation_->presented()->presentation_; link && link->presented();
         link = link->presented()->presentation_) {
        above.push_back(link);
    }
    presentation_->dismiss(above, animated, std::move(completion), window);
}

void UIViewController::show(const Pointer& viewController, const Pointer& /*sender*/) {
    if (const auto navigation = navigationController()) {
        navigation->pushViewController(viewController, true);
        return;
    }
    present(viewController, true);
}

} // namespace uikit
