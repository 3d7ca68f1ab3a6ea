#include "platform/testing/SimulatedUser.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/safariservices/SFSafariViewController.hpp"
#include "platform/swiftui/HostingView.hpp"
#include "platform/uikit/UITouch.hpp"
#include "platform/webkit/WKWebView.hpp"

#include <algorithm>
#include <optional>

namespace testing {

using uikit::CGPoint;
using uikit::UIView;

namespace {

std::shared_ptr<UIView> rootOf(const std::shared_ptr<UIView>& view) {
    auto root = view;
    while (auto parent = root->superview()) {
        root = parent;
    }
    return root;
}

CGPoint centreOf(const UIView& view) {
    const auto b = view.bounds();
    return {b.midX(), b.midY()};
}

struct Target {
    std::shared_ptr<UIView> view;
    CGPoint location;
};

std::optional<Target> findTarget(const std::shared_ptr<UIView>& view, std::string_view label) {
    if (!view || view->isHidden()) {
        return std::nullopt;
    }
    if (view->accessibilityIdentifier() == label) {
        return Target{view, centreOf(*view)};
    }
    if (const auto host = std::dynamic_pointer_cast<swiftui::HostingView>(view)) {
        if (const swiftui::Node* root = host->rootNode()) {
            const swiftui::Node* node = root->findIdentifier(label);
            node = node ? node : root->findText(label);
            if (node && node->isPlaced()) {
                const auto frame = node->frame();
                return Target{view, {frame.midX(), frame.midY()}};
            }
        }
    }
    for (const auto& subview : view->subviews()) {
        if (auto found = findTarget(subview, label)) {
            return found;
        }
    }
    return std::nullopt;
}

} // namespace

std::shared_ptr<UIView> SimulatedUser::tap(const std::shared_ptr<UIView>& root, std::string_view textOrIdentifier) {
    const auto target = findTarget(root, textOrIdentifier);
    return target ? tap(target->view, target->location) : nullptr;
}

std::shared_ptr<UIView> SimulatedUser::tap(const std::shared_ptr<UIView>& view) {
    return view ? tap(view, centreOf(*view)) : nullptr;
}

std::shared_ptr<UIView> SimulatedUser::tap(const std::shared_ptr<UIView>& view, const CGPoint& location) {
    if (!view) {
        return nullptr;
    }
    const auto root = rootOf(view);
    const CGPoint point = view->convert(location, nullptr);
    const double start = foundation::Clock::now();
    uikit::UITouchSequence touch(root, point, start);
    const auto hit = touch.hitView();
    touch.end(point, start + frameInterval);
    return hit;
}

std::shared_ptr<UIView> SimulatedUser::drag(const std::shared_ptr<UIView>& view, const CGPoint& translation,
                                            const CGPoint& velocity, int steps) {
    if (!view) {
        return nullptr;
    }
    steps = std::max(steps, 1);
    const auto root = rootOf(view);
    const CGPoint from = view->convert(centreOf(*view), nullptr);
    const CGPoint to{from.x + translation.x, from.y + translation.y};
    // The last move covers what the velocity covers in one frame; the moves before it spread
    // the rest of the way evenly.
    const CGPoint lastStep{velocity.x * frameInterval, velocity.y * frameInterval};
    const CGPoint beforeLast{to.x - lastStep.x, to.y - lastStep.y};

    double time = foundation::Clock::now();
    uikit::UITouchSequence touch(root, from, time);
    const auto hit = touch.hitView();
    for (int k = 1; k < steps; ++k) {
        const double f = static_cast<double>(k) / (steps - 1 > 0 ? steps - 1 : 1);
        time += frameInterval;
        touch.move({from.x + (beforeLast.x - from.x) * f, from.y + (beforeLast.y - from.y) * f}, time);
    }
    time += frameInterval;
    touch.move(to, time);
    time += frameInterval;
    touch.end(to, time);
    return hit;
}

bool SimulatedUser::tapLink(webkit::WKWebView& webView, const std::string& text) {
    const auto& page = webView.page();
    if (!page) {
        return false;
    }
    for (const auto& link : page->links) {
        if (link.text == text) {
            webView.activateLink(link);
            return true;
        }
    }
    return false;
}

bool SimulatedUser::submitForm(webkit::WKWebView& webView,
                               const std::vector<std::pair<std::string, std::string>>& values, std::size_t formIndex) {
    const auto& page = webView.page();
    if (!page || formIndex >= page->forms.size()) {
        return false;
    }
    return webView.submitForm(page->forms[formIndex], values) != nullptr;
}

void SimulatedUser::navigateByScript(webkit::WKWebView& webView, const foundation::URL& url) {
    webView.navigateByScript(url);
}

bool SimulatedUser::pressDone(safariservices::SFSafariViewController& browser) {
    auto button = browser.doneButton();
    return tap(button) == button;
}

} // namespace testing
