#include "platform/uikit/UINavigationItem.hpp"

#include "platform/uikit/UIBarButtonItem.hpp"
#include "platform/uikit/UINavigationBar.hpp"

#include <algorithm>

namespace uikit {

namespace {

UINavigationItem::Items withoutNulls(UINavigationItem::Items items) {
    std::erase(items, nullptr);
    return items;
}

} // namespace

void UINavigationItem::changed() {
    if (const auto bar = bar_.lock()) {
        bar->showTopItem();
    }
}

void UINavigationItem::setTitle(std::optional<std::string> title) {
    title_ = std::move(title);
    changed();
}

void UINavigationItem::setTitleView(std::shared_ptr<UIView> titleView) {
    titleView_ = std::move(titleView);
    changed();
}

void UINavigationItem::setLeftBarButtonItem(std::shared_ptr<UIBarButtonItem> item, bool animated) {
    setLeftBarButtonItems(item ? Items{std::move(item)} : Items{}, animated);
}

void UINavigationItem::setLeftBarButtonItems(Items items, bool /*animated*/) {
    left_ = withoutNulls(std::move(items));
    changed();
}

void UINavigationItem::setRightBarButtonItem(std::shared_ptr<UIBarButtonItem> item, bool animated) {
    setRightBarButtonItems(item ? Items{std::move(item)} : Items{}, animated);
}

void UINavigationItem::setRightBarButtonItems(Items items, bool /*animated*/) {
    right_ = withoutNulls(std::move(items));
    changed();
}

} // namespace uikit
