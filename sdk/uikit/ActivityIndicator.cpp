#include "sdk/uikit/ActivityIndicator.hpp"

#include "platform/uikit/UIViewController.hpp"
#include "platform/uikit/UIWindow.hpp"
#include "sdk/base/ActivityIndicatorHost.hpp"
#include "sdk/base/UIUtils.hpp"
#include "sdk/uikit/LoadingView.hpp"
#include "sdk/uikit/ViewHelpers.hpp"

#include <algorithm>

namespace vyd {

using uikit::UIView;

namespace {

enum class Operation { start, stop };

std::shared_ptr<UIView> hostView(uikit::UIViewController& viewController, bool overFullScreen, Operation operation) {
    std::shared_ptr<UIView> host;
    if (auto* custom = dynamic_cast<ActivityIndicatorHost*>(&viewController)) {
        host = custom->activityIndicatorHostView(operation == Operation::start);
    } else {
        host = viewController.view();
    }
    if (overFullScreen) {
        const auto window =
            operation == Operation::start ? UIUtils::currentActiveKeyWindow() : UIUtils::currentKeyWindow();
        host = window ? std::static_pointer_cast<UIView>(window) : viewController.view();
    }
    return host;
}

std::shared_ptr<LoadingView> firstLoadingView(const UIView& host) {
    for (const auto& subview : host.subviews()) {
        if (auto loading = std::dynamic_pointer_cast<LoadingView>(subview)) {
            return loading;
        }
    }
    return nullptr;
}

void addPinned(UIView& host, const std::shared_ptr<UIView>& view) {
    host.addSubview(view);
    pinToEdges(view);
}

} // namespace

void startActivityIndicator(uikit::UIViewController& viewController, std::optional<uikit::UIColor> activityColor,
                            bool overFullScreen, bool blockSuperview) {
    const auto host = hostView(viewController, overFullScreen, Operation::start);
    if (firstLoadingView(*host)) {
        return;
    }
    const auto loading = LoadingView::make();
    loading->setActivityColor(std::move(activityColor));
    loading->setBlockingSuperview(blockSuperview);
    addPinned(*host, loading);
}

void stopActivityIndicator(uikit::UIViewController& viewController, bool overFullScreen) {
    const auto host = hostView(viewController, overFullScreen, Operation::stop);
    if (const auto loading = firstLoadingView(*host)) {
        loading->removeFromSuperview();
    }
}

void startErrorView(uikit::UIViewController& viewController, const std::shared_ptr<UIView>& errorView,
                    bool overFullScreen) {
    const auto host = hostView(viewController, overFullScreen, Operation::start);
    if (!errorView) {
        return;
    }
    const auto& subviews = host->subviews();
    if (std::find(subviews.begin(), subviews.end(), errorView) != subviews.end()) {
        return;
    }
    addPinned(*host, errorView);
}

} // namespace vyd
