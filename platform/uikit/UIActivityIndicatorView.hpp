#pragma once

// A spinning indicator of work in progress. While it animates its layer runs an endless
// rotation (under the key "spin"); stopping removes it. It is hidden whenever it is not
// animating, from the start.

#include "platform/uikit/UIView.hpp"

#include <memory>

namespace uikit {

// The platform's raw values.
enum class UIActivityIndicatorViewStyle : int { whiteLarge = 0, white = 1, gray = 2, medium = 100, large = 101 };

class UIActivityIndicatorView : public UIView {
public:
    static std::shared_ptr<UIActivityIndicatorView>
    make(UIActivityIndicatorViewStyle style = UIActivityIndicatorViewStyle::medium) {
        return create<UIActivityIndicatorView>(style);
    }
    explicit UIActivityIndicatorView(UIActivityIndicatorViewStyle style = UIActivityIndicatorViewStyle::medium);

    std::string className() const override { return "UIActivityIndicatorView"; }

    UIActivityIndicatorViewStyle style() const { return style_; }
    // Grey unless set; setting none restores it.
    const UIColor& color() const { return color_; }
    void setColor(std::optional<UIColor> color);

    void startAnimating();
    void stopAnimating();
    bool isAnimating() const { return animating_; }

    // 20 x 20 points, 37 x 37 for the large styles.
    CGSize intrinsicContentSize() const override;
    CGSize sizeThatFits(const CGSize&) const override { return intrinsicContentSize(); }

private:
    UIActivityIndicatorViewStyle style_;
    UIColor color_;
    bool animating_ = false;
};

} // namespace uikit
