#pragma once

// A button of a navigation bar. Only items that show a view of their own (`customView`) are
// built here: the bar places that view and touches reach it like any other view. Main thread
// only.

#include <memory>

namespace uikit {

class UIView;

class UIBarButtonItem {
public:
    static std::shared_ptr<UIBarButtonItem> make(std::shared_ptr<UIView> customView) {
        return std::make_shared<UIBarButtonItem>(std::move(customView));
    }

    explicit UIBarButtonItem(std::shared_ptr<UIView> customView) : customView_(std::move(customView)) {}

    const std::shared_ptr<UIView>& customView() const { return customView_; }
    void setCustomView(std::shared_ptr<UIView> customView) { customView_ = std::move(customView); }

    bool isEnabled() const { return enabled_; }
    // A disabled item's custom view takes no touches.
    void setEnabled(bool enabled);

private:
    std::shared_ptr<UIView> customView_;
    bool enabled_ = true;
};

} // namespace uikit
