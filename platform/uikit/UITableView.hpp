#pragma once

// A vertical list of rows in sections, with cells from a data source.
//
// Cells and header-footer views are made by factories registered under reuse identifiers and
// handed out again after `reloadData` (with `prepareForReuse`). The table builds its rows on
// the layout pass after a reload: every row gets its cell (the list is not virtualised: the
// SDK's lists are short), laid out top to bottom at the width of the table, each as high as the
// delegate or `rowHeight` says, or, for the automatic dimension, as its cell's fitting height
// (systemLayoutSizeFitting at the table's width). Section headers and footers work the same,
// and table header and footer views keep their own heights. The content size follows; a tap on
// a row selects it and tells the delegate. Separators are not drawn and take no height.

#include "platform/uikit/UICollectionViewCell.hpp"
#include "platform/uikit/UIScrollView.hpp"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace uikit {

class UITableView;

struct IndexPath {
    int section = 0;
    int row = 0;
    friend constexpr bool operator==(const IndexPath&, const IndexPath&) = default;
    friend constexpr auto operator<=>(const IndexPath&, const IndexPath&) = default;
};

// The platform's raw values.
enum class UITableViewStyle : int { plain = 0, grouped = 1, insetGrouped = 2 };
enum class UITableViewCellStyle : int { defaultStyle = 0, value1 = 1, value2 = 2, subtitle = 3 };
enum class UITableViewCellSelectionStyle : int { none = 0, blue = 1, gray = 2, defaultStyle = 3 };
enum class UITableViewCellSeparatorStyle : int { none = 0, singleLine = 1, singleLineEtched = 2 };

class UITableViewCell : public UIView {
public:
    static std::shared_ptr<UITableViewCell> make(UITableViewCellStyle style = UITableViewCellStyle::defaultStyle,
                                                 std::optional<std::string> reuseIdentifier = std::nullopt) {
        return create<UITableViewCell>(style, std::move(reuseIdentifier));
    }
    explicit UITableViewCell(UITableViewCellStyle style = UITableViewCellStyle::defaultStyle,
                             std::optional<std::string> reuseIdentifier = std::nullopt);

    std::string className() const override { return "UITableViewCell"; }

    UITableViewCellStyle style() const { return style_; }
    const std::shared_ptr<UIView>& contentView() const { return contentView_; }
    const std::optional<std::string>& reuseIdentifier() const { return reuseIdentifier_; }
    UITableViewCellSelectionStyle selectionStyle() const { return selectionStyle_; }
    void setSelectionStyle(UITableViewCellSelectionStyle style) { selectionStyle_ = style; }
    bool isSelected() const { return selected_; }
    virtual void setSelected(bool selected, bool animated = false);
    bool isHighlighted() const { return highlighted_; }
    virtual void setHighlighted(bool highlighted, bool animated = false);
    // Called before the table hands the cell out again; the base clears selection and highlight.
    virtual void prepareForReuse();

protected:
    void didInit() override;

private:
    UITableViewCellStyle style_;
    std::shared_ptr<UIView> contentView_;
    std::optional<std::string> reuseIdentifier_;
    UITableViewCellSelectionStyle selectionStyle_ = UITableViewCellSelectionStyle::defaultStyle;
    bool selected_ = false;
    bool highlighted_ = false;
};

class UITableViewHeaderFooterView : public UIView {
public:
    static std::shared_ptr<UITableViewHeaderFooterView>
    make(std::optional<std::string> reuseIdentifier = std::nullopt) {
        return create<UITableViewHeaderFooterView>(std::move(reuseIdentifier));
    }
    explicit UITableViewHeaderFooterView(std::optional<std::string> reuseIdentifier = std::nullopt);

    std::string className() const override { return "UITableViewHeaderFooterView"; }

    const std::shared_ptr<UIView>& contentView() const { return contentView_; }
    const std::optional<std::string>& reuseIdentifier() const { return reuseIdentifier_; }
    virtual void prepareForReuse() {}

protected:
    void didInit() override;

private:
    std::shared_ptr<UIView> contentView_;
    std::optional<std::string> reuseIdentifier_;
};

