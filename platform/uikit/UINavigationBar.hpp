#pragma once

// The bar at the top of a navigation controller. It shows the top navigation item (title view,
// left and right bar button items, whose custom views become its subviews while shown) and keeps
// its appearances. Other subviews that code adds to the bar stay as they are. Main thread only.

#include "platform/uikit/UIColor.hpp"
#include "platform/uikit/UIFont.hpp"
#include "platform/uikit/UIView.hpp"

#include <any>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace uikit {

class UINavigationItem;

// How a bar looks. A value: assigning it to a bar copies it, as the platform copies appearances.
class UINavigationBarAppearance {
public:
    // The platform's title text attributes (NSAttributedString.Key foregroundColor and font).
    struct TextAttributes {
        std::optional<UIColor> foregroundColor;
        std::optional<UIFont> font;
        friend bool operator==(const TextAttributes&, const TextAttributes&) = default;
    };

    // Made with the default background: no background colour (the blur of the platform) and a
    // thin shadow line.
    UINavigationBarAppearance();

    // Resets the background colour to the system background colour (white in the light style,
    // black in the dark one) and the shadow colour to the thin shadow line; the title attributes
    // stay.
    void configureWithOpaqueBackground();

    std::optional<UIColor> backgroundColor;
    std::optional<UIColor> shadowColor;
    TextAttributes titleTextAttributes;
};

class UINavigationBar : public UIView {
public:
    static constexpr CGFloat defaultHeight = 44;

    static std::shared_ptr<UINavigationBar> make(const CGRect& frame = {0, 0, 0, defaultHeight}) {
        return create<UINavigationBar>(frame);
    }

    explicit UINavigationBar(const CGRect& frame);
    std::string className() const override { return "UINavigationBar"; }

    const UINavigationBarAppearance& standardAppearance() const { return standardAppearance_; }
    void setStandardAppearance(const UINavigationBarAppearance& appearance);
    // Used while the content under the bar is scrolled to its top edge; absent: the standard one.
    void setScrollEdgeAppearance(std::optional<UINavigationBarAppearance> appearance);

    // The items, bottom to top; the bar shows the top one.
    const std::vector<std::shared_ptr<UINavigationItem>>& items() const { return items_; }
    void setItems(std::vector<std::shared_ptr<UINavigationItem>> items, bool animated = false);
    std::shared_ptr<UINavigationItem> topItem() const;
    std::shared_ptr<UINavigationItem> backItem() const;

    // Key-value coding of the bar's settings that have no member of their own: "hidesShadow"
    // (a Bool: whether the bar's own bottom shadow line is hidden). Another key, or a value of
    // another type, is refused with the platform's message on standard error and changes
    // nothing; the result tells whether the value was taken.
    bool setValue(const std::any& value, const std::string& forKey);
    // The value of a key (an empty value for a key the bar does not know).
    std::any value(const std::string& forKey) const;
    bool hidesShadow() const { return hidesShadow_; }

    CGSize intrinsicContentSize() const override { return {noIntrinsicMetric, defaultHeight}; }
    CGSize sizeThatFits(const CGSize& size) const override { return {size.width, defaultHeight}; }

protected:
    void layoutSubviews() override;

private:
    friend class UINavigationItem;
    void showTopItem();

    UINavigationBarAppearance standardAppearance_;
    std::optional<UINavigationBarAppearance> scrollEdgeAppearance_;
    bool hidesShadow_ = false;
    std::vector<std::shared_ptr<UINavigationItem>> items_;
    std::vector<std::shared_ptr<UIView>> itemViews_;
    std::vector<std::shared_ptr<UIView>> leftViews_;
    std::vector<std::shared_ptr<UIView>> rightViews_;
    std::shared_ptr<UIView> titleView_;
};

} // namespace uikit
