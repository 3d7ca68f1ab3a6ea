#include "platform/swiftui/UIHostingController.hpp"

#include "platform/uikit/UIWindow.hpp"

namespace swiftui {

UIHostingController::UIHostingController(View rootView) : initialRootView_(std::move(rootView)) {}

void UIHostingController::didInit() {
    UIViewController::didInit();
    std::weak_ptr<UIViewController> weak = weak_from_this();
    EnvironmentValues environment;
    environment.presentationMode = PresentationMode(
        [weak] {
            const auto controller = weak.lock();
            return controller && controller->presentingViewController() != nullptr && !controller->isBeingDismissed();
        },
        [weak] {
            if (const auto controller = weak.lock()) {
                controller->dismiss(true);
            }
        });
    graph_ = std::make_shared<ViewGraph>(std::exchange(initialRootView_, View()), std::move(environment));
}

const View& UIHostingController::rootView() const { return graph_->rootView(); }

void UIHostingController::setRootView(View rootView) { graph_->setRootView(std::move(rootView)); }

CGSize UIHostingController::sizeThatFits(CGSize in) { return hostingView()->sizeThatFits(in); }

std::shared_ptr<HostingView> UIHostingController::hostingView() {
    return std::static_pointer_cast<HostingView>(view());
}

void UIHostingController::loadView() {
    auto view = uikit::UIView::create<HostingView>(graph_);
    std::weak_ptr<UIHostingController> weak = std::static_pointer_cast<UIHostingController>(shared_from_this());
    view->onWindowChange = [weak](bool inWindow) {
        const auto controller = weak.lock();
        if (controller && !controller->isContained()) {
            controller->graph_->setAppeared(inWindow);
        }
    };
    setView(std::move(view));
}

bool UIHostingController::isContained() const {
    if (parent() || presentingViewController() || isAppeared()) {
        return true;
    }
    const auto loaded = viewIfLoaded();
    const auto window = loaded ? loaded->window() : nullptr;
    return window && window->rootViewController().get() == this;
}

void UIHostingController::viewWillAppear(bool animated) {
    UIViewController::viewWillAppear(animated);
    graph_->setAppeared(true);
}

void UIHostingController::viewDidDisappear(bool animated) {
    UIViewController::viewDidDisappear(animated);
    graph_->setAppeared(false);
}

} // namespace swiftui