class UITableViewDataSource {
public:
    virtual ~UITableViewDataSource() = default;
    virtual int numberOfSections(UITableView& /*tableView*/) { return 1; }
    virtual int numberOfRowsInSection(UITableView& tableView, int section) = 0;
    virtual std::shared_ptr<UITableViewCell> cellForRowAt(UITableView& tableView, const IndexPath& indexPath) = 0;
};

class UITableViewDelegate : public UIScrollViewDelegate {
public:
    // The table's rowHeight unless overridden; UITableView::automaticDimension fits the cell.
    virtual CGFloat heightForRowAt(UITableView& tableView, const IndexPath& indexPath);
    virtual std::shared_ptr<UIView> viewForHeaderInSection(UITableView& /*tableView*/, int /*section*/) {
        return nullptr;
    }
    virtual CGFloat heightForHeaderInSection(UITableView& tableView, int section);
    virtual std::shared_ptr<UIView> viewForFooterInSection(UITableView& /*tableView*/, int /*section*/) {
        return nullptr;
    }
    virtual CGFloat heightForFooterInSection(UITableView& tableView, int section);
    virtual void willDisplay(UITableView& /*tableView*/, UITableViewCell& /*cell*/, const IndexPath& /*indexPath*/) {}
    virtual void didSelectRowAt(UITableView& /*tableView*/, const IndexPath& /*indexPath*/) {}
};

class UITableView : public UIScrollView {
public:
    static constexpr CGFloat automaticDimension = -1;

    using CellFactory = std::function<std::shared_ptr<UITableViewCell>(const std::string& reuseIdentifier)>;
    using HeaderFooterFactory =
        std::function<std::shared_ptr<UITableViewHeaderFooterView>(const std::string& reuseIdentifier)>;

    static std::shared_ptr<UITableView> make(const CGRect& frame = CGRect::zero(),
                                             UITableViewStyle style = UITableViewStyle::plain) {
        return create<UITableView>(frame, style);
    }
    UITableView(const CGRect& frame, UITableViewStyle style);
    explicit UITableView(const CGRect& frame = CGRect::zero()) : UITableView(frame, UITableViewStyle::plain) {}

    std::string className() const override { return "UITableView"; }
    UITableViewStyle style() const { return style_; }

    std::shared_ptr<UITableViewDataSource> dataSource() const { return dataSource_.lock(); }
    // Held weakly, as on the platform.
    void setDataSource(const std::shared_ptr<UITableViewDataSource>& dataSource);
    std::shared_ptr<UITableViewDelegate> delegate() const { return tableDelegate_.lock(); }
    // Held weakly; also the scroll view's delegate.
    void setDelegate(const std::shared_ptr<UITableViewDelegate>& delegate);

    void registerCell(CellFactory factory, const std::string& forCellReuseIdentifier);
    // Cells of type T, made with (UITableViewCellStyle::defaultStyle, identifier).
    template <class T>
    void registerCell(const std::string& forCellReuseIdentifier) {
        registerCell(
            [](const std::string& identifier) -> std::shared_ptr<UITableViewCell> {
                return UIView::create<T>(UITableViewCellStyle::defaultStyle, std::optional<std::string>(identifier));
            },
            forCellReuseIdentifier);
    }
    void registerHeaderFooterView(HeaderFooterFactory factory, const std::string& forHeaderFooterViewReuseIdentifier);
    template <class T>
    void registerHeaderFooterView(const std::string& forHeaderFooterViewReuseIdentifier) {
        registerHeaderFooterView(
            [](const std::string& identifier) -> std::shared_ptr<UITableViewHeaderFooterView> {
                return UIView::create<T>(std::optional<std::string>(identifier));
            },
            forHeaderFooterViewReuseIdentifier);
    }

    // A reusable cell, else a new one from the registration; none when neither exists.
    std::shared_ptr<UITableViewCell> dequeueReusableCell(const std::string& withIdentifier);
    // The same, but never none: an unregistered identifier (a raise on the platform) gets a
    // plain cell and a message on standard error.
    std::shared_ptr<UITableViewCell> dequeueReusableCell(const std::string& withIdentifier, const IndexPath& for_);
    std::shared_ptr<UITableViewHeaderFooterView> dequeueReusableHeaderFooterView(const std::string& withIdentifier);

