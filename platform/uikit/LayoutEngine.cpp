#include "platform/uikit/LayoutEngine.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/uikit/LayoutSystem.hpp"

#include <algorithm>
#include <cassert>
#include <memory>
#include <vector>

namespace uikit {

namespace {

constexpr int kMaxPasses = 12;

void updateConstraintsPass(UIView& view, std::vector<UIView*>& pending) {
    for (const auto& subview : view.subviews()) {
        updateConstraintsPass(*subview, pending);
    }
    pending.push_back(&view);
}

std::shared_ptr<UIView> rootOf(UIView& view) {
    auto root = view.shared_from_this();
    while (auto parent = root->superview()) {
        root = std::move(parent);
    }
    return root;
}

} // namespace

class LayoutPasses {
public:
    static void updateConstraints(UIView& root) {
        std::vector<UIView*> order;
        updateConstraintsPass(root, order);
        // Keep the views alive: updateConstraints may rearrange the tree.
        std::vector<std::shared_ptr<UIView>> views;
        views.reserve(order.size());
        for (UIView* view : order) {
            views.push_back(view->shared_from_this());
        }
        for (const auto& view : views) {
            if (view->needsUpdateConstraints_) {
                view->needsUpdateConstraints_ = false;
                view->updateConstraints();
            }
        }
    }

    static void layoutSubviews(UIView& view) {
        const auto keep = view.shared_from_this();
        if (view.needsLayout_) {
            view.needsLayout_ = false;
            view.layoutSubviews();
        }
        const auto subviews = view.subviews_;
        for (const auto& subview : subviews) {
            if (subview->superview().get() == &view) {
                layoutSubviews(*subview);
            }
        }
    }

    // Shared, so that a pass keeps the system alive while a hook makes the root a subview.
    static std::shared_ptr<LayoutSystem> layoutSystem(UIView& root) {
        if (!root.layoutSystem_) {
            root.layoutSystem_ = std::make_shared<LayoutSystem>(root, LayoutSystem::Mode::layout);
        }
        return root.layoutSystem_;
    }

    static std::shared_ptr<LayoutSystem> fittingSystem(UIView& view) {
        if (!view.fittingSystem_) {
            view.fittingSystem_ = std::make_shared<LayoutSystem>(view, LayoutSystem::Mode::fitting);
        }
        return view.fittingSystem_;
    }
};

std::shared_ptr<UIView> LayoutEngine::mark(UIView& view, Mark what, const NSLayoutConstraint* constraint) {
    // Null while the view is being made (not yet owned).
    auto current = view.weak_from_this().lock();
    if (!current) {
        return nullptr;
    }
    const auto note = [&](LayoutSystem& system) {
        switch (what) {
        case Mark::structure:
            system.structureChanged();
            break;
        case Mark::constants:
            system.constantChanged(*constraint);
            break;
        case Mark::frame:
            system.frameChanged();
            break;
        case Mark::subviews:
            system.subviewsNeedLayout();
            break;
        }
    };
    for (;;) {
        if (current->fittingSystem_ && what != Mark::subviews) {
            note(*current->fittingSystem_);
        }
        auto parent = current->superview_.lock();
        if (!parent) {
            break;
        }
        current = std::move(parent);
    }
    if (current->layoutSystem_) {
        note(*current->layoutSystem_);
    }
    return current;
}

void LayoutEngine::structureChanged(UIView& view) {
    if (const auto root = mark(view, Mark::structure, nullptr)) {
        root->hierarchyNeedsLayout();
    }
}

void LayoutEngine::constantChanged(UIView& view, const NSLayoutConstraint& constraint) {
    if (const auto root = mark(view, Mark::constants, &constraint)) {
        root->hierarchyNeedsLayout();
    }
}

void LayoutEngine::frameChanged(UIView& view) {
    if (const auto root = mark(view, Mark::frame, nullptr)) {
        root->hierarchyNeedsLayout();
    }
}

void LayoutEngine::subviewsNeedLayout(UIView& view) {
    if (const auto root = mark(view, Mark::subviews, nullptr)) {
        root->hierarchyNeedsLayout();
    }
}

std::uint64_t LayoutEngine::version(const UIView& view) {
    const auto root = rootOf(const_cast<UIView&>(view));
    return root->layoutSystem_ ? root->layoutSystem_->changeCount() : 0;
}

void LayoutEngine::updateConstraintsIfNeeded(UIView& view) {
    assert(foundation::isMainThread());
    LayoutPasses::updateConstraints(*rootOf(view));
}

void LayoutEngine::layoutIfNeeded(UIView& view) {
    assert(foundation::isMainThread());
    if (LayoutSystem::isSolving()) {
        return;
    }
    const auto root = rootOf(view);
    for (int pass = 0; pass < kMaxPasses; ++pass) {
        const auto system = LayoutPasses::layoutSystem(*root);
        bool subviews = system->takeSubviewsNeedLayout();
        if (!subviews && system->isClean()) {
            return; // nothing changed in this tree since its last pass
        }
        // Asking a view to update its constraints is a change of structure: after changes of
        // constants only, no view waits for it. A change of structure may bring views that wait
        // for `layoutSubviews`.
        if (system->change() == LayoutSystem::Change::structure) {
            LayoutPasses::updateConstraints(*root);
            subviews = true;
        }
        system->layout();
        if (system->takeSubviewsNeedLayout() || subviews) {
            LayoutPasses::layoutSubviews(*root);
        }
        if (system->isClean() && !system->hasSubviewsWaiting()) {
            return;
        }
    }
}

CGSize LayoutEngine::fittingSize(const UIView& view, const CGSize& target, UILayoutPriority horizontal,
                                 UILayoutPriority vertical) {
    assert(foundation::isMainThread());
    UIView& mutableView = const_cast<UIView&>(view);
    const auto system = LayoutPasses::fittingSystem(mutableView);
    // A system that nothing changed since it solved has no constraints waiting to be updated.
    if (!system->isClean()) {
        LayoutPasses::updateConstraints(mutableView);
    }
    return system->fittingSize(target, horizontal, vertical);
}

void UIView::layoutIfNeeded() { LayoutEngine::layoutIfNeeded(*this); }

void UIView::updateConstraintsIfNeeded() { LayoutEngine::updateConstraintsIfNeeded(*this); }

CGSize UIView::systemLayoutSizeFitting(const CGSize& targetSize) const {
    return systemLayoutSizeFitting(targetSize, UILayoutPriority::fittingSizeLevel, UILayoutPriority::fittingSizeLevel);
}

CGSize UIView::systemLayoutSizeFitting(const CGSize& targetSize, UILayoutPriority withHorizontalFittingPriority,
                                       UILayoutPriority verticalFittingPriority) const {
    return LayoutEngine::fittingSize(*this, targetSize, withHorizontalFittingPriority, verticalFittingPriority);
}

} // namespace uikit
