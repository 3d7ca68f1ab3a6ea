#include "sdk/uikit/SnackBarView.hpp"

#include "sdk/uikit/Palette.hpp"

namespace vyd {

namespace {

std::shared_ptr<uikit::UIView> makePlate() {
    auto plate = uikit::UIView::make();
    plate->setBackgroundColor(palette::darkGray());
    plate->layer()->setCornerRadius(SnackBarView::contentsCornerRadius);
    plate->setTranslatesAutoresizingMaskIntoConstraints(false);
    return plate;
}

std::shared_ptr<uikit::UILabel> makeLabel() {
    auto label = uikit::UILabel::make();
    label->setNumberOfLines(2);
    label->setTextColor(uikit::UIColor::white());
    label->setFont(uikit::UIFont::systemFont(15));
    label->setTranslatesAutoresizingMaskIntoConstraints(false);
    return label;
}

} // namespace

SnackBarView::SnackBarView(const std::string& text) : backgroundView_(makePlate()), labelView_(makeLabel()) {
    labelView_->setText(text);
}

void SnackBarView::didInit() {
    UIView::didInit();
    addSubview(backgroundView_);
    addSubview(labelView_);
    uikit::NSLayoutConstraint::activate({
        backgroundView_->topAnchor().constraintEqualTo(topAnchor()),
        backgroundView_->leadingAnchor().constraintEqualTo(leadingAnchor()),
        backgroundView_->bottomAnchor().constraintEqualTo(bottomAnchor()),
        backgroundView_->trailingAnchor().constraintEqualTo(trailingAnchor()),
        labelView_->topAnchor().constraintEqualTo(topAnchor(), verticalContentInset),
        labelView_->leadingAnchor().constraintEqualTo(leadingAnchor(), horizontalContentInset),
        labelView_->bottomAnchor().constraintEqualTo(bottomAnchor(), -verticalContentInset),
        labelView_->trailingAnchor().constraintEqualTo(trailingAnchor(), -horizontalContentInset),
        labelView_->widthAnchor().constraintGreaterThanOrEqualToConstant(minLabelWidth),
        labelView_->heightAnchor().constraintGreaterThanOrEqualToConstant(labelHeight),
    });
}

} // namespace vyd
