#pragma once
#include "platform/uikit/UITableView.hpp"
#include "sdk/uikit/TableBaseProtocols.hpp"

#include <memory>
#include <optional>
#include <string>

// Base cells and views of the SDK's lists.
namespace vyd {

// A table cell that shows no selection; subclasses fill it in `configure`.
class BaseTableViewCell : public uikit::UITableViewCell, public BaseCellProtocol {
public:
    explicit BaseTableViewCell(uikit::UITableViewCellStyle style = uikit::UITableViewCellStyle::defaultStyle,
                               std::optional<std::string> reuseIdentifier = std::nullopt)
        : UITableViewCell(style, std::move(reuseIdentifier)) {}

    std::string className() const override { return "BaseTableViewCell"; }

    // The base versions turn the selection style off.
    void configure(const std::shared_ptr<CellIdentifiableProtocol>& with) override;
    void configure() override;
};

// A table header or footer view; subclasses fill it in `configure`.
class BaseHeaderFooterView : public uikit::UITableViewHeaderFooterView, public BaseHeaderFooterViewProtocol {
public:
    explicit BaseHeaderFooterView(std::optional<std::string> reuseIdentifier = std::nullopt)
        : UITableViewHeaderFooterView(std::move(reuseIdentifier)) {}

    std::string className() const override { return "BaseHeaderFooterView"; }

    // The base version does nothing.
    void configure(const std::shared_ptr<HeaderFooterViewIdentifiableProtocol>& /*with*/) override {}
};

// A table view as tall as its content: each new content size invalidates its intrinsic size, so
// that Auto Layout grows or shrinks it with its rows.
class IntrinsicTableView : public uikit::UITableView {
public:
    static std::shared_ptr<IntrinsicTableView> make(const uikit::CGRect& frame = uikit::CGRect::zero(),
                                                    uikit::UITableViewStyle style = uikit::UITableViewStyle::plain) {
        return create<IntrinsicTableView>(frame, style);
    }

    IntrinsicTableView(const uikit::CGRect& frame, uikit::UITableViewStyle style) : UITableView(frame, style) {}

    std::string className() const override { return "IntrinsicTableView"; }

    // Also when the size does not change.
    void setContentSize(const uikit::CGSize& size) override;
    // Lays the table out first; no intrinsic width, the content's height.
    uikit::CGSize intrinsicContentSize() const override;
};

// An empty, clear, unselectable cell 34 points high: the room of the bottom safe area (the home
// indicator) at the end of a list. Made only without arguments; its reuse identifier is the
// catalogue's.
class SafeAreaBottomTableViewCell : public uikit::UITableViewCell {
public:
    static constexpr uikit::CGFloat height = 34;

    static std::shared_ptr<SafeAreaBottomTableViewCell> make() { return create<SafeAreaBottomTableViewCell>(); }

    SafeAreaBottomTableViewCell();

    std::string className() const override { return "SafeAreaBottomTableViewCell"; }

protected:
    void didInit() override;
};

} // namespace vyd
