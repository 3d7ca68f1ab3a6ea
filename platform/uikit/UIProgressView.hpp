#pragma once

// A bar that shows how far a task has got, from 0 to 1.

#include "platform/uikit/UIView.hpp"

#include <memory>
#include <optional>

namespace uikit {

// The platform's raw values.
enum class UIProgressViewStyle : int { defaultStyle = 0, bar = 1 };

class UIProgressView : public UIView {
public:
    static std::shared_ptr<UIProgressView> make(UIProgressViewStyle style = UIProgressViewStyle::defaultStyle) {
        return create<UIProgressView>(style);
    }
    explicit UIProgressView(UIProgressViewStyle style = UIProgressViewStyle::defaultStyle);

    std::string className() const override { return "UIProgressView"; }

    UIProgressViewStyle progressViewStyle() const { return style_; }
    float progress() const { return progress_; }
    // Clamped to 0...1; a value that is not a number is ignored. Not animated here: only the
    // value is observable.
    void setProgress(float progress, bool animated = false);
    const std::optional<UIColor>& progressTintColor() const { return progressTintColor_; }
    void setProgressTintColor(std::optional<UIColor> color) { progressTintColor_ = std::move(color); }
    const std::optional<UIColor>& trackTintColor() const { return trackTintColor_; }
    void setTrackTintColor(std::optional<UIColor> color) { trackTintColor_ = std::move(color); }

    // No intrinsic width; 4 points high (2.5 for the bar style).
    CGSize intrinsicContentSize() const override;

private:
    UIProgressViewStyle style_;
    float progress_ = 0;
    std::optional<UIColor> progressTintColor_;
    std::optional<UIColor> trackTintColor_;
};

} // namespace uikit
