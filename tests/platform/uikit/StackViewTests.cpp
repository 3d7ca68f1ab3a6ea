#include "UIKitTestSupport.hpp"

#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UIStackView.hpp"

#include <cmath>
#include <memory>
#include <tuple>
#include <vector>

using namespace uikittests;

namespace {

using Views = std::vector<std::shared_ptr<UIView>>;

std::shared_ptr<UIStackView> verticalStack(const Views& views) {
    auto stack = UIStackView::make(views);
    stack->setAxis(UILayoutConstraintAxis::vertical);
    return stack;
}

class StackTest : public UIKitTest {
protected:
    std::shared_ptr<UIView> root = UIView::make({0, 0, 375, 800});
};

TEST_F(StackTest, VerticalFillStacksViewsWithSpacingAndHidesHiddenOnes) {
    auto a = sized(50, 40);
    auto b = sized(80, 40);
    auto c = sized(20, 20);
    auto stack = addConstrained(root, verticalStack({a, b, c}));
    stack->setSpacing(8);
    pinTopAndSides(stack, root, 24);
    root->layoutIfNeeded();

    EXPECT_EQ(frames({a, b, c, stack}),
              (std::vector<CGRect>{{0, 0, 327, 40}, {0, 48, 327, 40}, {0, 96, 327, 20}, {24, 24, 327, 116}}));

    // A hidden arranged view takes no space, and gets it back when shown.
    b->setHidden(true);
    root->layoutIfNeeded();
    EXPECT_EQ(frames({c, stack}), (std::vector<CGRect>{{0, 48, 327, 20}, {24, 24, 327, 68}}));
    b->setHidden(false);
    root->layoutIfNeeded();
    EXPECT_EQ(c->frame().origin.y, 96);
}

TEST_F(StackTest, ArrangementChangesAndRemoval) {
    auto a = sized(10, 10);
    auto b = sized(10, 10);
    auto c = sized(10, 10);
    auto stack = addConstrained(root, verticalStack({a, b}));
    pinTopAndSides(stack, root);
    stack->addArrangedSubview(c);
    root->layoutIfNeeded();
    EXPECT_EQ(c->frame().origin.y, 20);

    // Out of the arrangement, still a subview, and no longer in the way.
    stack->removeArrangedSubview(b);
    root->layoutIfNeeded();
    EXPECT_EQ(b->superview(), stack);
    EXPECT_EQ(c->frame().origin.y, 10);

    // Removed from the stack view altogether: out of the arrangement too.
    a->removeFromSuperview();
    EXPECT_EQ(stack->arrangedSubviews(), Views{c});
    root->layoutIfNeeded();
    EXPECT_EQ(stack->frame().size.height, 10);
}

TEST_F(StackTest, HorizontalDistributions) {
    // Three views 40, 60 and 20 wide in a row 300 wide, spacing 10.
    const std::tuple<const char*, UIStackViewDistribution, std::vector<CGRect>> cases[] = {
        // The view that hugs least (the last, here) takes the rest.
        {"fill", UIStackViewDistribution::fill, {{0, 0, 40, 30}, {50, 0, 60, 30}, {120, 0, 180, 30}}},
        // Centres 20, 150, 290... equally spaced: 20, 155, 290.
        {"equal centering",
         UIStackViewDistribution::equalCentering,
         {{0, 0, 40, 30}, {125, 0, 60, 30}, {280, 0, 20, 30}}},
    };
    for (const auto& [name, distribution, expected] : cases) {
        SCOPED_TRACE(name);
        auto parent = UIView::make({0, 0, 300, 100});
        auto first = sized(40, 30);
        auto second = sized(60, 30);
        auto third = sized(20, 30);
        third->setContentHuggingPriority(249, UILayoutConstraintAxis::horizontal);
        auto stack = addConstrained(parent, UIStackView::make({first, second, third}));
        stack->setDistribution(distribution);
        stack->setSpacing(10);
        pinTopAndSides(stack, parent);
        parent->layoutIfNeeded();
        EXPECT_EQ(frames({first, second, third}), expected);
    }
}

TEST_F(StackTest, AlignmentsAcrossTheAxis) {
    // A vertical stack 200 wide with views 120 and 60 wide. Columns: alignment, the narrow view's x and width.
    const std::tuple<const char*, UIStackViewAlignment, CGFloat, CGFloat> cases[] = {
        {"fill", UIStackViewAlignment::fill, 0, 200},
        {"leading", UIStackViewAlignment::leading, 0, 60},
        {"center", UIStackViewAlignment::center, 70, 60},
        {"trailing", UIStackViewAlignment::trailing, 140, 60},
    };
    for (const auto& [name, alignment, narrowX, narrowWidth] : cases) {
        SCOPED_TRACE(name);
        auto parent = UIView::make({0, 0, 200, 400});
        auto wide = sized(120, 20);
        auto narrow = sized(60, 20);
        auto stack = addConstrained(parent, verticalStack({wide, narrow}));
        stack->setAlignment(alignment);
        pinTopAndSides(stack, parent);
        parent->layoutIfNeeded();
        EXPECT_EQ(narrow->frame(), (CGRect{narrowX, 20, narrowWidth, 20}));
    }

    // Centred and free to size itself, the stack is as wide as its widest view.
    auto wide = sized(120, 20);
    auto narrow = sized(60, 20);
    auto stack = addConstrained(root, verticalStack({wide, narrow}));
    stack->setAlignment(UIStackViewAlignment::center);
    NSLayoutConstraint::activate({stack->centerXAnchor().constraintEqualTo(root->centerXAnchor()),
                                  stack->centerYAnchor().constraintEqualTo(root->centerYAnchor())});
    root->layoutIfNeeded();
    EXPECT_EQ(stack->frame(), (CGRect{127.5, 380, 120, 40}));
}

TEST_F(StackTest, LabelWithoutALineLimitGrowsToAllItsLines) {
    const std::string message =
        "The connection to VY Bank was lost while your sign-in was being checked, so please try again in a moment "
        "or come back later when the network is available again";
    auto label = UILabel::make();
    label->setText(message);
    label->setFont(UIFont::systemFont(15));
    label->setNumberOfLines(0);
    addConstrained(root, label);
    pinTopAndSides(label, root, 16);
    root->layoutIfNeeded();
    const std::size_t lines = label->displayedText().lineCount();
    EXPECT_GT(lines, 2u);
    EXPECT_EQ(label->frame().size.width, 343);
    EXPECT_EQ(label->frame().size.height, std::ceil(lines * UIFont::systemFont(15).lineHeight() - 1e-9));
    label->setNumberOfLines(1);
    EXPECT_GT(label->sizeThatFits({200, 0}).width, 343) << "one line takes the whole text";
}

} // namespace
