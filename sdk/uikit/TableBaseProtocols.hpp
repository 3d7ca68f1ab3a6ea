#pragma once
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// The contract between a list's data source and its section models: a row names the reuse
// identifier of the cell that shows it, a section holds its rows and its header model, and cells
// and header views are configured with their model.
namespace vyd {

class CellIdentifiableProtocol {
public:
    virtual ~CellIdentifiableProtocol() = default;
    // The reuse identifier of the cell that shows this row.
    virtual std::string cellIdentifier() const = 0;
};

class HeaderFooterViewIdentifiableProtocol {
public:
    virtual ~HeaderFooterViewIdentifiableProtocol() = default;
    virtual std::optional<int> sectionIndex() const = 0;
    virtual void setSectionIndex(std::optional<int> sectionIndex) = 0;
    virtual std::string headerFooterIdentifier() const = 0;
};

class SectionRowsRepresentableProtocol {
public:
    using Rows = std::vector<std::shared_ptr<CellIdentifiableProtocol>>;

    virtual ~SectionRowsRepresentableProtocol() = default;
    virtual const Rows& rows() const = 0;
    virtual void setRows(Rows rows) = 0;
    virtual const std::shared_ptr<HeaderFooterViewIdentifiableProtocol>& headerView() const = 0;
    virtual void setHeaderView(std::shared_ptr<HeaderFooterViewIdentifiableProtocol> headerView) = 0;
};

// Cells fill themselves from their row (or without one). Subclasses that override one of the
// two bring the other into scope (`using BaseTableViewCell::configure;`).
class BaseCellProtocol {
public:
    virtual ~BaseCellProtocol() = default;
    virtual void configure(const std::shared_ptr<CellIdentifiableProtocol>& with) = 0;
    virtual void configure() = 0;
};

class BaseHeaderFooterViewProtocol {
public:
    virtual ~BaseHeaderFooterViewProtocol() = default;
    virtual void configure(const std::shared_ptr<HeaderFooterViewIdentifiableProtocol>& with) = 0;
};

// A section: its rows and its header model.
class BaseSectionModel : public SectionRowsRepresentableProtocol {
public:
    BaseSectionModel(Rows rows, std::shared_ptr<HeaderFooterViewIdentifiableProtocol> headerView)
        : rows_(std::move(rows)), headerView_(std::move(headerView)) {}

    const Rows& rows() const override { return rows_; }
    void setRows(Rows rows) override { rows_ = std::move(rows); }
    const std::shared_ptr<HeaderFooterViewIdentifiableProtocol>& headerView() const override { return headerView_; }
    void setHeaderView(std::shared_ptr<HeaderFooterViewIdentifiableProtocol> headerView) override {
        headerView_ = std::move(headerView);
    }

private:
    Rows rows_;
    std::shared_ptr<HeaderFooterViewIdentifiableProtocol> headerView_;
};

} // namespace vyd
