#include "platform/uikit/UITableView.hpp"

#include <algorithm>
#include <cmath>
#include <iostream>

namespace uikit {

// MARK: Cells

UITableViewCell::UITableViewCell(UITableViewCellStyle style, std::optional<std::string> reuseIdentifier)
    : UIView(CGRect{0, 0, 320, 44}), style_(style), contentView_(UIView::make()),
      reuseIdentifier_(std::move(reuseIdentifier)) {}

void UITableViewCell::didInit() {
    UIView::didInit();
    detail::embedContentView(*this, contentView_);
}

void UITableViewCell::setSelected(bool selected, bool) { selected_ = selected; }

void UITableViewCell::setHighlighted(bool highlighted, bool) { highlighted_ = highlighted; }

void UITableViewCell::prepareForReuse() {
    setSelected(false, false);
    setHighlighted(false, false);
}

UITableViewHeaderFooterView::UITableViewHeaderFooterView(std::optional<std::string> reuseIdentifier)
    : UIView(CGRect::zero()), contentView_(UIView::make()), reuseIdentifier_(std::move(reuseIdentifier)) {}

void UITableViewHeaderFooterView::didInit() {
    UIView::didInit();
    detail::embedContentView(*this, contentView_);
}

// MARK: Delegate defaults

CGFloat UITableViewDelegate::heightForRowAt(UITableView& tableView, const IndexPath&) { return tableView.rowHeight(); }

CGFloat UITableViewDelegate::heightForHeaderInSection(UITableView& tableView, int) {
    return tableView.sectionHeaderHeight();
}

CGFloat UITableViewDelegate::heightForFooterInSection(UITableView& tableView, int) {
    return tableView.sectionFooterHeight();
}

// MARK: Table

UITableView::UITableView(const CGRect& frame, UITableViewStyle style) : UIScrollView(frame), style_(style) {}

void UITableView::didInit() {
    UIScrollView::didInit();
    std::weak_ptr<UITableView> weakSelf = std::static_pointer_cast<UITableView>(shared_from_this());
    auto tap = UITapGestureRecognizer::make([weakSelf](UIGestureRecognizer& recognizer) {
        if (const auto self = weakSelf.lock()) {
            self->handleTap(recognizer);
        }
    });
    // Controls and views in the cells still get their touches.
    tap->setCancelsTouchesInView(false);
    addGestureRecognizer(tap);
}

void UITableView::setDataSource(const std::shared_ptr<UITableViewDataSource>& dataSource) {
    dataSource_ = dataSource;
    reloadData();
}

void UITableView::setDelegate(const std::shared_ptr<UITableViewDelegate>& delegate) {
    tableDelegate_ = delegate;
    UIScrollView::setDelegate(delegate);
    reloadData();
}

void UITableView::registerCell(CellFactory factory, const std::string& forCellReuseIdentifier) {
    cellFactories_[forCellReuseIdentifier] = std::move(factory);
}

void UITableView::registerHeaderFooterView(HeaderFooterFactory factory,
                                           const std::string& forHeaderFooterViewReuseIdentifier) {
    headerFooterFactories_[forHeaderFooterViewReuseIdentifier] = std::move(factory);
}

std::shared_ptr<UITableViewCell> UITableView::dequeueReusableCell(const std::string& withIdentifier) {
    auto& pool = reusableCells_[withIdentifier];
    if (!pool.empty()) {
        auto cell = pool.back();
        pool.pop_back();
        cell->prepareForReuse();
        return cell;
    }
    const auto factory = cellFactories_.find(withIdentifier);
    if (factory == cellFactories_.end() || !factory->second) {
        return nullptr;
    }
    return factory->second(withIdentifier);
}

std::shared_ptr<UITableViewCell> UITableView::dequeueReusableCell(const std::string& withIdentifier, const IndexPath&) {
    if (auto cell = dequeueReusableCell(withIdentifier)) {
        return cell;
    }
    std::cerr << "UITableView: unable to dequeue a cell with identifier " << withIdentifier
              << " - must register a nib or a class for the identifier\n";
    return UITableViewCell::make(UITableViewCellStyle::defaultStyle, withIdentifier);
}

std::shared_ptr<UITableViewHeaderFooterView>
UITableView::dequeueReusableHeaderFooterView(const std::string& withIdentifier) {
    auto& pool = reusableHeaderFooters_[withIdentifier];
    if (!pool.empty()) {
        auto view = pool.back();
        pool.pop_back();
        view->prepareForReuse();
        return view;
    }
    const auto factory = headerFooterFactories_.find(withIdentifier);
    if (factory == headerFooterFactories_.end() || !factory->second) {
        return nullptr;
    }
    return factory->second(withIdentifier);
}

void UITableView::reloadData() {
    needsReload_ = true;
    setNeedsLayout();
}

int UITableView::numberOfSections() const {
    const auto source = dataSource();
    return source ? std::max(0, source->numberOfSections(const_cast<UITableView&>(*this))) : 0;
}

int UITableView::numberOfRows(int inSection) const {
    const auto source = dataSource();
    if (!source || inSection < 0 || inSection >= numberOfSections()) {
        return 0;
    }
    return std::max(0, source->numberOfRowsInSection(const_cast<UITableView&>(*this), inSection));
}

std::shared_ptr<UITableViewCell> UITableView::cellForRow(const IndexPath& at) const {
    for (const Row& row : rows_) {
        if (row.indexPath == at) {
            return row.cell;
        }
    }
    return nullptr;
}

std::optional<IndexPath> UITableView::indexPath(const UITableViewCell& for_) const {
    for (const Row& row : rows_) {
        if (row.cell.get() == &for_) {
            return row.indexPath;
        }
    }
    return std::nullopt;
}

std::vector<std::shared_ptr<UITableViewCell>> UITableView::visibleCells() const {
    std::vector<std::shared_ptr<UITableViewCell>> cells;
    for (const Row& row : rows_) {
        cells.push_back(row.cell);
    }
    return cells;
}

CGRect UITableView::rectForRow(const IndexPath& at) const {
    for (const Row& row : rows_) {
        if (row.indexPath == at) {
            return row.frame;
        }
    }
    return CGRect::zero();
}

std::shared_ptr<UIView> UITableView::headerView(int forSection) const {
    return forSection >= 0 && static_cast<std::size_t>(forSection) < sections_.size() ? sections_[forSection].header
                                                                                      : nullptr;
}

std::shared_ptr<UIView> UITableView::footerView(int forSection) const {
    return forSection >= 0 && static_cast<std::size_t>(forSection) < sections_.size() ? sections_[forSection].footer
                                                                                      : nullptr;
}

void UITableView::setRowHeight(CGFloat height) {
    rowHeight_ = height;
    setNeedsLayout();
}

void UITableView::setSectionHeaderHeight(CGFloat height) {
    sectionHeaderHeight_ = height;
    setNeedsLayout();
}

void UITableView::setSectionFooterHeight(CGFloat height) {
    sectionFooterHeight_ = height;
    setNeedsLayout();
}

void UITableView::replaceTableView(std::shared_ptr<UIView>& slot, std::shared_ptr<UIView> view) {
    if (slot && slot != view) {
        slot->removeFromSuperview();
    }
    slot = std::move(view);
    if (slot) {
        addSubview(slot);
    }
    setNeedsLayout();
}

void UITableView::setTableHeaderView(std::shared_ptr<UIView> view) {
    replaceTableView(tableHeaderView_, std::move(view));
}

void UITableView::setTableFooterView(std::shared_ptr<UIView> view) {
    replaceTableView(tableFooterView_, std::move(view));
}

void UITableView::selectRow(const std::optional<IndexPath>& at, bool animated) {
    if (selected_) {
        if (const auto cell = cellForRow(*selected_)) {
            cell->setSelected(false, animated);
        }
    }
    selected_ = at;
    if (at) {
        if (const auto cell = cellForRow(*at)) {
            cell->setSelected(true, animated);
        }
    }
}

void UITableView::deselectRow(const IndexPath& at, bool animated) {
    if (const auto cell = cellForRow(at)) {
        cell->setSelected(false, animated);
    }
    if (selected_ == at) {
        selected_.reset();
    }
}

void UITableView::handleTap(UIGestureRecognizer& tap) {
    if (!allowsSelection_) {
        return;
    }
    const CGPoint location = tap.location(this);
    for (const Row& row : rows_) {
        if (row.frame.contains(location)) {
            const IndexPath indexPath = row.indexPath;
            selectRow(indexPath);
            if (const auto d = delegate()) {
                d->didSelectRowAt(*this, indexPath);
            }
            return;
        }
    }
}

void UITableView::recycleAll() {
    for (Row& row : rows_) {
        row.cell->removeFromSuperview();
        if (const auto& identifier = row.cell->reuseIdentifier()) {
            reusableCells_[*identifier].push_back(row.cell);
        }
    }
    rows_.clear();
    for (SectionViews& views : sections_) {
        for (const auto& view : {views.header, views.footer}) {
            if (!view) {
                continue;
            }
            view->removeFromSuperview();
            if (const auto headerFooter = std::dynamic_pointer_cast<UITableViewHeaderFooterView>(view)) {
                if (const auto& identifier = headerFooter->reuseIdentifier()) {
                    reusableHeaderFooters_[*identifier].push_back(headerFooter);
                }
            }
        }
    }
    sections_.clear();
}

CGFloat UITableView::fittingHeight(const std::shared_ptr<UIView>& view, CGFloat width) const {
    if (!view) {
        return 0;
    }
    const CGSize size =
        view->systemLayoutSizeFitting({width, 0}, UILayoutPriority::required, UILayoutPriority::fittingSizeLevel);
    return std::max<CGFloat>(0, size.height);
}

void UITableView::buildIfNeeded() {
    if (!needsReload_) {
        return;
    }
    needsReload_ = false;
    recycleAll();
    const auto source = dataSource();
    if (!source) {
        return;
    }
    const auto d = delegate();
    const int sectionCount = numberOfSections();
    for (int section = 0; section < sectionCount; ++section) {
        SectionViews views;
        if (d) {
            views.header = d->viewForHeaderInSection(*this, section);
            views.footer = d->viewForFooterInSection(*this, section);
        }
        sections_.push_back(views);
        const int rowCount = numberOfRows(section);
        for (int row = 0; row < rowCount; ++row) {
            const IndexPath indexPath{section, row};
            auto cell = source->cellForRowAt(*this, indexPath);
            if (!cell) {
                std::cerr << "UITableView: the data source gave no cell for row " << row << " of section " << section
                          << "; showing an empty one\n";
                cell = UITableViewCell::make();
            }
            rows_.push_back({indexPath, cell, CGRect::zero()});
        }
    }
}

void UITableView::layoutSubviews() {
    UIScrollView::layoutSubviews();
    const auto keep = shared_from_this();
    buildIfNeeded();
    const auto d = delegate();
    const CGFloat width = bounds().size.width;
    CGFloat y = 0;
    const auto place = [&](const std::shared_ptr<UIView>& view, CGFloat height) {
        if (!view) {
            y += height;
            return;
        }
        if (view->superview().get() != this) {
            addSubview(view);
        }
        view->setFrame({0, y, width, height});
        y += height;
    };
    const auto sectionViewHeight = [&](const std::shared_ptr<UIView>& view, CGFloat asked) {
        return asked >= 0 ? asked : fittingHeight(view, width);
    };

    if (tableHeaderView_) {
        place(tableHeaderView_, tableHeaderView_->frame().size.height);
    }
    std::size_t next = 0;
    for (std::size_t section = 0; section < sections_.size(); ++section) {
        const int s = static_cast<int>(section);
        const auto& views = sections_[section];
        place(views.header,
              sectionViewHeight(views.header, d ? d->heightForHeaderInSection(*this, s) : sectionHeaderHeight_));
        for (; next < rows_.size() && rows_[next].indexPath.section == s; ++next) {
            Row& row = rows_[next];
            const bool appearing = row.cell->superview().get() != this;
            CGFloat height = d ? d->heightForRowAt(*this, row.indexPath) : rowHeight_;
            if (!(height >= 0)) {
                height = fittingHeight(row.cell, width);
            }
            place(row.cell, height);
            row.frame = row.cell->frame();
            row.cell->setSelected(selected_ == row.indexPath, false);
            if (appearing && d) {
                d->willDisplay(*this, *row.cell, row.indexPath);
            }
        }
        place(views.footer,
              sectionViewHeight(views.footer, d ? d->heightForFooterInSection(*this, s) : sectionFooterHeight_));
    }
    if (tableFooterView_) {
        place(tableFooterView_, tableFooterView_->frame().size.height);
    }
    const CGSize content{width, y};
    if (content != contentSize()) {
        setContentSize(content);
    }
}

} // namespace uikit
