#include "platform/swiftui/HostingView.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/uikit/UITouch.hpp"
#include "platform/uikit/UIWindow.hpp"

#include <algorithm>

namespace swiftui {

HostingView::HostingView(std::shared_ptr<ViewGraph> graph) : graph_(std::move(graph)) {}

void HostingView::didInit() {
    UIView::didInit();
    std::weak_ptr<UIView> weak = weak_from_this();
    graph_->onNeedsUpdate = [weak] {
        if (const auto view = std::static_pointer_cast<HostingView>(weak.lock())) {
            view->invalidateIntrinsicContentSize();
            view->setNeedsLayout();
        }
        // Outside a window nothing lays the view out: the update still happens on the next
        // turn of the main queue, as on the platform.
        foundation::DispatchQueue::main().async([weak] {
            if (const auto view = std::static_pointer_cast<HostingView>(weak.lock())) {
                if (view->graph_->needsUpdate()) {
                    view->updateIfNeeded();
                }
            }
        });
    };
}

void HostingView::updateIfNeeded() {
    graph_->layout(bounds().size);
    syncPlatformViews();
}

const Node* HostingView::rootNode() {
    updateIfNeeded();
    return graph_->root();
}

void HostingView::layoutSubviews() {
    UIView::layoutSubviews();
    updateIfNeeded();
}

void HostingView::didMoveToWindow() {
    UIView::didMoveToWindow();
    if (window()) {
        // A window lays out what needs it at the end of the main queue's turn.
        setNeedsLayout();
    }
    if (onWindowChange) {
        onWindowChange(window() != nullptr);
    }
}

CGSize HostingView::intrinsicContentSize() const { return graph_->sizeThatFits(ProposedViewSize::unspecified()); }

CGSize HostingView::intrinsicContentSizeForLayoutWidth(CGFloat width) const {
    return graph_->sizeThatFits({std::max<CGFloat>(0, width), std::nullopt});
}

CGSize HostingView::sizeThatFits(const CGSize& size) const {
    const auto length = [](CGFloat l) { return l > 0 ? std::optional<CGFloat>(l) : std::nullopt; };
    return graph_->sizeThatFits({length(size.width), length(size.height)});
}

void HostingView::syncPlatformViews() {
    std::vector<std::weak_ptr<UIView>> present;
    if (const Node* root = graph_->root()) {
        for (const Node* node : root->findAll([](const Node& n) { return n.kind() == NodeKind::representable; })) {
            const auto& view = node->uiView();
            if (!view) {
                continue;
            }
            if (view->superview().get() != this) {
                addSubview(view);
            }
            view->setHidden(!node->isPlaced());
            view->setFrame(node->frame());
            present.push_back(view);
        }
    }
    for (const auto& weak : platformViews_) {
        const auto view = weak.lock();
        if (view && view->superview().get() == this &&
            std::none_of(present.begin(), present.end(), [&view](const auto& p) { return p.lock() == view; })) {
            view->removeFromSuperview();
        }
    }
    platformViews_ = std::move(present);
}

void HostingView::touchesBegan(const uikit::UITouchSet& touches, const uikit::UIEvent*) {
    if (touches.empty()) {
        return;
    }
    touching_ = true;
    touchTarget_ = graph_->hitTest(touches.front()->location(this));
}

void HostingView::touchesEnded(const uikit::UITouchSet& touches, const uikit::UIEvent*) {
    if (!touching_ || touches.empty()) {
        return;
    }
    touching_ = false;
    const auto& touch = *touches.front();
    const CGPoint point = touch.location(this);
    // A tap counts where the finger went down and came up on the same drawn view.
    if (touchTarget_ && graph_->hitTest(point) == touchTarget_) {
        graph_->tap(point, touch.timestamp());
    }
    touchTarget_ = nullptr;
}

void HostingView::touchesCancelled(const uikit::UITouchSet&, const uikit::UIEvent*) {
    touching_ = false;
    touchTarget_ = nullptr;
}

} // namespace swiftui
