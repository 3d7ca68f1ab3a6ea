#include "sdk/uikit/SeparatorView.hpp"
#include "sdk/uikit/TableBaseViews.hpp"

#include "platform/uikit/LayoutEngine.hpp"
#include "sdk/uikit/UIKitTestSupport.hpp"

namespace {

using namespace uikit;

using TableBaseTest = uikittests::ManualClockTest;

// Rows of base cells, as many as asked.
class Rows : public UITableViewDataSource {
public:
    int numberOfRowsInSection(UITableView&, int) override { return count; }
    std::shared_ptr<UITableViewCell> cellForRowAt(UITableView& tableView, const IndexPath& indexPath) override {
        return tableView.dequeueReusableCell("Row", indexPath);
    }
    int count = 2;
};

TEST_F(TableBaseTest, IntrinsicTableViewIsAsTallAsItsRowsAndTheBottomCellAndSeparatorHaveTheirOwnSizes) {
    const auto table = vyd::IntrinsicTableView::make();
    EXPECT_EQ(table->intrinsicContentSize(), (CGSize{UIView::noIntrinsicMetric, 0})) << "no rows: no height";
    table->registerCell<vyd::BaseTableViewCell>("Row");
    table->setRowHeight(44);
    const auto rows = std::make_shared<Rows>();
    table->setDataSource(rows);
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
    rows->count = 3;
    table->reloadData();
    container->layoutIfNeeded();
    EXPECT_EQ(table->frame().size.height, 132) << "grows with its rows";
    for (int round = 0; round < 2; ++round) {
        const auto before = LayoutEngine::version(*table);
        table->setContentSize(table->contentSize());
        EXPECT_GT(LayoutEngine::version(*table), before) << "the same size again, round " << round;
        EXPECT_TRUE(container->needsLayout());
        container->layoutIfNeeded();
    }

    // The safe-area bottom cell and the separator have their own sizes.
    const auto cell = vyd::SafeAreaBottomTableViewCell::make();
    EXPECT_EQ(cell->backgroundColor(), UIColor::clear());
    EXPECT_EQ(cell->selectionStyle(), UITableViewCellSelectionStyle::none);
    EXPECT_EQ(cell->systemLayoutSizeFitting({320, 0}).height, 34) << "the height a table gives its row";

    const auto separator = vyd::SeparatorView::make();
    EXPECT_EQ(separator->backgroundColor(), UIColor::black().withAlphaComponent(0.12));
    EXPECT_EQ(separator->systemLayoutSizeFitting({300, 0}).height, 1);
}

} // namespace
