#include "UIKitTestSupport.hpp"

#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UIStackView.hpp"

#include <cmath>
#include <memory>
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
    EXPECT_FALSE(a->translatesAutoresizingMaskIntoConstraints());
    root->layoutIfNeeded();

    EXPECT_EQ(a->frame(), (CGRect{0, 0, 327, 40}));
    EXPECT_EQ(b->frame(), (CGRect{0, 48, 327, 40}));
    EXPECT_EQ(c->frame(), (CGRect{0, 96, 327, 20}));
    EXPECT_EQ(stack->frame(), (CGRect{24, 24, 327, 116}));

    // A hidden arranged view takes no space, and gets it back when shown.
    b->setHidden(true);
    root->layoutIfNeeded();
    EXPECT_EQ(c->frame().origin.y, 48);
    EXPECT_EQ(stack->frame().size.height, 68);
    EXPECT_EQ(b->frame().size.height, 0);
    b->setHidden(false);
    root->layoutIfNeeded();
    EXPECT_EQ(c->frame().origin.y, 96);
}

TEST_F(StackTest, ArrangementChangesAndRemoval) {
    auto a = sized(10, 10);
    auto b = sized(10, 10);
    auto c = sized(10, 10);
    auto stack = addConstrained(root, verticalStack({}));
    pinTopAndSides(stack, root);
    stack->addArrangedSubview(a);
    stack->addArrangedSubview(c);
    stack->insertArrangedSubview(b, 1);
    EXPECT_EQ(stack->arrangedSubviews(), (Views{a, b, c}));
    root->layoutIfNeeded();
    EXPECT_EQ(c->frame().origin.y, 20);

    // Out of the arrangement, still a subview, and no longer in the way.
    stack->removeArrangedSubview(b);
    EXPECT_EQ(b->superview(), stack);
    EXPECT_EQ(stack->subviews().size(), 3u);
    root->layoutIfNeeded();
    EXPECT_EQ(c->frame().origin.y, 10);

    // Removed from the stack view altogether: out of the arrangement too.
    a->removeFromSuperview();
    EXPECT_EQ(stack->arrangedSubviews(), Views{c});
    root->layoutIfNeeded();
    EXPECT_EQ(c->frame().origin.y, 0);
    EXPECT_EQ(stack->frame().size.height, 10);
}

