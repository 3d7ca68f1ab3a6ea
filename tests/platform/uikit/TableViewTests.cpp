#include "UIKitTestSupport.hpp"

#include "platform/testing/SimulatedUser.hpp"
#include "platform/uikit/UIButton.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UITableView.hpp"

#include <memory>
#include <string>
#include <vector>

using namespace uikittests;
using ::testing::SimulatedUser;

namespace {

// A cell whose height comes from a label 8 points in from its content view's edges.
class TextCell : public UITableViewCell {
public:
    using UITableViewCell::UITableViewCell;
    std::shared_ptr<UILabel> label = UILabel::make();
    int reuses = 0;

    void prepareForReuse() override {
        UITableViewCell::prepareForReuse();
        ++reuses;
    }

protected:
    void didInit() override {
        UITableViewCell::didInit();
        label->setNumberOfLines(0);
        addConstrained(contentView(), label);
        NSLayoutConstraint::activate({
            label->topAnchor().constraintEqualTo(contentView()->topAnchor(), 8),
            label->bottomAnchor().constraintEqualTo(contentView()->bottomAnchor(), -8),
            label->leadingAnchor().constraintEqualTo(contentView()->leadingAnchor(), 16),
            label->trailingAnchor().constraintEqualTo(contentView()->trailingAnchor(), -16),
        });
    }
};

class Source : public UITableViewDataSource, public UITableViewDelegate {
public:
    std::vector<std::string> texts{"VY ID", "VY Bank"};
    std::vector<IndexPath> selected;

    int numberOfRowsInSection(UITableView&, int) override { return static_cast<int>(texts.size()); }
    std::shared_ptr<UITableViewCell> cellForRowAt(UITableView& tableView, const IndexPath& indexPath) override {
        auto cell = std::static_pointer_cast<TextCell>(tableView.dequeueReusableCell("text", indexPath));
        cell->label->setText(texts[static_cast<std::size_t>(indexPath.row)]);
        return cell;
    }
    void didSelectRowAt(UITableView&, const IndexPath& indexPath) override { selected.push_back(indexPath); }
};

class TableTest : public UIKitTest {
protected:
    void SetUp() override {
        UIKitTest::SetUp();
        table->registerCell<TextCell>("text");
        table->setDataSource(source);
        table->setDelegate(source);
        root->addSubview(table);
    }

    std::shared_ptr<UIView> root = UIView::make({0, 0, 375, 667});
    std::shared_ptr<Source> source = std::make_shared<Source>();
    std::shared_ptr<UITableView> table = UITableView::make({0, 0, 375, 400});
};

TEST_F(TableTest, RowsStackWithTheHeightsTheirCellsFit) {
    EXPECT_EQ(table->cellForRow({0, 0}), nullptr); // not before layout
    root->layoutIfNeeded();

    const CGFloat lineHeight = std::ceil(UIFont::systemFont(17).lineHeight() - 1e-9);
    const CGFloat textRow = lineHeight + 16;
    ASSERT_EQ(table->visibleCells().size(), 2u);
    EXPECT_EQ(table->rectForRow({0, 1}), (CGRect{0, textRow, 375, textRow}));
    EXPECT_EQ(table->contentSize(), (CGSize{375, 2 * textRow}));
    const auto first = std::static_pointer_cast<TextCell>(table->cellForRow({0, 0}));
    EXPECT_EQ(first->label->frame(), (CGRect{16, 8, 343, lineHeight})) << "laid out inside the cell";
}

TEST_F(TableTest, ReloadReusesCellsAndFixedHeightsApply) {
    root->layoutIfNeeded();
    const auto before = table->cellForRow({0, 1});

    source->texts = {"VY Bank", "VY ID", "Log in by phone number", "Continue"};
    table->setRowHeight(50);
    table->setDelegate(nullptr);
    table->reloadData();
    root->layoutIfNeeded();
    ASSERT_EQ(table->visibleCells().size(), 4u);
    // The same cell objects come back, prepared for reuse.
    int reused = 0;
    for (const auto& cell : table->visibleCells()) {
        if (const auto text = std::dynamic_pointer_cast<TextCell>(cell)) {
            reused += text->reuses;
        }
    }
    EXPECT_EQ(reused, 2);
    EXPECT_NE(std::find(table->visibleCells().begin(), table->visibleCells().end(), before),
              table->visibleCells().end());
    EXPECT_EQ(table->rectForRow({0, 3}), (CGRect{0, 150, 375, 50}));
}

TEST_F(TableTest, UnregisteredIdentifiersGiveAPlainCellAndAMessage) {
    auto plain = UITableView::make();
    std::shared_ptr<UITableViewCell> cell;
    EXPECT_THAT(stderrOf([&] {
                    cell = plain->dequeueReusableCell("missing", {0, 0});
                }),
                ::testing::HasSubstr("unable to dequeue a cell with identifier missing"));
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->reuseIdentifier(), "missing");
}

TEST_F(TableTest, TappingARowSelectsItButButtonsKeepTheirTaps) {
    root->layoutIfNeeded();
    SimulatedUser::tap(table->cellForRow({0, 1}));
    EXPECT_EQ(source->selected, std::vector<IndexPath>{(IndexPath{0, 1})});
    EXPECT_TRUE(table->cellForRow({0, 1})->isSelected());

    int buttonTaps = 0;
    auto button = UIButton::make(CGRect{300, 0, 44, 30});
    button->addTarget([&](UIControl&, const UIEvent*) { ++buttonTaps; }, UIControlEvents::touchUpInside);
    table->cellForRow({0, 0})->contentView()->addSubview(button);
    SimulatedUser::tap(button);
    EXPECT_EQ(buttonTaps, 1);
    EXPECT_EQ(source->selected.size(), 1u);
}

TEST_F(TableTest, HeadersFootersAndTableHeaderView) {
    class Sections : public Source {
    public:
        int numberOfSections(UITableView&) override { return 2; }
        std::shared_ptr<UIView> viewForHeaderInSection(UITableView& tableView, int section) override {
            auto header = tableView.dequeueReusableHeaderFooterView("header");
            header->setAccessibilityIdentifier(std::to_string(section));
            return header;
        }
        CGFloat heightForHeaderInSection(UITableView&, int section) override { return section == 0 ? 30 : 20; }
        CGFloat heightForRowAt(UITableView&, const IndexPath&) override { return 44; }
    };
    auto sections = std::make_shared<Sections>();
    auto sectioned = UITableView::make({0, 0, 375, 600});
    sectioned->registerCell<TextCell>("text");
    sectioned->registerHeaderFooterView<UITableViewHeaderFooterView>("header");
    sectioned->setDataSource(sections);
    sectioned->setDelegate(sections);
    sectioned->setTableHeaderView(UIView::make({0, 0, 10, 100}));
    root->addSubview(sectioned);
    root->layoutIfNeeded();

    EXPECT_EQ(sectioned->headerView(0)->frame(), (CGRect{0, 100, 375, 30})) << "below the table's header";
    EXPECT_EQ(sectioned->headerView(1)->frame(), (CGRect{0, 218, 375, 20}));
    EXPECT_EQ(sectioned->headerView(1)->accessibilityIdentifier(), "1");
    EXPECT_EQ(sectioned->rectForRow({1, 1}), (CGRect{0, 282, 375, 44}));
}

} // namespace
