#pragma once

#include "platform/foundation/URL.hpp"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace webkit {

class WKBackForwardListItem {
public:
    WKBackForwardListItem(foundation::URL url, foundation::URL initialURL, std::string title)
        : url_(std::move(url)), initialURL_(std::move(initialURL)), title_(std::move(title)) {}

    // Where the page is (after redirects), and the URL its navigation asked for.
    const foundation::URL& url() const { return url_; }
    const foundation::URL& initialURL() const { return initialURL_; }
    const std::string& title() const { return title_; }

private:
    friend class WKBackForwardList;

    foundation::URL url_;
    foundation::URL initialURL_;
    std::string title_;
};

// The pages a web view has shown, and where it stands among them. A committed new page drops
// the pages ahead and becomes the current one; going back or to an item moves the current one.
class WKBackForwardList {
public:
    using Item = std::shared_ptr<WKBackForwardListItem>;

    Item currentItem() const;
    Item backItem() const { return itemAtIndex(-1); }
    Item forwardItem() const { return itemAtIndex(1); }
    // Relative to the current item: -1 is the back item.
    Item itemAtIndex(int index) const;
    // Oldest first.
    std::vector<Item> backList() const;

    // The engine's side.
    void push(Item item);
    // Makes `item` current; false when it is not in the list.
    bool moveTo(const Item& item);
    void updateCurrent(const foundation::URL& url, const std::string& title);

private:
    std::vector<Item> items_;
    int current_ = -1;
};

} // namespace webkit
