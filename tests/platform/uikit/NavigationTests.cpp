#include "ControllerTestsSupport.hpp"

#include "platform/testing/SimulatedUser.hpp"
#include "platform/uikit/UIBarButtonItem.hpp"
#include "platform/uikit/UINavigationBar.hpp"
#include "platform/uikit/UINavigationController.hpp"
#include "platform/uikit/UINavigationItem.hpp"

#include <gmock/gmock.h>

using namespace controllertests;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

namespace {

class NavigationTest : public ControllerTest {
protected:
    void SetUp() override {
        ControllerTest::SetUp();
        first = controller("first");
        navigation = UINavigationController::make(first);
        device->setRootViewController(navigation);
        log->clear();
    }

    Log appearance() const {
        return only(*log, {"first.viewWill", "first.viewDidA", "first.viewDidD", "second.viewWill", "second.viewDidA",
                           "second.viewDidD", "first.willMove", "first.didMove", "second.willMove", "second.didMove"});
    }

    std::shared_ptr<RecordingController> first;
    std::shared_ptr<UINavigationController> navigation;
};

TEST_F(NavigationTest, RootIsTheFirstChildAndShowsUnderTheBar) {
    EXPECT_THAT(navigation->viewControllers(), ElementsAre(first));
    EXPECT_EQ(navigation->topViewController(), first);
    EXPECT_EQ(first->parent(), navigation);
    EXPECT_EQ(first->navigationController(), navigation);
    EXPECT_TRUE(first->isAppeared()) << "the navigation controller forwards its appearance to its top";

    const auto bar = navigation->navigationBar();
    EXPECT_EQ(bar->superview(), navigation->view());
    EXPECT_EQ(bar->frame(), (CGRect{0, 47, 390, 44})) << "the bar sits below the status bar";
    EXPECT_EQ(first->view()->frame(), (CGRect{0, 91, 390, 844 - 91}));
    EXPECT_THAT(bar->items(), ElementsAre(first->navigationItem()));

    navigation->setNavigationBarHidden(true);
    EXPECT_TRUE(navigation->isNavigationBarHidden());
    EXPECT_EQ(first->view()->frame(), (CGRect{0, 0, 390, 844})) << "without the bar the top view fills it";
}

TEST_F(NavigationTest, AnimatedPushAndPopSendAppearanceAndContainmentInOrder) {
    const auto second = controller("second");
    navigation->pushViewController(second, true);

    EXPECT_THAT(navigation->viewControllers(), ElementsAre(first, second)) << "the stack changes at once";
    EXPECT_EQ(navigation->topViewController(), second);
    EXPECT_TRUE(second->isMovingToParent());
    EXPECT_THAT(appearance(),
                ElementsAre("second.willMove(parent)", "first.viewWillDisappear(true)", "second.viewWillAppear(true)"));
    log->clear();
    advance(UINavigationController::transitionDuration - 0.01);
    EXPECT_THAT(appearance(), IsEmpty());
    advance(0.01);
    EXPECT_THAT(appearance(),
                ElementsAre("first.viewDidDisappear(true)", "second.viewDidAppear(true)", "second.didMove(parent)"));
    EXPECT_FALSE(second->isMovingToParent());
    EXPECT_EQ(first->view()->superview(), nullptr) << "only the top view stays in the navigation view";
    EXPECT_EQ(second->view()->frame(), (CGRect{0, 91, 390, 844 - 91}));
    EXPECT_EQ(navigation->navigationBar()->topItem(), second->navigationItem());
    EXPECT_EQ(navigation->navigationBar()->backItem(), first->navigationItem());

    log->clear();
    EXPECT_EQ(navigation->popViewController(true), second);
    EXPECT_THAT(navigation->viewControllers(), ElementsAre(first));
    EXPECT_TRUE(second->isMovingFromParent());
    EXPECT_THAT(appearance(),
                ElementsAre("second.willMove(nil)", "second.viewWillDisappear(true)", "first.viewWillAppear(true)"));
    log->clear();
    advance(UINavigationController::transitionDuration);
    EXPECT_THAT(appearance(),
                ElementsAre("second.viewDidDisappear(true)", "first.viewDidAppear(true)", "second.didMove(nil)"));
    EXPECT_EQ(second->parent(), nullptr);
    EXPECT_EQ(second->view()->superview(), nullptr);
    EXPECT_EQ(first->view()->superview(), navigation->view());
}

TEST_F(NavigationTest, RefusedChangesLeaveTheStackAsItWas) {
    const auto second = controller("second");
    navigation->pushViewController(second, false);
    struct Case {
        std::string name;
        std::function<void()> attempt;
        std::string message;
    };
    const Case cases[] = {
        {"nil", [&] { navigation->pushViewController(nullptr, false); },
         "Application tried to push a nil view controller"},
        {"twice", [&] { navigation->pushViewController(second, false); },
         "Pushing the same view controller instance more than once is not supported"},
        {"navigation", [&] { navigation->pushViewController(UINavigationController::make(), false); },
         "Pushing a navigation controller is not supported"},
        {"pop to stranger", [&] { navigation->popToViewController(controller("stranger"), false); },
         "Tried to pop to a view controller that doesn't exist"},
        {"duplicates",
         [&] {
             navigation->setViewControllers({first, first}, false);
         },
         "must be distinct"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_THAT(stderrOf(c.attempt), HasSubstr(c.message));
        EXPECT_THAT(navigation->viewControllers(), ElementsAre(first, second));
    }
}

TEST_F(NavigationTest, HiddenNavigationControllerChangesItsStackWithoutAppearance) {
    const auto top = controller("top");
    const auto offscreen = UINavigationController::make(top);
    const auto second = controller("second");
    offscreen->pushViewController(second, true);
    EXPECT_THAT(only(*log, {"second.viewWill", "second.viewDidA", "top.viewWill", "top.viewDidD"}), IsEmpty());
    EXPECT_EQ(second->parent(), offscreen);
    EXPECT_FALSE(second->isViewLoaded()) << "nothing loads views that nobody shows";
}

TEST_F(NavigationTest, BarShowsTheTopItemsViewsAndKeepsOtherSubviews) {
    const auto bar = navigation->navigationBar();
    const auto line = UIView::make({0, 44, 390, 1});
    bar->addSubview(line);
    const auto close = UIView::make({0, 0, 44, 44});
    const auto back = UIView::make({0, 0, 44, 44});
    const auto title = UIView::make({0, 0, 120, 35});
    const auto item = first->navigationItem();

    item->setRightBarButtonItem(UIBarButtonItem::make(close));
    item->setLeftBarButtonItem(UIBarButtonItem::make(back));
    item->setTitleView(title);
    EXPECT_EQ(close->superview(), bar);
    EXPECT_EQ(back->superview(), bar);
    EXPECT_EQ(title->superview(), bar);
    EXPECT_EQ(back->frame(), (CGRect{8, 0, 44, 44}));
    EXPECT_EQ(close->frame(), (CGRect{390 - 8 - 44, 0, 44, 44}));
    EXPECT_EQ(title->frame(), (CGRect{135, 4.5, 120, 35}));
    EXPECT_THAT(bar->itemViews(), ElementsAre(back, title, close));

    item->setLeftBarButtonItem(nullptr);
    EXPECT_EQ(back->superview(), nullptr) << "an item taken away takes its view along";
    EXPECT_EQ(item->leftBarButtonItem(), nullptr);
    EXPECT_EQ(line->superview(), bar) << "views the bar does not own stay";

    const auto second = controller("second");
    navigation->pushViewController(second, false);
    EXPECT_EQ(close->superview(), nullptr) << "the bar shows only the top item";
    navigation->popViewController(false);
    EXPECT_EQ(close->superview(), bar);

    const auto tapped = testing::SimulatedUser::tap(close);
    EXPECT_EQ(tapped, close) << "touches reach a bar button's custom view";
}

TEST_F(NavigationTest, HidesShadowIsSetThroughKeyValueCodingAndOtherKeysAreRefused) {
    const auto bar = navigation->navigationBar();
    EXPECT_FALSE(bar->hidesShadow());
    EXPECT_TRUE(bar->setValue(true, "hidesShadow"));
    EXPECT_TRUE(bar->hidesShadow());
    EXPECT_TRUE(std::any_cast<bool>(bar->value("hidesShadow")));

    const std::string messages = stderrOf([&] {
        EXPECT_FALSE(bar->setValue(true, "hidesShadows"));
        EXPECT_FALSE(bar->setValue(std::string("false"), "hidesShadow"));
    });
    EXPECT_THAT(messages, HasSubstr("setValue:forUndefinedKey:]: this class is not key value coding-compliant for "
                                    "the key hidesShadows."));
    EXPECT_THAT(messages, HasSubstr("must be a Bool"));
    EXPECT_TRUE(bar->hidesShadow()) << "refused values change nothing";
    EXPECT_FALSE(bar->value("unknown").has_value());
}

} // namespace