    // Asks the data source again on the next layout pass; the current cells become reusable.
    void reloadData();
    int numberOfSections() const;
    int numberOfRows(int inSection) const;
    // The cell shown for the row (after a layout pass), or none.
    std::shared_ptr<UITableViewCell> cellForRow(const IndexPath& at) const;
    std::optional<IndexPath> indexPath(const UITableViewCell& for_) const;
    std::vector<std::shared_ptr<UITableViewCell>> visibleCells() const;
    CGRect rectForRow(const IndexPath& at) const;
    std::shared_ptr<UIView> headerView(int forSection) const;
    std::shared_ptr<UIView> footerView(int forSection) const;

    CGFloat rowHeight() const { return rowHeight_; }
    void setRowHeight(CGFloat height);
    CGFloat estimatedRowHeight() const { return estimatedRowHeight_; }
    void setEstimatedRowHeight(CGFloat height) { estimatedRowHeight_ = height; }
    CGFloat sectionHeaderHeight() const { return sectionHeaderHeight_; }
    void setSectionHeaderHeight(CGFloat height);
    CGFloat sectionFooterHeight() const { return sectionFooterHeight_; }
    void setSectionFooterHeight(CGFloat height);
    UITableViewCellSeparatorStyle separatorStyle() const { return separatorStyle_; }
    void setSeparatorStyle(UITableViewCellSeparatorStyle style) { separatorStyle_ = style; }
    const std::optional<UIColor>& separatorColor() const { return separatorColor_; }
    void setSeparatorColor(std::optional<UIColor> color) { separatorColor_ = std::move(color); }
    const std::shared_ptr<UIView>& tableHeaderView() const { return tableHeaderView_; }
    void setTableHeaderView(std::shared_ptr<UIView> view);
    const std::shared_ptr<UIView>& tableFooterView() const { return tableFooterView_; }
    void setTableFooterView(std::shared_ptr<UIView> view);

    bool allowsSelection() const { return allowsSelection_; }
    void setAllowsSelection(bool allows) { allowsSelection_ = allows; }
    std::optional<IndexPath> indexPathForSelectedRow() const { return selected_; }
    void selectRow(const std::optional<IndexPath>& at, bool animated = false);
    void deselectRow(const IndexPath& at, bool animated = false);

protected:
    void didInit() override;
    void layoutSubviews() override;

private:
    struct Row {
        IndexPath indexPath;
        std::shared_ptr<UITableViewCell> cell;
        CGRect frame;
    };
    struct SectionViews {
        std::shared_ptr<UIView> header;
        std::shared_ptr<UIView> footer;
    };

    void recycleAll();
    void buildIfNeeded();
    CGFloat fittingHeight(const std::shared_ptr<UIView>& view, CGFloat width) const;
    void handleTap(UIGestureRecognizer& tap);
    void replaceTableView(std::shared_ptr<UIView>& slot, std::shared_ptr<UIView> view);

    UITableViewStyle style_;
    std::weak_ptr<UITableViewDataSource> dataSource_;
    std::weak_ptr<UITableViewDelegate> tableDelegate_;
    std::map<std::string, CellFactory> cellFactories_;
    std::map<std::string, HeaderFooterFactory> headerFooterFactories_;
    std::map<std::string, std::vector<std::shared_ptr<UITableViewCell>>> reusableCells_;
    std::map<std::string, std::vector<std::shared_ptr<UITableViewHeaderFooterView>>> reusableHeaderFooters_;
    std::vector<Row> rows_;
    std::vector<SectionViews> sections_;
    bool needsReload_ = true;
    CGFloat rowHeight_ = automaticDimension;
    CGFloat estimatedRowHeight_ = automaticDimension;
    CGFloat sectionHeaderHeight_ = automaticDimension;
    CGFloat sectionFooterHeight_ = automaticDimension;
    UITableViewCellSeparatorStyle separatorStyle_ = UITableViewCellSeparatorStyle::singleLine;
    std::optional<UIColor> separatorColor_;
    std::shared_ptr<UIView> tableHeaderView_;
    std::shared_ptr<UIView> tableFooterView_;
    bool allowsSelection_ = true;
    std::optional<IndexPath> selected_;
};

} // namespace uikit
