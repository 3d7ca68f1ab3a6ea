#pragma once

// The look of the snack bar: up to two lines of white text on a dark rounded plate, at least 52
// points high (a label of at least 36 points with 8 above and below) and growing only with
// taller text.

#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UIView.hpp"

#include <memory>
#include <string>

namespace vyd {

class SnackBarView : public uikit::UIView {
public:
    static constexpr coregraphics::CGFloat horizontalContentInset = 16;
    static constexpr coregraphics::CGFloat verticalContentInset = 8;
    static constexpr coregraphics::CGFloat contentsCornerRadius = 15;
    static constexpr coregraphics::CGFloat minLabelWidth = 64;
    static constexpr coregraphics::CGFloat labelHeight = 36;

    static std::shared_ptr<SnackBarView> make(const std::string& text) { return create<SnackBarView>(text); }

    // Make it with `make`.
    explicit SnackBarView(const std::string& text);

    std::string className() const override { return "SnackBarView"; }

    // The plate, in the palette's dark grey as it was when the view was made.
    const std::shared_ptr<uikit::UIView>& backgroundView() const { return backgroundView_; }
    const std::shared_ptr<uikit::UILabel>& labelView() const { return labelView_; }

protected:
    void didInit() override;

private:
    std::shared_ptr<uikit::UIView> backgroundView_;
    std::shared_ptr<uikit::UILabel> labelView_;
};

} // namespace vyd