TEST_F(StackTest, HorizontalDistributions) {
    struct Case {
        const char* name;
        UIStackViewDistribution distribution;
        std::vector<CGRect> expected;
    };
    // Three views 40, 60 and 20 wide in a row 300 wide, spacing 10.
    const std::vector<Case> cases = {
        // The view that hugs least (the last, here) takes the rest.
        {"fill", UIStackViewDistribution::fill, {{0, 0, 40, 30}, {50, 0, 60, 30}, {120, 0, 180, 30}}},
        {"fill equally",
         UIStackViewDistribution::fillEqually,
         {{0, 0, 280.0 / 3, 30}, {280.0 / 3 + 10, 0, 280.0 / 3, 30}, {2 * 280.0 / 3 + 20, 0, 280.0 / 3, 30}}},
        {"fill proportionally",
         UIStackViewDistribution::fillProportionally,
         {{0, 0, 280.0 * 40 / 120, 30},
          {280.0 * 40 / 120 + 10, 0, 280.0 * 60 / 120, 30},
          {280.0 * 100 / 120 + 20, 0, 280.0 * 20 / 120, 30}}},
        // 180 points of gaps, two equal gaps.
        {"equal spacing", UIStackViewDistribution::equalSpacing, {{0, 0, 40, 30}, {130, 0, 60, 30}, {280, 0, 20, 30}}},
        // Centres 20, 150, 290... equally spaced: 20, 155, 290.
        {"equal centering",
         UIStackViewDistribution::equalCentering,
         {{0, 0, 40, 30}, {125, 0, 60, 30}, {280, 0, 20, 30}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto parent = UIView::make({0, 0, 300, 100});
        auto first = sized(40, 30);
        auto second = sized(60, 30);
        auto third = sized(20, 30);
        third->setContentHuggingPriority(249, UILayoutConstraintAxis::horizontal);
        const Views views{first, second, third};
        auto stack = addConstrained(parent, UIStackView::make(views));
        stack->setDistribution(c.distribution);
        stack->setSpacing(10);
        pinTopAndSides(stack, parent);
        parent->layoutIfNeeded();
        for (std::size_t i = 0; i < views.size(); ++i) {
            const CGRect f = views[i]->frame();
            EXPECT_NEAR(f.origin.x, c.expected[i].origin.x, 1e-6) << i;
            EXPECT_NEAR(f.size.width, c.expected[i].size.width, 1e-6) << i;
            EXPECT_NEAR(f.size.height, c.expected[i].size.height, 1e-6) << i;
        }
    }
}

TEST_F(StackTest, AlignmentsAcrossTheAxis) {
    struct Case {
        const char* name;
        UIStackViewAlignment alignment;
        CGFloat narrowX;
        CGFloat narrowWidth;
    };
    // A vertical stack 200 wide with views 120 and 60 wide.
    const std::vector<Case> cases = {
        {"fill", UIStackViewAlignment::fill, 0, 200},
        {"leading", UIStackViewAlignment::leading, 0, 60},
        {"center", UIStackViewAlignment::center, 70, 60},
        {"trailing", UIStackViewAlignment::trailing, 140, 60},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto parent = UIView::make({0, 0, 200, 400});
        auto wide = sized(120, 20);
        auto narrow = sized(60, 20);
        auto stack = addConstrained(parent, verticalStack({wide, narrow}));
        stack->setAlignment(c.alignment);
        pinTopAndSides(stack, parent);
        parent->layoutIfNeeded();
        EXPECT_EQ(narrow->frame().origin.x, c.narrowX);
        EXPECT_EQ(narrow->frame().size.width, c.narrowWidth);
        EXPECT_EQ(narrow->frame().origin.y, 20);
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
    EXPECT_EQ(narrow->frame().origin.x, 30);
}

TEST_F(StackTest, TitleAndSubtitleCentredInAFixedFrame) {
    // Two labels centred in a stack 35 high that translates its frame.
    auto title = UILabel::make();
    title->setText("vy-bank.example");
    title->setFont(UIFont::systemFont(15, UIFontWeight::semibold));
    title->sizeToFit();
    auto subtitle = UILabel::make();
    subtitle->setFont(UIFont::systemFont(12));
    subtitle->sizeToFit();
    const CGFloat width = std::max(title->frame().size.width, subtitle->frame().size.width);
    auto stack = verticalStack({title, subtitle});
    stack->setDistribution(UIStackViewDistribution::equalCentering);
    stack->setAlignment(UIStackViewAlignment::center);
    stack->setFrame({0, 0, width, 35});
    stack->layoutIfNeeded();

    EXPECT_EQ(stack->frame(), (CGRect{0, 0, width, 35}));
    EXPECT_EQ(title->frame().origin, (CGPoint{0, 0}));
    EXPECT_EQ(title->frame().size, title->intrinsicContentSize());
    EXPECT_EQ(subtitle->frame().size.height, 0); // an empty label
    EXPECT_EQ(subtitle->frame().origin.y + subtitle->frame().size.height, 35);
    EXPECT_DOUBLE_EQ(subtitle->center().x, width / 2);
}

TEST_F(StackTest, LabelWrapsToTwoLinesAndNoMore) {
    const std::string message =
        "The connection to VY Bank was lost while your sign-in was being checked, so please try again in a moment "
        "or come back later when the network is available again";
    auto label = UILabel::make();
    label->setText(message);
    label->setFont(UIFont::systemFont(15));
    label->setNumberOfLines(2);
    addConstrained(root, label);
    NSLayoutConstraint::activate({label->leadingAnchor().constraintEqualTo(root->leadingAnchor(), 16),
                                  label->trailingAnchor().constraintEqualTo(root->trailingAnchor(), -16),
                                  label->topAnchor().constraintEqualTo(root->topAnchor(), 8)});
    root->layoutIfNeeded();

    const CGFloat lineHeight = UIFont::systemFont(15).lineHeight();
    EXPECT_EQ(label->frame().size.width, 343);
    EXPECT_EQ(label->frame().size.height, std::ceil(2 * lineHeight - 1e-9));
    const TextLayout shown = label->displayedText();
    EXPECT_EQ(shown.lineCount(), 2u);
    EXPECT_TRUE(shown.truncated);
    EXPECT_EQ(shown.lines.back().text.substr(shown.lines.back().text.size() - 3), "\u2026");
    for (const auto& line : shown.lines) {
        EXPECT_LE(line.width, 343);
    }

    // With no limit the label grows to all its lines; a short text keeps one line.
    label->setNumberOfLines(0);
    root->layoutIfNeeded();
    const std::size_t allLines = label->displayedText().lineCount();
    EXPECT_GT(allLines, 2u);
    EXPECT_EQ(label->frame().size.height, std::ceil(allLines * lineHeight - 1e-9));
    label->setText("VY ID");
    root->layoutIfNeeded();
    EXPECT_EQ(label->frame().size.height, std::ceil(lineHeight - 1e-9));

    // Sizing to fit: a wrapping label within the width offered, a one-line label its whole text.
    label->setText(message);
    EXPECT_LE(label->sizeThatFits({200, 0}).width, 200);
    EXPECT_GT(label->sizeThatFits({200, 0}).height, lineHeight);
    label->setNumberOfLines(1);
    EXPECT_GT(label->sizeThatFits({200, 0}).width, 343);
    EXPECT_EQ(label->sizeThatFits({200, 0}).height, std::ceil(lineHeight - 1e-9));
}

TEST_F(StackTest, WrappingLabelsInALeadingAlignedStackKeepTheirTextWidth) {
    auto header = UILabel::make();
    header->setText("Open VY Bank");
    header->setFont(UIFont::boldSystemFont(20));
    header->setNumberOfLines(0);
    auto description = UILabel::make();
    description->setText("This is a secure way to log in with a VY ID: the partner will not get access to your "
                         "application, there will be no autoscaling either");
    description->setFont(UIFont::systemFont(14, UIFontWeight::medium));
    description->setNumberOfLines(0);
    auto stack = addConstrained(root, verticalStack({header, description}));
    stack->setAlignment(UIStackViewAlignment::leading);
    stack->setSpacing(16);
    pinTopAndSides(stack, root, 24);
    root->layoutIfNeeded();

    // The header keeps its natural width; the description wraps within the stack's width.
    EXPECT_EQ(header->frame().size, header->sizeThatFits({0, 0}));
    EXPECT_LE(description->frame().size.width, 327);
    EXPECT_GE(description->displayedText().lineCount(), 2u);
    EXPECT_FALSE(description->displayedText().truncated);
    EXPECT_EQ(description->frame().origin.y, header->frame().size.height + 16);
    EXPECT_EQ(stack->frame().size.height, header->frame().size.height + 16 + description->frame().size.height);
    // And the fitting size of the whole agrees with the laid-out one.
    EXPECT_EQ(stack->systemLayoutSizeFitting({327, 0}, UILayoutPriority::required, UILayoutPriority::fittingSizeLevel),
              stack->frame().size);
}

} // namespace
