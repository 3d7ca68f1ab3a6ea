#include "UIKitTestSupport.hpp"

#include <cmath>
#include <memory>
#include <string>
#include <vector>

using namespace uikittests;
using ::testing::HasSubstr;

namespace {

class CountingView : public UIView {
public:
    using UIView::UIView;
    int layouts = 0;

protected:
    void layoutSubviews() override { ++layouts; }
};

class LayoutTest : public UIKitTest {
protected:
    std::shared_ptr<UIView> root = UIView::make({0, 0, 375, 667});
};

TEST_F(LayoutTest, CentringAndMultipliers) {
    auto box = addConstrained(root);
    NSLayoutConstraint::activate({
        box->centerXAnchor().constraintEqualTo(root->centerXAnchor()),
        box->centerYAnchor().constraintEqualTo(root->centerYAnchor()),
        box->widthAnchor().constraintEqualTo(root->widthAnchor(), 0.5, 0),
        box->heightAnchor().constraintEqualTo(box->widthAnchor(), 2, 10),
    });
    root->layoutIfNeeded();
    EXPECT_EQ(box->frame(), (CGRect{93.75, 141, 187.5, 385}));
}

TEST_F(LayoutTest, PrioritiesDecideBetweenConflictingWishes) {
    struct Case {
        float first;
        float second;
        CGFloat expected;
    };
    for (const Case& c : std::vector<Case>{{750, 250, 100}, {250, 750, 200}, {1000, 999, 100}}) {
        SCOPED_TRACE(testing::Message() << c.first << " vs " << c.second);
        auto parent = UIView::make({0, 0, 400, 400});
        auto view = addConstrained(parent);
        auto a = view->widthAnchor().constraintEqualToConstant(100);
        auto b = view->widthAnchor().constraintEqualToConstant(200);
        a->setPriority(c.first);
        b->setPriority(c.second);
        NSLayoutConstraint::activate({a, b, view->heightAnchor().constraintEqualToConstant(10),
                                      view->topAnchor().constraintEqualTo(parent->topAnchor()),
                                      view->leftAnchor().constraintEqualTo(parent->leftAnchor())});
        parent->layoutIfNeeded();
        EXPECT_EQ(view->frame().size.width, c.expected);
    }
}

TEST_F(LayoutTest, ConstraintsAreInstalledOnTheClosestCommonAncestor) {
    auto container = addConstrained(root);
    auto a = addConstrained(container);
    auto b = addConstrained(container);
    auto width = a->widthAnchor().constraintEqualToConstant(10);
    auto between = a->trailingAnchor().constraintEqualTo(b->leadingAnchor());
    auto toRoot = a->topAnchor().constraintEqualTo(root->topAnchor());
    auto toSelf = a->heightAnchor().constraintEqualTo(a->widthAnchor());
    NSLayoutConstraint::activate({width, between, toRoot, toSelf});
    EXPECT_EQ(container->constraints(), (std::vector<NSLayoutConstraint::Pointer>{between}));
    width->setActive(false);
    EXPECT_EQ(a->constraints(), (std::vector<NSLayoutConstraint::Pointer>{toSelf}));

    // Taking a out of the tree drops the constraints that tie it to the rest, not its own.
    a->removeFromSuperview();
    EXPECT_EQ((std::vector{between->isActive(), toRoot->isActive(), toSelf->isActive()}),
              (std::vector{false, false, true}));
}

TEST_F(LayoutTest, ConstraintsWithoutCommonAncestorAreRefused) {
    auto a = addConstrained(root);
    auto stranger = UIView::make();
    auto constraint = a->leadingAnchor().constraintEqualTo(stranger->leadingAnchor());
    EXPECT_THAT(stderrOf([&] { constraint->setActive(true); }), HasSubstr("because they have no common ancestor"));
    EXPECT_FALSE(constraint->isActive());
    root->layoutIfNeeded(); // and layout goes on
}

TEST_F(LayoutTest, UnsatisfiableConstraintIsReportedBrokenAndTheRestLaidOut) {
    auto view = addConstrained(root);
    auto first = view->widthAnchor().constraintEqualToConstant(100);
    auto conflicting = view->widthAnchor().constraintEqualToConstant(200);
    conflicting->setIdentifier("conflicting");
    auto cap = view->heightAnchor().constraintLessThanOrEqualToConstant(40);
    NSLayoutConstraint::activate({first, view->heightAnchor().constraintEqualToConstant(30),
                                  view->leadingAnchor().constraintEqualTo(root->leadingAnchor(), 5),
                                  view->topAnchor().constraintEqualTo(root->topAnchor(), 6), conflicting, cap});
    const std::string message = stderrOf([&] { root->layoutIfNeeded(); });
    EXPECT_THAT(message, HasSubstr("Unable to simultaneously satisfy constraints"));
    EXPECT_THAT(message, HasSubstr("'conflicting'"));
    EXPECT_EQ(view->frame(), (CGRect{5, 6, 100, 30}));

    const std::string again = stderrOf([&] {
        view->setNeedsLayout();
        first->setConstant(110);
        root->layoutIfNeeded();
    });
    EXPECT_EQ(again, "") << "reported once, not on every pass";
    EXPECT_EQ(view->frame().size.width, 110);

    // A new constant that a held constraint cannot take breaks it as activating it would.
    const std::string moved = stderrOf([&] {
        cap->setConstant(20);
        root->layoutIfNeeded();
    });
    EXPECT_THAT(moved, HasSubstr("recover by breaking constraint \n" + cap->description()));
    EXPECT_EQ(view->frame().size.height, 30);
}

TEST_F(LayoutTest, NegativeSizesAreClampedAndNeverNaN) {
    auto view = addConstrained(root);
    NSLayoutConstraint::activate({
        view->leadingAnchor().constraintEqualTo(root->leadingAnchor(), 300),
        view->trailingAnchor().constraintEqualTo(root->leadingAnchor(), 100),
        view->topAnchor().constraintEqualTo(root->topAnchor()),
        view->heightAnchor().constraintEqualToConstant(10),
    });
    root->layoutIfNeeded();
    EXPECT_EQ(view->frame().size.width, 0);
}

TEST_F(LayoutTest, IntrinsicSizeWithHuggingAndCompressionResistance) {
    // Two views side by side fill a row between its edges.
    struct Case {
        const char* name;
        CGFloat rowWidth;
        CGFloat leftWidth, rightWidth; // intrinsic
        float leftCompression, rightCompression, leftHugging;
        CGFloat leftExpected, rightExpected;
    };
    const Case cases[] = {
        {"left resists compression more", 300, 200, 150, 751, 750, 250, 200, 100},
        {"right resists compression more", 300, 200, 150, 750, 751, 250, 150, 150},
        {"room to spare: the one that hugs less grows", 500, 100, 100, 750, 750, 251, 100, 400},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto parent = UIView::make({0, 0, c.rowWidth, 50});
        auto left = addConstrained(parent, sized(c.leftWidth, 20));
        auto right = addConstrained(parent, sized(c.rightWidth, 20));
        left->setContentCompressionResistancePriority(c.leftCompression, UILayoutConstraintAxis::horizontal);
        right->setContentCompressionResistancePriority(c.rightCompression, UILayoutConstraintAxis::horizontal);
        left->setContentHuggingPriority(c.leftHugging, UILayoutConstraintAxis::horizontal);
        NSLayoutConstraint::activate({left->leadingAnchor().constraintEqualTo(parent->leadingAnchor()),
                                      left->trailingAnchor().constraintEqualTo(right->leadingAnchor()),
                                      right->trailingAnchor().constraintEqualTo(parent->trailingAnchor()),
                                      left->topAnchor().constraintEqualTo(parent->topAnchor()),
                                      right->topAnchor().constraintEqualTo(parent->topAnchor())});
        parent->layoutIfNeeded();
        EXPECT_EQ(left->frame().size, (CGSize{c.leftExpected, 20}));
        EXPECT_EQ(right->frame().size.width, c.rightExpected);
    }
}

TEST_F(LayoutTest, TranslatedFramesAndSafeAreaGuide) {
    root->setSafeAreaInsetsOverride(UIEdgeInsets{47, 0, 34, 0});
    auto fixed = UIView::make({20, 30, 40, 50}); // translates its frame
    root->addSubview(fixed);
    auto pinned = addConstrained(root);
    NSLayoutConstraint::activate({
        pinned->topAnchor().constraintEqualTo(fixed->bottomAnchor(), 10),
        pinned->leadingAnchor().constraintEqualTo(fixed->trailingAnchor()),
        pinned->trailingAnchor().constraintEqualTo(root->trailingAnchor()),
        pinned->bottomAnchor().constraintEqualTo(root->safeAreaLayoutGuide()->bottomAnchor()),
    });
    root->layoutIfNeeded();
    EXPECT_EQ(pinned->frame(), (CGRect{60, 90, 315, 667 - 34 - 90}));
    // A subview reaching into the unsafe bottom area gets the overlapping part as its insets.
    EXPECT_EQ(pinned->safeAreaInsets(), UIEdgeInsets::zero());
    fixed->setFrame({0, 600, 375, 67});
    EXPECT_EQ(fixed->safeAreaInsets(), (UIEdgeInsets{0, 0, 34, 0}));
}

TEST_F(LayoutTest, LayoutSubviewsRunsOnlyWhenNeeded) {
    auto view = UIView::create<CountingView>(CGRect{0, 0, 10, 10});
    root->addSubview(view);
    root->layoutIfNeeded();
    const int first = view->layouts;
    EXPECT_GE(first, 1);
    root->layoutIfNeeded();
    EXPECT_EQ(view->layouts, first);
    view->setNeedsLayout();
    root->layoutIfNeeded();
    EXPECT_EQ(view->layouts, first + 1);
    view->setFrame({0, 0, 20, 10}); // a new size needs a new layout
    root->layoutIfNeeded();
    EXPECT_EQ(view->layouts, first + 2);
}

TEST_F(LayoutTest, ConstantChangesGiveWhatAFullSolveGivesOnTheNextPass) {
    // A header, a body below it and a footer pinned to the bottom, moved by their constants.
    auto header = addConstrained(root);
    auto body = addConstrained(root);
    auto footer = addConstrained(root);
    auto headerHeight = header->heightAnchor().constraintEqualToConstant(44);
    auto gap = body->topAnchor().constraintEqualTo(header->bottomAnchor(), 8);
    auto footerHeight = footer->heightAnchor().constraintEqualToConstant(60);
    auto bodyMinimum = body->heightAnchor().constraintGreaterThanOrEqualToConstant(100);
    bodyMinimum->setPriority(999);
    auto bodyWish = body->heightAnchor().constraintEqualToConstant(0);
    bodyWish->setPriority(UILayoutPriority::defaultLow);
    NSLayoutConstraint::activate({
        bodyWish,
        header->topAnchor().constraintEqualTo(root->topAnchor()),
        headerHeight,
        gap,
        bodyMinimum,
        footerHeight,
        body->bottomAnchor().constraintLessThanOrEqualTo(footer->topAnchor()),
        footer->bottomAnchor().constraintEqualTo(root->bottomAnchor()),
        header->leadingAnchor().constraintEqualTo(root->leadingAnchor()),
        header->trailingAnchor().constraintEqualTo(root->trailingAnchor()),
        body->leadingAnchor().constraintEqualTo(root->leadingAnchor(), 16),
        body->widthAnchor().constraintEqualTo(header->widthAnchor(), 0.5, 0),
        footer->leadingAnchor().constraintEqualTo(root->leadingAnchor()),
        footer->widthAnchor().constraintEqualTo(root->widthAnchor()),
    });
    root->layoutIfNeeded();
    struct Step {
        CGFloat header;
        CGFloat gap;
        CGFloat footer;
        float wishPriority;
        CGFloat bodyHeight;
    };
    // The optional minimum gives way when the footer needs the room.
    const std::vector<Step> steps = {
        {60, 8, 60, 250, 100}, {60, 20, 100, 260, 100}, {100, 0, 500, 250, 67}, {44, 8, 60, 240, 100}};
    for (const Step& step : steps) {
        SCOPED_TRACE(testing::Message() << step.header << " " << step.gap << " " << step.footer);
        const auto before = frames({header, body, footer});
        headerHeight->setConstant(step.header);
        gap->setConstant(step.gap);
        footerHeight->setConstant(step.footer);
        bodyWish->setPriority(step.wishPriority);
        EXPECT_EQ(before, frames({header, body, footer})) << "nothing moves before the next pass";
        root->layoutIfNeeded();
        const auto updated = frames({header, body, footer});
        root->setNeedsUpdateConstraints(); // any structural change: the next pass solves from scratch
        root->layoutIfNeeded();
        EXPECT_EQ(updated, frames({header, body, footer}));
        EXPECT_EQ(std::tuple(body->frame().origin.y, footer->frame().size.height, body->frame().size.height),
                  std::tuple(step.header + step.gap, step.footer, step.bodyHeight));
    }
}

TEST_F(LayoutTest, FrameChangesGiveWhatAFullSolveGivesOnTheNextPass) {
    // A view placed by its frame with a bar hung below it; a panel sized by constraints whose
    // content follows its size by autoresizing, with a badge in the content's corner; and a
    // width that contradicts the placed view's frame once it is resized (the frame wins).
    auto placed = UIView::make({20, 30, 40, 50});
    root->addSubview(placed);
    auto bar = addConstrained(root);
    auto panel = addConstrained(root);
    auto content = UIView::make(); // the panel's size once it has one
    content->setAutoresizingMask(UIViewAutoresizing::flexibleWidth | UIViewAutoresizing::flexibleHeight);
    panel->addSubview(content);
    auto badge = addConstrained(content);
    auto panelWidth = panel->widthAnchor().constraintEqualToConstant(100);
    NSLayoutConstraint::activate({
        bar->topAnchor().constraintEqualTo(placed->bottomAnchor(), 10),
        bar->leadingAnchor().constraintEqualTo(placed->trailingAnchor()),
        bar->trailingAnchor().constraintEqualTo(root->trailingAnchor()),
        bar->heightAnchor().constraintEqualToConstant(20),
        panel->leadingAnchor().constraintEqualTo(root->leadingAnchor()),
        panel->bottomAnchor().constraintEqualTo(root->bottomAnchor()),
        panelWidth,
        panel->heightAnchor().constraintEqualToConstant(100),
        badge->trailingAnchor().constraintEqualTo(content->trailingAnchor()),
        badge->bottomAnchor().constraintEqualTo(content->bottomAnchor()),
        badge->widthAnchor().constraintEqualToConstant(10),
        badge->heightAnchor().constraintEqualToConstant(10),
        placed->widthAnchor().constraintEqualToConstant(40),
    });
    root->layoutIfNeeded();
    struct Step {
        const char* name;
        std::function<void()> change;
        CGRect bar;
        CGRect badge;
    };
    const auto movePlaced = [&] { placed->setCenter({50, 100}); };
    const auto reframePlaced = [&] { placed->setFrame({0, 0, 40, 20}); };
    const auto widenPanel = [&] { panelWidth->setConstant(200); };
    const auto resizeRoot = [&] { root->setFrame({0, 0, 320, 480}); };
    const auto widenAgainstConstraint = [&] { placed->setBounds({0, 0, 60, 20}); };
    const std::vector<Step> steps = {
        {"moved", movePlaced, {70, 135, 305, 20}, {90, 90, 10, 10}},
        {"framed", reframePlaced, {40, 30, 335, 20}, {90, 90, 10, 10}},
        {"panel widened", widenPanel, {40, 30, 335, 20}, {190, 90, 10, 10}},
        {"root resized", resizeRoot, {40, 30, 280, 20}, {190, 90, 10, 10}},
        {"against a constraint", widenAgainstConstraint, {50, 30, 270, 20}, {190, 90, 10, 10}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        stderrOf([&] {
            step.change();
            root->layoutIfNeeded();
        });
        EXPECT_EQ(frames({bar, badge}), (std::vector{step.bar, step.badge}));
        EXPECT_EQ(panel->frame().maxY(), root->bounds().size.height);
        const auto updated = frames({placed, bar, content, badge});
        root->setNeedsUpdateConstraints(); // any structural change: the next pass solves from scratch
        root->layoutIfNeeded();
        EXPECT_EQ(updated, frames({placed, bar, content, badge}));
    }
}

TEST_F(LayoutTest, ATreeThatLostASubviewToAnotherTreeNoLongerLaysItOut) {
    auto header = addConstrained(root);
    auto height = header->heightAnchor().constraintEqualToConstant(44);
    auto leaving = addConstrained(root); // sized by constraints of its own, placed by nothing
    auto inner = addConstrained(leaving);
    NSLayoutConstraint::activate(
        {height, header->topAnchor().constraintEqualTo(root->topAnchor()),
         header->leadingAnchor().constraintEqualTo(root->leadingAnchor()),
         header->widthAnchor().constraintEqualToConstant(100), leaving->widthAnchor().constraintEqualToConstant(50),
         leaving->heightAnchor().constraintEqualToConstant(50), inner->widthAnchor().constraintEqualToConstant(10),
         inner->heightAnchor().constraintEqualToConstant(10),
         inner->leadingAnchor().constraintEqualTo(leaving->leadingAnchor(), 5),
         inner->topAnchor().constraintEqualTo(leaving->topAnchor(), 5)});
    root->layoutIfNeeded();
    auto other = UIView::make({0, 0, 100, 100});
    other->addSubview(leaving);
    other->layoutIfNeeded();
    EXPECT_EQ(inner->frame(), (CGRect{5, 5, 10, 10}));
    const std::weak_ptr<UIView> gone = leaving;
    leaving.reset();
    inner.reset();
    other.reset();
    ASSERT_TRUE(gone.expired());
    // Only a constant changed in the first tree since: its pass must not touch what it lost.
    height->setConstant(60);
    root->layoutIfNeeded();
    EXPECT_EQ(header->frame(), (CGRect{0, 0, 100, 60}));
}

TEST_F(LayoutTest, FittingSizesFollowChangesInTheViewAndWhereItLies) {
    root->setSafeAreaInsetsOverride(UIEdgeInsets{47, 0, 34, 0});
    auto container = UIView::make(root->bounds());
    root->addSubview(container);
    auto card = UIView::make({0, 0, 200, 300});
    container->addSubview(card);
    // The content sits 16 inside the card's safe area, which reaches into the window's top inset.
    auto content = addConstrained(card, sized(100, 40));
    auto guide = card->safeAreaLayoutGuide();
    auto top = content->topAnchor().constraintEqualTo(guide->topAnchor(), 16);
    auto bottom = content->bottomAnchor().constraintEqualTo(guide->bottomAnchor(), -16);
    NSLayoutConstraint::activate({top, bottom, content->leadingAnchor().constraintEqualTo(card->leadingAnchor(), 16)});
    const auto height = [&] { return card->systemLayoutSizeFitting(UIView::layoutFittingCompressedSize()).height; };
    EXPECT_EQ(height(), 47 + 16 + 40 + 16);
    struct Step {
        const char* change;
        std::function<void()> make;
        CGFloat height;
    };
    const std::vector<Step> steps = {
        {"a constant", [&] { top->setConstant(20); }, 47 + 20 + 40 + 16},
        {"an intrinsic size",
         [&] {
             content->setSize({100, 60});
         },
         47 + 20 + 60 + 16},
        {"a view added below",
         [&] {
             auto footer = addConstrained(card, sized(100, 30));
             bottom->setActive(false);
             NSLayoutConstraint::activate({footer->topAnchor().constraintEqualTo(content->bottomAnchor(), 8),
                                           footer->bottomAnchor().constraintEqualTo(guide->bottomAnchor(), -16)});
         },
         47 + 20 + 60 + 8 + 30 + 16},
        {"the card's container moved away from the inset",
         [&] {
             container->setFrame({0, 200, 375, 467});
         },
         20 + 60 + 8 + 30 + 16},
    };
    for (const Step& step : steps) {
        step.make();
        EXPECT_EQ(height(), step.height) << step.change;
    }
}

TEST_F(LayoutTest, BadConstraintsAreRefusedWithMessages) {
    auto view = addConstrained(root);
    NSLayoutConstraint::Pointer location, mixed, notFinite, required;
    const std::string messages = stderrOf([&] {
        location = NSLayoutConstraint::make(view, NSLayoutAttribute::top, NSLayoutRelation::equal, nullptr,
                                            NSLayoutAttribute::notAnAttribute, 1, 10);
        mixed = NSLayoutConstraint::make(view, NSLayoutAttribute::top, NSLayoutRelation::equal, root,
                                         NSLayoutAttribute::leading, 1, 0);
        notFinite = view->widthAnchor().constraintEqualToConstant(NAN);
        NSLayoutConstraint::activate({location, mixed, notFinite});
        required = view->widthAnchor().constraintEqualToConstant(10);
        required->setActive(true);
        required->setPriority(500);
    });
    EXPECT_EQ((std::vector{location->isActive(), mixed->isActive(), notFinite->isActive()}),
              (std::vector{false, false, false}));
    EXPECT_THAT(messages, HasSubstr("Invalid pairing of layout attributes"));
    EXPECT_THAT(messages, HasSubstr("Mutating a priority from required to not"));
    EXPECT_EQ(required->priority(), UILayoutPriority::required);
}

} // namespace
