#include "sdk/uikit/SheetPresentationViewController.hpp"
#include "sdk/uikit/SheetTransition.hpp"
#include "sdk/uikit/SheetTransitioningDelegate.hpp"

#include "platform/testing/SimulatedUser.hpp"
#include "platform/uikit/UIScrollView.hpp"
#include "sdk/uikit/UIKitTestSupport.hpp"

#include <memory>

namespace {

using testing::SimulatedUser;
using namespace uikit;
using vyd::SheetPresentationViewController;

constexpr double screenHeight = 844;

class BottomSheetTest : public uikittests::PhoneTest {
protected:
    // Content that fits `height` points (0: none) at the top of the sheet, with a scroll view
    // first when asked for.
    static std::shared_ptr<UIViewController> content(double height,
                                                     std::shared_ptr<UIScrollView> scrollView = nullptr) {
        auto controller = UIViewController::make();
        const auto view = controller->view();
        const auto body = scrollView ? std::static_pointer_cast<UIView>(scrollView) : UIView::make();
        body->setTranslatesAutoresizingMaskIntoConstraints(false);
        view->addSubview(body);
        if (height > 0) {
            const auto bodyHeight = body->heightAnchor().constraintEqualToConstant(height);
            bodyHeight->setPriority(UILayoutPriority::defaultHigh); // gives way to a capped sheet
            NSLayoutConstraint::activate({
                body->topAnchor().constraintEqualTo(view->topAnchor()),
                body->leadingAnchor().constraintEqualTo(view->leadingAnchor()),
                body->trailingAnchor().constraintEqualTo(view->trailingAnchor()),
                body->bottomAnchor().constraintLessThanOrEqualTo(view->bottomAnchor()),
                bodyHeight,
            });
        }
        return controller;
    }

    // Presents the sheet and lets its animation end.
    std::shared_ptr<UIViewController> present(std::shared_ptr<UIViewController> sheet) {
        sheet->setModalPresentationStyle(UIModalPresentationStyle::custom);
        sheet->setTransitioningDelegate(delegate);
        root->present(sheet, true);
        advance(transition->animationDuration + 0.1);
        return sheet;
    }
    std::shared_ptr<SheetPresentationViewController> controllerOf(const UIViewController& sheet) {
        return std::dynamic_pointer_cast<SheetPresentationViewController>(sheet.presentationController());
    }
    bool presented() const { return root->presentedViewController() != nullptr; }
    void expectResting(UIViewController& sheet) {
        EXPECT_EQ(sheet.view()->layer()->cornerRadius(), 24);
        EXPECT_EQ(sheet.view()->layer()->maskedCorners(),
                  quartzcore::CACornerMask::layerMinXMinYCorner | quartzcore::CACornerMask::layerMaxXMinYCorner);
        EXPECT_EQ(controllerOf(sheet)->backgroundView()->backgroundColor(), UIColor::black().withAlphaComponent(0.25));
    }

    std::shared_ptr<vyd::SheetTransition> transition = vyd::SheetTransition::make();
    std::shared_ptr<vyd::SheetTransitioningDelegate> delegate =
        std::make_shared<vyd::SheetTransitioningDelegate>(transition);
};

TEST_F(BottomSheetTest, SheetFitsItsContentUpToTheSafeAreaAndReachesBehindTheBottomInset) {
    const double available = screenHeight - 47 - 34;
    for (const auto& [contentHeight, shown] :
         std::vector<std::pair<double, double>>{{0, available}, {200, 200}, {2000, available}}) {
        const auto sheet = present(content(contentHeight));
        EXPECT_EQ(sheet->view()->frame(), CGRect(0, screenHeight - shown - 34, 390, shown + 34)) << contentHeight;
        // Outside a transition the hooks leave the look alone.
        controllerOf(*sheet)->presentationTransitionWillBegin();
        controllerOf(*sheet)->dismissalTransitionWillBegin();
        expectResting(*sheet);
        sheet->dismiss(false);
        advance(1);
    }
}

// The sheet is 200 high with its inset: a drag of 60 points is exactly 30 % of it.
TEST_F(BottomSheetTest, DragDismissesOnlyPastThirtyPercent) {
    const auto sheet = present(content(166));
    const CGRect resting = sheet->view()->frame();
    ASSERT_EQ(resting.height(), 200);
    EXPECT_EQ(controllerOf(*sheet)->handleView()->frame(), CGRect(175, 8, 40, 4));
    EXPECT_EQ(controllerOf(*sheet)->backgroundView()->frame(), CGRect(0, 0, 390, screenHeight));

    SimulatedUser::drag(sheet->view(), {0, 60});
    EXPECT_EQ(transition->dismissProgress(), 0.3);
    advance(1);
    EXPECT_TRUE(presented()) << "exactly 0.3 puts the sheet back";
    EXPECT_EQ(sheet->view()->frame(), resting);
    expectResting(*sheet);

    SimulatedUser::drag(sheet->view(), {0, 60.5});
    advance(1);
    EXPECT_FALSE(presented()) << "just above 0.3 dismisses";
    EXPECT_EQ(sheet->view()->superview(), nullptr);
}

TEST_F(BottomSheetTest, TapBesideTheSheetDismissesWithTheWholeAnimationAfterACancelledDrag) {
    const auto sheet = present(content(166));
    SimulatedUser::drag(sheet->view(), {0, 20});
    advance(1);
    ASSERT_TRUE(presented());

    const std::weak_ptr<SheetPresentationViewController> controller = controllerOf(*sheet);
    SimulatedUser::tap(controller.lock()->backgroundView(), {195, 100});
    ASSERT_NE(transition->dismissAnimator(), nullptr);
    EXPECT_TRUE(transition->dismissAnimator()->isRunning()) << "not waiting for a finger";
    advance(transition->animationDuration - 0.05);
    EXPECT_TRUE(presented());
    advance(0.1);
    EXPECT_FALSE(presented());
    EXPECT_TRUE(controller.expired()) << "the presentation controller goes with the presentation";
}

TEST_F(BottomSheetTest, ScrollingListDismissesOnlyWhenPulledAtItsTopAndAFittingOneLeavesItToTheSheet) {
    // A 300-point list with 1000 points of content, pulled down 200 from where it is scrolled to.
    for (const double offset : {0.0, 300.0}) {
        const auto list = UIScrollView::make();
        list->setContentSize({390, 1000});
        const auto sheet = present(content(300, list));
        list->setContentOffset({0, offset});
        SimulatedUser::drag(list, {0, 200});
        advance(1);
        EXPECT_EQ(presented(), offset > 0) << offset;
        if (presented()) {
            EXPECT_EQ(list->contentOffset().y, offset - 200) << "the list scrolled instead";
            sheet->dismiss(false);
            advance(1);
        }
    }
    const auto list = UIScrollView::make();
    list->setContentSize({390, 200});
    const auto sheet = present(content(300, list));
    EXPECT_EQ(list->delegate(), nullptr);
    SimulatedUser::drag(controllerOf(*sheet)->handleView(), {0, 200});
    advance(1);
    EXPECT_FALSE(presented());
}

} // namespace
