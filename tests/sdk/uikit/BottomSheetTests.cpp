#include "sdk/uikit/SheetPresentationViewController.hpp"
#include "sdk/uikit/SheetTransition.hpp"
#include "sdk/uikit/SheetTransitioningDelegate.hpp"

#include "platform/testing/SimulatedUser.hpp"
#include "platform/uikit/UIScrollView.hpp"
#include "sdk/uikit/UIKitTestSupport.hpp"

#include <memory>

namespace {

using testing::SimulatedUser;
using uikit::CGRect;
using uikit::UIView;
using uikit::UIViewController;
using vyd::SheetPresentationViewController;

// The phone: 390 x 844 points, safe area 47 from the top and 34 from the bottom.
constexpr double screenHeight = 844;
constexpr double safeTop = 47;
constexpr double safeBottom = 34;

class BottomSheetTest : public uikittests::PhoneTest {
protected:
    // Content that fits `height` points (0: none) at the top of the sheet, with a scroll view
    // first when asked for.
    static std::shared_ptr<UIViewController> content(double height,
                                                     std::shared_ptr<uikit::UIScrollView> scrollView = nullptr) {
        auto controller = UIViewController::make();
        const auto view = controller->view();
        const auto body = scrollView ? std::static_pointer_cast<UIView>(scrollView) : UIView::make();
        body->setTranslatesAutoresizingMaskIntoConstraints(false);
        view->addSubview(body);
        if (height > 0) {
            const auto bodyHeight = body->heightAnchor().constraintEqualToConstant(height);
            bodyHeight->setPriority(uikit::UILayoutPriority::defaultHigh); // gives way to a capped sheet
            uikit::NSLayoutConstraint::activate({
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
        sheet->setModalPresentationStyle(uikit::UIModalPresentationStyle::custom);
        sheet->setTransitioningDelegate(delegate);
        root->present(sheet, true);
        advance(transition->animationDuration + 0.1);
        return sheet;
    }
    std::shared_ptr<SheetPresentationViewController> controllerOf(const UIViewController& sheet) {
        return std::dynamic_pointer_cast<SheetPresentationViewController>(sheet.presentationController());
    }
    bool presented() const { return root->presentedViewController() != nullptr; }

    std::shared_ptr<vyd::SheetTransition> transition = vyd::SheetTransition::make();
    std::shared_ptr<vyd::SheetTransitioningDelegate> delegate =
        std::make_shared<vyd::SheetTransitioningDelegate>(transition);
};

TEST_F(BottomSheetTest, SheetFitsItsContentUpToTheSafeAreaAndReachesBehindTheBottomInset) {
    const double available = screenHeight - safeTop - safeBottom;
    for (const auto& [contentHeight, shown] :
         std::vector<std::pair<double, double>>{{0, available}, {200, 200}, {2000, available}}) {
        const auto sheet = present(content(contentHeight));
        EXPECT_EQ(sheet->view()->frame(), CGRect(0, screenHeight - shown - safeBottom, 390, shown + safeBottom))
            << contentHeight;
        advance(1);
        sheet->dismiss(false);
        advance(1);
    }
}

TEST_F(BottomSheetTest, PresentedSheetHasHandleRoundedTopBackdropAndContentBelowTheHandle) {
    const auto sheet = present(content(200));
    const auto controller = controllerOf(*sheet);
    ASSERT_NE(controller, nullptr);
    const auto view = sheet->view();
    EXPECT_EQ(view->layer()->cornerRadius(), 24);
    EXPECT_EQ(view->layer()->maskedCorners(),
              quartzcore::CACornerMask::layerMinXMinYCorner | quartzcore::CACornerMask::layerMaxXMinYCorner);
    EXPECT_EQ(controller->handleView()->superview(), view);
    EXPECT_EQ(controller->handleView()->frame(), CGRect(175, 8, 40, 4));
    EXPECT_EQ(controller->handleView()->layer()->cornerRadius(), 2);
    EXPECT_EQ(sheet->additionalSafeAreaInsets().top, 12);
    EXPECT_EQ(controller->backgroundView()->frame(), CGRect(0, 0, 390, screenHeight));
    EXPECT_EQ(controller->backgroundView()->backgroundColor(), uikit::UIColor::black().withAlphaComponent(0.25));

    // Outside a transition the hooks leave the look alone.
    controller->presentationTransitionWillBegin();
    controller->dismissalTransitionWillBegin();
    EXPECT_EQ(view->layer()->cornerRadius(), 24);
    EXPECT_EQ(controller->backgroundView()->backgroundColor(), uikit::UIColor::black().withAlphaComponent(0.25));
}

// The sheet is 200 high with its inset: a drag of 60 points is exactly 30 % of it.
TEST_F(BottomSheetTest, DragDismissesOnlyPastThirtyPercent) {
    const auto sheet = present(content(166));
    const CGRect resting = sheet->view()->frame();
    ASSERT_EQ(resting.height(), 200);

    SimulatedUser::drag(sheet->view(), {0, 60});
    EXPECT_EQ(transition->dismissProgress(), 0.3);
    advance(1);
    EXPECT_TRUE(presented()) << "exactly 0.3 puts the sheet back";
    EXPECT_EQ(sheet->view()->frame(), resting);
    EXPECT_EQ(sheet->view()->layer()->cornerRadius(), 24);
    EXPECT_EQ(controllerOf(*sheet)->backgroundView()->backgroundColor(),
              uikit::UIColor::black().withAlphaComponent(0.25));

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
    EXPECT_EQ(transition->dismissAnimator(), nullptr);
    EXPECT_TRUE(controller.expired()) << "the presentation controller goes with the presentation";
}

TEST_F(BottomSheetTest, ScrollingListDismissesOnlyWhenPulledAtItsTop) {
    struct Case {
        double listContent; // content height of a 300-point list
        double startOffset; // where it is scrolled to
        bool dismissed;
    };
    // Pulled at its top the list takes the sheet down; scrolled inside, it scrolls.
    for (const auto& c : std::vector<Case>{{1000, 0, true}, {1000, 300, false}}) {
        const auto list = uikit::UIScrollView::make();
        list->setContentSize({390, c.listContent});
        const auto sheet = present(content(300, list));
        EXPECT_EQ(list->delegate(), controllerOf(*sheet));
        list->setContentOffset({0, c.startOffset});
        SimulatedUser::drag(list, {0, 200});
        advance(1);
        EXPECT_EQ(presented(), !c.dismissed) << c.startOffset;
        if (!c.dismissed) {
            EXPECT_EQ(list->contentOffset().y, c.startOffset - 200) << "the list scrolled instead";
            sheet->dismiss(false);
            advance(1);
        }
    }

    // A list whose content fits leaves the dragging to the sheet.
    const auto list = uikit::UIScrollView::make();
    list->setContentSize({390, 200});
    const auto sheet = present(content(300, list));
    EXPECT_EQ(list->delegate(), nullptr);
    SimulatedUser::drag(controllerOf(*sheet)->handleView(), {0, 200});
    advance(1);
    EXPECT_FALSE(presented());
}

} // namespace
