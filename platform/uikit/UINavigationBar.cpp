#include "platform/uikit/UINavigationBar.hpp"

#include "platform/uikit/UIBarButtonItem.hpp"
#include "platform/uikit/UINavigationItem.hpp"

#include <algorithm>
#include <cstdio>
#include <iostream>

namespace uikit {

namespace {

UIColor systemBackground() {
    static const UIColor color([](const UITraitCollection& traits) {
        return traits.userInterfaceStyle() == UIUserInterfaceStyle::dark ? UIColor::black() : UIColor::white();
    });
    return color;
}

// The hairline under a bar.
UIColor barShadow() { return UIColor(0.0, 0.3); }

const std::string hidesShadowKey = "hidesShadow";

// Space between the bar's edges and its items, and between items.
constexpr CGFloat itemMargin = 8;

CGSize sizeOf(const UIView& view) {
    const CGSize size = view.frame().size;
    if (size.width > 0 && size.height > 0) {
        return size;
    }
    return view.systemLayoutSizeFitting(UIView::layoutFittingCompressedSize());
}

} // namespace

UINavigationBarAppearance::UINavigationBarAppearance() : shadowColor(barShadow()) {}

void UINavigationBarAppearance::configureWithOpaqueBackground() {
    backgroundColor = systemBackground();
    shadowColor = barShadow();
}

UINavigationBar::UINavigationBar(const CGRect& frame) : UIView(frame) {}

void UINavigationBar::setStandardAppearance(const UINavigationBarAppearance& appearance) {
    standardAppearance_ = appearance;
    // Nothing scrolls under a headless bar, so it always rests at the scroll edge.
    setBackgroundColor(scrollEdgeAppearance_.value_or(standardAppearance_).backgroundColor);
}

void UINavigationBar::setScrollEdgeAppearance(std::optional<UINavigationBarAppearance> appearance) {
    scrollEdgeAppearance_ = std::move(appearance);
    setBackgroundColor(scrollEdgeAppearance_.value_or(standardAppearance_).backgroundColor);
}

void UINavigationBar::setItems(std::vector<std::shared_ptr<UINavigationItem>> items, bool /*animated*/) {
    std::erase(items, nullptr);
    for (const auto& item : items_) {
        if (item->bar_.lock().get() == this) {
            item->bar_.reset();
        }
    }
    items_ = std::move(items);
    if (const auto top = topItem()) {
        top->bar_ = std::static_pointer_cast<UINavigationBar>(shared_from_this());
    }
    showTopItem();
}

std::shared_ptr<UINavigationItem> UINavigationBar::topItem() const { return items_.empty() ? nullptr : items_.back(); }

std::shared_ptr<UINavigationItem> UINavigationBar::backItem() const {
    return items_.size() < 2 ? nullptr : items_[items_.size() - 2];
}

bool UINavigationBar::setValue(const std::any& value, const std::string& forKey) {
    if (forKey != hidesShadowKey) {
        std::cerr << "[<" << className() << " " << this << "> setValue:forUndefinedKey:]: this class is not key value "
                  << "coding-compliant for the key " << forKey << ".\n";
        return false;
    }
    if (const bool* flag = std::any_cast<bool>(&value)) {
        hidesShadow_ = *flag;
        return true;
    }
    if (const int* number = std::any_cast<int>(&value)) {
        hidesShadow_ = *number != 0;
        return true;
    }
    std::cerr << "[<" << className() << " " << this << "> setValue:forKey:]: the value for the key " << forKey
              << " must be a Bool; it stays " << (hidesShadow_ ? "true" : "false") << ".\n";
    return false;
}

std::any UINavigationBar::value(const std::string& forKey) const {
    if (forKey == hidesShadowKey) {
        return hidesShadow_;
    }
    return {};
}

void UINavigationBar::showTopItem() {
    for (const auto& view : itemViews_) {
        if (view->superview().get() == this) {
            view->removeFromSuperview();
        }
    }
    itemViews_.clear();
    leftViews_.clear();
    rightViews_.clear();
    titleView_.reset();
    const auto item = topItem();
    if (!item) {
        return;
    }
    for (const auto& barItem : item->leftBarButtonItems()) {
        if (barItem->customView()) {
            leftViews_.push_back(barItem->customView());
        }
    }
    titleView_ = item->titleView();
    for (const auto& barItem : item->rightBarButtonItems()) {
        if (barItem->customView()) {
            rightViews_.push_back(barItem->customView());
        }
    }
    itemViews_ = leftViews_;
    if (titleView_) {
        itemViews_.push_back(titleView_);
    }
    itemViews_.insert(itemViews_.end(), rightViews_.begin(), rightViews_.end());
    for (const auto& view : itemViews_) {
        addSubview(view);
    }
    layoutSubviews();
    setNeedsLayout();
}

void UINavigationBar::layoutSubviews() {
    UIView::layoutSubviews();
    const CGRect area = bounds();
    const CGFloat midY = area.origin.y + area.size.height / 2;
    CGFloat left = area.origin.x + itemMargin;
    for (const auto& view : leftViews_) {
        const CGSize size = sizeOf(*view);
        view->setFrame({left, midY - size.height / 2, size.width, size.height});
        left += size.width + itemMargin;
    }
    CGFloat right = area.origin.x + area.size.width - itemMargin;
    for (const auto& view : rightViews_) {
        const CGSize size = sizeOf(*view);
        right -= size.width;
        view->setFrame({right, midY - size.height / 2, size.width, size.height});
        right -= itemMargin;
    }
    if (titleView_) {
        const CGSize size = sizeOf(*titleView_);
        titleView_->setFrame(
            {area.origin.x + (area.size.width - size.width) / 2, midY - size.height / 2, size.width, size.height});
    }
}

} // namespace uikit
