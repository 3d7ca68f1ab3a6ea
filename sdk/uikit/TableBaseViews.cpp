#include "sdk/uikit/TableBaseViews.hpp"

#include "sdk/catalogue/L10n.hpp"

namespace vyd {

void BaseTableViewCell::configure(const std::shared_ptr<CellIdentifiableProtocol>& /*with*/) {
    setSelectionStyle(uikit::UITableViewCellSelectionStyle::none);
}

void BaseTableViewCell::configure() { setSelectionStyle(uikit::UITableViewCellSelectionStyle::none); }

void IntrinsicTableView::setContentSize(const uikit::CGSize& size) {
    UITableView::setContentSize(size);
    invalidateIntrinsicContentSize();
}

uikit::CGSize IntrinsicTableView::intrinsicContentSize() const {
    // Asked during a layout pass this does nothing; the new content size then invalidates the
    // intrinsic size and the pass runs again.
    const_cast<IntrinsicTableView*>(this)->layoutIfNeeded();
    return {noIntrinsicMetric, contentSize().height};
}

SafeAreaBottomTableViewCell::SafeAreaBottomTableViewCell()
    : UITableViewCell(uikit::UITableViewCellStyle::defaultStyle, L10n::Identifiers::safeAreaBottomTableViewCell()) {}

void SafeAreaBottomTableViewCell::didInit() {
    UITableViewCell::didInit();
    setBackgroundColor(uikit::UIColor::clear());
    setSelectionStyle(uikit::UITableViewCellSelectionStyle::none);
    heightAnchor().constraintEqualToConstant(height)->setActive(true);
}

} // namespace vyd
