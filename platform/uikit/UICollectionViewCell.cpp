#include "platform/uikit/UICollectionViewCell.hpp"

namespace uikit {

namespace detail {

void embedContentView(UIView& cell, const std::shared_ptr<UIView>& contentView) {
    contentView->setTranslatesAutoresizingMaskIntoConstraints(false);
    cell.insertSubview(contentView, 0);
    std::vector<NSLayoutConstraint::Pointer> edges = {
        contentView->topAnchor().constraintEqualTo(cell.topAnchor()),
        contentView->leadingAnchor().constraintEqualTo(cell.leadingAnchor()),
        contentView->trailingAnchor().constraintEqualTo(cell.trailingAnchor()),
        contentView->bottomAnchor().constraintEqualTo(cell.bottomAnchor()),
    };
    for (const auto& edge : edges) {
        edge->setIdentifier(std::string("UIView-Encapsulated-Layout-ContentView"));
    }
    NSLayoutConstraint::activate(edges);
}

} // namespace detail

UICollectionViewCell::UICollectionViewCell(const CGRect& frame) : UIView(frame), contentView_(UIView::make()) {}

void UICollectionViewCell::didInit() {
    UIView::didInit();
    detail::embedContentView(*this, contentView_);
}

void UICollectionViewCell::prepareForReuse() {
    selected_ = false;
    highlighted_ = false;
}

} // namespace uikit
