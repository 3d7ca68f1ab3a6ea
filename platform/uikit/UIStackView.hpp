#pragma once

// A view that lays out a row or column of arranged subviews through constraints it makes for
// its axis, spacing, alignment and distribution.
//
// The constraints are rebuilt whenever the arrangement changes (views added, removed, hidden
// or shown, or a property set) at the next layout pass, and are installed on the stack view
// with identifiers starting "UISV-". Hidden arranged views take no space: they get a size of 0
// along the axis at the start of the stack. Arranged views lay out by constraints (the stack
// view turns their autoresizing-mask translation off). Along the cross axis, a stack view whose
// size nothing else fixes hugs its widest (tallest) arranged view.
//
// Baseline alignments are approximated: firstBaseline aligns tops, lastBaseline bottoms.

#include "platform/uikit/UIView.hpp"

#include <memory>
#include <vector>

namespace uikit {

// The platform's raw values (of the distributions that are built here).
enum class UIStackViewDistribution : int {
    fill = 0,
    equalCentering = 4,
};

enum class UIStackViewAlignment : int {
    fill = 0,
    leading = 1,
    top = 1,
    firstBaseline = 2,
    center = 3,
    trailing = 4,
    bottom = 4,
    lastBaseline = 5,
};

constexpr int rawValue(UIStackViewDistribution distribution) { return static_cast<int>(distribution); }
constexpr int rawValue(UIStackViewAlignment alignment) { return static_cast<int>(alignment); }

class UIStackView : public UIView {
public:
    static std::shared_ptr<UIStackView> make(const std::vector<std::shared_ptr<UIView>>& arrangedSubviews = {}) {
        return create<UIStackView>(arrangedSubviews);
    }
    static std::shared_ptr<UIStackView> make(const CGRect& frame) { return create<UIStackView>(frame); }

    explicit UIStackView(const std::vector<std::shared_ptr<UIView>>& arrangedSubviews);
    explicit UIStackView(const CGRect& frame = CGRect::zero());

    std::string className() const override { return "UIStackView"; }

    const std::vector<std::shared_ptr<UIView>>& arrangedSubviews() const { return arranged_; }
    // Adds the view as the last arranged view (and as a subview when it is not one yet).
    void addArrangedSubview(const std::shared_ptr<UIView>& view);
    // An index past the end appends.
    void insertArrangedSubview(const std::shared_ptr<UIView>& view, std::size_t at);
    // Takes the view out of the arrangement; it stays a subview.
    void removeArrangedSubview(const std::shared_ptr<UIView>& view);

    UILayoutConstraintAxis axis() const { return axis_; }
    void setAxis(UILayoutConstraintAxis axis);
    UIStackViewDistribution distribution() const { return distribution_; }
    void setDistribution(UIStackViewDistribution distribution);
    UIStackViewAlignment alignment() const { return alignment_; }
    void setAlignment(UIStackViewAlignment alignment);
    CGFloat spacing() const { return spacing_; }
    void setSpacing(CGFloat spacing);

protected:
    void didInit() override;
    void updateConstraints() override;
    void willRemoveSubview(const std::shared_ptr<UIView>& subview) override;
    // A hidden arranged view takes no space in the arrangement.
    void subviewHiddenChanged(UIView& subview) override;

private:
    void arrangementChanged();
    std::vector<NSLayoutConstraint::Pointer> makeConstraints();

    std::vector<std::shared_ptr<UIView>> arranged_;
    std::vector<std::shared_ptr<UIView>> initial_;
    std::vector<NSLayoutConstraint::Pointer> generated_;
    UILayoutConstraintAxis axis_ = UILayoutConstraintAxis::horizontal;
    UIStackViewDistribution distribution_ = UIStackViewDistribution::fill;
    UIStackViewAlignment alignment_ = UIStackViewAlignment::fill;
    CGFloat spacing_ = 0;
};

} // namespace uikit
