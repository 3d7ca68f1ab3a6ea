#include "platform/webkit/WKBackForwardList.hpp"

#include <algorithm>

namespace webkit {

WKBackForwardList::Item WKBackForwardList::currentItem() const { return itemAtIndex(0); }

WKBackForwardList::Item WKBackForwardList::itemAtIndex(int index) const {
    long position = static_cast<long>(current_) + index;
    if (current_ < 0 || position < 0 || position >= static_cast<long>(items_.size())) {
        return nullptr;
    }
    return items_[static_cast<std::size_t>(position)];
}

std::vector<WKBackForwardList::Item> WKBackForwardList::backList() const {
    if (current_ <= 0) {
        return {};
    }
    return {items_.begin(), items_.begin() + current_};
}

void WKBackForwardList::push(Item item) {
    items_.erase(items_.begin() + (current_ + 1), items_.end());
    items_.push_back(std::move(item));
    current_ = static_cast<int>(items_.size()) - 1;
}

bool WKBackForwardList::moveTo(const Item& item) {
    auto found = std::find(items_.begin(), items_.end(), item);
    if (found == items_.end()) {
        return false;
    }
    current_ = static_cast<int>(found - items_.begin());
    return true;
}

void WKBackForwardList::updateCurrent(const foundation::URL& url, const std::string& title) {
    if (auto item = currentItem()) {
        item->url_ = url;
        item->title_ = title;
    }
}

} // namespace webkit
