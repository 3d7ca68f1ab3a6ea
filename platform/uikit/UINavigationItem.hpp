#pragma once

// What a navigation bar shows for one view controller: a title or title view and the bar
// button items on either side. A navigation bar that shows the item redraws it whenever one of
// these changes. Main thread only.

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace uikit {

class UIView;
class UIBarButtonItem;
class UINavigationBar;

class UINavigationItem {
public:
    using Items = std::vector<std::shared_ptr<UIBarButtonItem>>;

    static std::shared_ptr<UINavigationItem> make(std::optional<std::string> title = std::nullopt) {
        return std::make_shared<UINavigationItem>(std::move(title));
    }

    explicit UINavigationItem(std::optional<std::string> title = std::nullopt) : title_(std::move(title)) {}

    const std::optional<std::string>& title() const { return title_; }
    void setTitle(std::optional<std::string> title);
    // Shown in place of the title when set.
    const std::shared_ptr<UIView>& titleView() const { return titleView_; }
    void setTitleView(std::shared_ptr<UIView> titleView);

    // The single-item forms read and write the first item of the lists; setting null empties
    // the side. Animation is not modelled: the bar changes at once.
    std::shared_ptr<UIBarButtonItem> leftBarButtonItem() const { return left_.empty() ? nullptr : left_.front(); }
    void setLeftBarButtonItem(std::shared_ptr<UIBarButtonItem> item, bool animated = false);
    const Items& leftBarButtonItems() const { return left_; }
    void setLeftBarButtonItems(Items items, bool animated = false);
    std::shared_ptr<UIBarButtonItem> rightBarButtonItem() const { return right_.empty() ? nullptr : right_.front(); }
    void setRightBarButtonItem(std::shared_ptr<UIBarButtonItem> item, bool animated = false);
    const Items& rightBarButtonItems() const { return right_; }
    void setRightBarButtonItems(Items items, bool animated = false);

private:
    friend class UINavigationBar;
    void changed();

    std::optional<std::string> title_;
    std::shared_ptr<UIView> titleView_;
    Items left_;
    Items right_;
    // The bar that shows this item.
    std::weak_ptr<UINavigationBar> bar_;
};

} // namespace uikit
