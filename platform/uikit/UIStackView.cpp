#include "platform/uikit/UIStackView.hpp"

#include <algorithm>

namespace uikit {

namespace {

struct AxisAttributes {
    NSLayoutAttribute start;
    NSLayoutAttribute end;
    NSLayoutAttribute dimension;
    NSLayoutAttribute center;
};

constexpr AxisAttributes kHorizontal{NSLayoutAttribute::leading, NSLayoutAttribute::trailing, NSLayoutAttribute::width,
                                     NSLayoutAttribute::centerX};
constexpr AxisAttributes kVertical{NSLayoutAttribute::top, NSLayoutAttribute::bottom, NSLayoutAttribute::height,
                                   NSLayoutAttribute::centerY};

// Lets the stack hug its largest arranged view across the axis when nothing else sizes it;
// below the fitting level, so that fitting sizes and real constraints win.
constexpr float kCrossHuggingPriority = 49;

} // namespace

UIStackView::UIStackView(const std::vector<std::shared_ptr<UIView>>& arrangedSubviews)
    : UIView(CGRect::zero()), initial_(arrangedSubviews) {}

UIStackView::UIStackView(const CGRect& frame) : UIView(frame) {}

void UIStackView::didInit() {
    UIView::didInit();
    const auto views = std::move(initial_);
    initial_.clear();
    for (const auto& view : views) {
        addArrangedSubview(view);
    }
}

void UIStackView::arrangementChanged() {
    setNeedsUpdateConstraints();
    setNeedsLayout();
}

void UIStackView::addArrangedSubview(const std::shared_ptr<UIView>& view) {
    insertArrangedSubview(view, arranged_.size());
}

void UIStackView::insertArrangedSubview(const std::shared_ptr<UIView>& view, std::size_t at) {
    if (!view || view.get() == this) {
        return;
    }
    const auto existing = std::find(arranged_.begin(), arranged_.end(), view);
    if (existing != arranged_.end()) {
        arranged_.erase(existing);
    }
    at = std::min(at, arranged_.size());
    if (view->superview().get() != this) {
        addSubview(view);
        if (view->superview().get() != this) {
            return; // refused (an ancestor of the stack)
        }
    }
    view->setTranslatesAutoresizingMaskIntoConstraints(false);
    arranged_.insert(arranged_.begin() + static_cast<std::ptrdiff_t>(at), view);
    arrangementChanged();
}

void UIStackView::removeArrangedSubview(const std::shared_ptr<UIView>& view) {
    const auto it = std::find(arranged_.begin(), arranged_.end(), view);
    if (it == arranged_.end()) {
        return;
    }
    arranged_.erase(it);
    arrangementChanged();
}

void UIStackView::willRemoveSubview(const std::shared_ptr<UIView>& subview) {
    UIView::willRemoveSubview(subview);
    removeArrangedSubview(subview);
}

void UIStackView::subviewHiddenChanged(UIView& subview) {
    UIView::subviewHiddenChanged(subview);
    const auto isSubview = [&](const std::shared_ptr<UIView>& view) { return view.get() == &subview; };
    if (std::any_of(arranged_.begin(), arranged_.end(), isSubview)) {
        arrangementChanged();
    }
}

void UIStackView::setAxis(UILayoutConstraintAxis axis) {
    axis_ = axis;
    arrangementChanged();
}

void UIStackView::setDistribution(UIStackViewDistribution distribution) {
    distribution_ = distribution;
    arrangementChanged();
}

void UIStackView::setAlignment(UIStackViewAlignment alignment) {
    alignment_ = alignment;
    arrangementChanged();
}

void UIStackView::setSpacing(CGFloat spacing) {
    spacing_ = std::isfinite(spacing) ? spacing : 0;
    arrangementChanged();
}

void UIStackView::updateConstraints() {
    UIView::updateConstraints();
    NSLayoutConstraint::deactivate(generated_);
    for (const auto& guide : std::vector<std::shared_ptr<UILayoutGuide>>(layoutGuides())) {
        if (guide->identifier().rfind("UISV-", 0) == 0) {
            removeLayoutGuide(guide);
        }
    }
    generated_ = makeConstraints();
    NSLayoutConstraint::activate(generated_);
}

std::vector<NSLayoutConstraint::Pointer> UIStackView::makeConstraints() {
    std::vector<NSLayoutConstraint::Pointer> result;
    const std::shared_ptr<LayoutItem> stack = shared_from_this();
    const bool vertical = axis_ == UILayoutConstraintAxis::vertical;
    const AxisAttributes& main = vertical ? kVertical : kHorizontal;
    const AxisAttributes& cross = vertical ? kHorizontal : kVertical;

    const auto add = [&](const std::shared_ptr<LayoutItem>& a, NSLayoutAttribute attributeA, NSLayoutRelation relation,
                         const std::shared_ptr<LayoutItem>& b, NSLayoutAttribute attributeB, CGFloat constant,
                         const char* identifier, float priority = 1000) {
        auto constraint = NSLayoutConstraint::make(a, attributeA, relation, b, attributeB, 1, constant);
        constraint->setIdentifier(std::string(identifier));
        constraint->setPriority(priority);
        result.push_back(constraint);
        return constraint;
    };
    const auto equal = NSLayoutRelation::equal;
    const auto atLeast = NSLayoutRelation::greaterThanOrEqual;
    const auto atMost = NSLayoutRelation::lessThanOrEqual;

    // Across the axis, by alignment.
    for (const auto& view : arranged_) {
        switch (alignment_) {
        case UIStackViewAlignment::fill:
            add(view, cross.start, equal, stack, cross.start, 0, "UISV-alignment");
            add(view, cross.end, equal, stack, cross.end, 0, "UISV-alignment");
            break;
        case UIStackViewAlignment::leading:
        case UIStackViewAlignment::firstBaseline:
            add(view, cross.start, equal, stack, cross.start, 0, "UISV-alignment");
            add(view, cross.end, atMost, stack, cross.end, 0, "UISV-spanning-boundary");
            break;
        case UIStackViewAlignment::center:
            add(view, cross.center, equal, stack, cross.center, 0, "UISV-alignment");
            add(view, cross.start, atLeast, stack, cross.start, 0, "UISV-spanning-boundary");
            add(view, cross.end, atMost, stack, cross.end, 0, "UISV-spanning-boundary");
            break;
        case UIStackViewAlignment::trailing:
        case UIStackViewAlignment::lastBaseline:
            add(view, cross.end, equal, stack, cross.end, 0, "UISV-alignment");
            add(view, cross.start, atLeast, stack, cross.start, 0, "UISV-spanning-boundary");
            break;
        }
        if (alignment_ != UIStackViewAlignment::fill) {
            add(stack, cross.dimension, equal, view, cross.dimension, 0, "UISV-canvas-fit", kCrossHuggingPriority);
        }
    }

    std::vector<std::shared_ptr<UIView>> visible;
    for (const auto& view : arranged_) {
        if (view->isHidden()) {
            add(view, main.dimension, equal, nullptr, NSLayoutAttribute::notAnAttribute, 0, "UISV-hiding");
            add(view, main.start, equal, stack, main.start, 0, "UISV-hiding");
        } else {
            visible.push_back(view);
        }
    }
    if (visible.empty()) {
        return result;
    }

    // Along the axis: the ends pinned, the views in order.
    add(visible.front(), main.start, equal, stack, main.start, 0, "UISV-canvas-connection");
    add(visible.back(), main.end, equal, stack, main.end, 0, "UISV-canvas-connection");
    const std::size_t n = visible.size();
    std::shared_ptr<UILayoutGuide> firstGap;
    for (std::size_t i = 1; i < n; ++i) {
        const auto& previous = visible[i - 1];
        const auto& next = visible[i];
        switch (distribution_) {
        case UIStackViewDistribution::fill:
            add(next, main.start, equal, previous, main.end, spacing_, "UISV-spacing");
            break;
        case UIStackViewDistribution::equalCentering: {
            // A guide between each pair of centres, all of one size.
            auto gap = UILayoutGuide::make();
            gap->setIdentifier("UISV-distributing-centers");
            addLayoutGuide(gap);
            add(gap, main.start, equal, previous, main.center, 0, "UISV-distributing");
            add(gap, main.end, equal, next, main.center, 0, "UISV-distributing");
            add(next, main.start, atLeast, previous, main.end, spacing_, "UISV-spacing");
            if (firstGap) {
                add(gap, main.dimension, equal, firstGap, main.dimension, 0, "UISV-fill-equally");
            } else {
                firstGap = gap;
            }
            break;
        }
        }
    }
    return result;
}

} // namespace uikit
