#include "sdk/uikit/SeparatorView.hpp"
#include "sdk/uikit/TableBaseProtocols.hpp"
#include "sdk/uikit/TableBaseViews.hpp"
#include "sdk/uikit/ViewHelpers.hpp"

#include "platform/uikit/LayoutEngine.hpp"
#include "sdk/uikit/UIKitTestSupport.hpp"

#include <memory>
#include <string>
#include <vector>

namespace {

using namespace uikit;

// A row shown by the cell registered under its identifier.
class TextRow : public vyd::CellIdentifiableProtocol {
public:
    explicit TextRow(std::string identifier = "TextCell") : identifier_(std::move(identifier)) {}
    std::string cellIdentifier() const override { return identifier_; }

private:
    std::string identifier_;
};

// Serves the rows of a list of section models, each cell configured with its row.
class SectionsDataSource : public UITableViewDataSource {
public:
    int numberOfSections(UITableView&) override { return static_cast<int>(sections.size()); }
    int numberOfRowsInSection(UITableView&, int section) override {
        return static_cast<int>(sections[static_cast<std::size_t>(section)]->rows().size());
    }
    std::shared_ptr<UITableViewCell> cellForRowAt(UITableView& tableView, const IndexPath& indexPath) override {
        const auto& row =
            sections[static_cast<std::size_t>(indexPath.section)]->rows()[static_cast<std::size_t>(indexPath.row)];
        auto cell = tableView.dequeueReusableCell(row->cellIdentifier(), indexPath);
        if (auto base = std::dynamic_pointer_cast<vyd::BaseCellProtocol>(cell)) {
            base->configure(row);
        }
        return cell;
    }
    std::vector<std::shared_ptr<vyd::SectionRowsRepresentableProtocol>> sections;
};

using TableBaseTest = uikittests::ManualClockTest;

TEST_F(TableBaseTest, BaseTableCellsShowNoSelectionOnceConfigured) {
    const auto cell = UIView::create<vyd::BaseTableViewCell>();
    ASSERT_NE(cell->selectionStyle(), UITableViewCellSelectionStyle::none);
    cell->configure(nullptr);
    EXPECT_EQ(cell->selectionStyle(), UITableViewCellSelectionStyle::none);

    const auto other = UIView::create<vyd::BaseTableViewCell>();
    other->configure();
    EXPECT_EQ(other->selectionStyle(), UITableViewCellSelectionStyle::none);
}

TEST_F(TableBaseTest, IntrinsicTableViewIsAsTallAsItsRows) {
    const auto table = vyd::IntrinsicTableView::make();
    EXPECT_EQ(table->intrinsicContentSize(), (CGSize{UIView::noIntrinsicMetric, 0})) << "no rows: no height";

    table->registerCell<vyd::BaseTableViewCell>("TextCell");
    table->setRowHeight(44);
    const auto dataSource = std::make_shared<SectionsDataSource>();
    auto section = std::make_shared<vyd::BaseSectionModel>(
        vyd::SectionRowsRepresentableProtocol::Rows{std::make_shared<TextRow>(), std::make_shared<TextRow>()}, nullptr);
    dataSource->sections.push_back(section);
    table->setDataSource(dataSource);

    const auto container = UIView::make({0, 0, 320, 600});
    container->addSubview(table);
    table->setTranslatesAutoresizingMaskIntoConstraints(false);
    NSLayoutConstraint::activate({
        table->topAnchor().constraintEqualTo(container->topAnchor()),
        table->leadingAnchor().constraintEqualTo(container->leadingAnchor()),
        table->trailingAnchor().constraintEqualTo(container->trailingAnchor()),
    });
    container->layoutIfNeeded();
    EXPECT_EQ(table->frame().size.height, 88);

    section->setRows({std::make_shared<TextRow>(), std::make_shared<TextRow>(), std::make_shared<TextRow>()});
    table->reloadData();
    container->layoutIfNeeded();
    EXPECT_EQ(table->frame().size.height, 132) << "grows with its rows";
    EXPECT_EQ(table->intrinsicContentSize().height, 132);
}

TEST_F(TableBaseTest, EveryContentSizeInvalidatesTheIntrinsicSizeEvenTheSameOne) {
    const auto parent = UIView::make({0, 0, 320, 600});
    const auto table = vyd::IntrinsicTableView::make({0, 0, 320, 100});
    parent->addSubview(table);
    table->setContentSize({320, 88});
    parent->layoutIfNeeded();
    ASSERT_FALSE(parent->needsLayout());

    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        const auto before = LayoutEngine::version(*table);
        table->setContentSize({320, 88});
        EXPECT_GT(LayoutEngine::version(*table), before);
        EXPECT_TRUE(parent->needsLayout()) << "the superview lays the table out again";
        parent->layoutIfNeeded();
    }
    EXPECT_EQ(table->contentSize(), (CGSize{320, 88}));
}

TEST_F(TableBaseTest, SafeAreaBottomCellIsAClearUnselectable34PointSpacer) {
    const auto cell = vyd::SafeAreaBottomTableViewCell::make();
    EXPECT_EQ(cell->reuseIdentifier(), "SafeAreaBottomTableViewCell");
    EXPECT_EQ(cell->backgroundColor(), UIColor::clear());
    EXPECT_EQ(cell->selectionStyle(), UITableViewCellSelectionStyle::none);

    const auto table = UITableView::make({0, 0, 320, 400});
    table->registerCell(
        [](const std::string&) -> std::shared_ptr<UITableViewCell> { return vyd::SafeAreaBottomTableViewCell::make(); },
        "SafeAreaBottomTableViewCell");
    const auto dataSource = std::make_shared<SectionsDataSource>();
    dataSource->sections.push_back(std::make_shared<vyd::BaseSectionModel>(
        vyd::SectionRowsRepresentableProtocol::Rows{std::make_shared<TextRow>("SafeAreaBottomTableViewCell")},
        nullptr));
    table->setDataSource(dataSource);
    table->layoutIfNeeded();
    EXPECT_EQ(table->rectForRow({0, 0}).size.height, 34) << "whatever table it is placed in";
}

TEST_F(TableBaseTest, SeparatorIsAOnePointLineOfTwelvePercentBlack) {
    const auto separator = vyd::SeparatorView::make();
    EXPECT_EQ(separator->backgroundColor(), UIColor::black().withAlphaComponent(0.12));
    EXPECT_FALSE(separator->translatesAutoresizingMaskIntoConstraints());

    const auto parent = UIView::make({0, 0, 300, 100});
    parent->addSubview(separator);
    NSLayoutConstraint::activate({
        separator->leadingAnchor().constraintEqualTo(parent->leadingAnchor(), 16),
        separator->trailingAnchor().constraintEqualTo(parent->trailingAnchor()),
        separator->bottomAnchor().constraintEqualTo(parent->bottomAnchor()),
    });
    parent->layoutIfNeeded();
    EXPECT_EQ(separator->frame(), (CGRect{16, 99, 284, 1}));
}

} // namespace
