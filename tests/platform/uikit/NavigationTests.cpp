#include "ControllerTestsSupport.hpp"

#include "platform/uikit/UIBarButtonItem.hpp"
#include "platform/uikit/UINavigationBar.hpp"
#include "platform/uikit/UINavigationController.hpp"
#include "platform/uikit/UINavigationItem.hpp"

#include <gmock/gmock.h>

#include <functional>
#include <string>
#include <utility>

using namespace controllertests;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

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
    EXPECT_TRUE(first->isAppeared()) << "the navigation controller forwards its appearance to its top";

    const auto bar = navigation->navigationBar();
    EXPECT_EQ(bar->superview(), navigation->view());
    EXPECT_EQ(bar->frame(), (CGRect{0, 47, 390, 44})) << "the bar sits below the status bar";
    EXPECT_EQ(first->view()->frame(), (CGRect{0, 91, 390, 844 - 91}));
    EXPECT_THAT(bar->items(), ElementsAre(first->navigationItem()));
}

TEST_F(NavigationTest, AnimatedPushAndPopSendAppearanceAndContainmentInOrder) {
    const auto second = controller("second");
    navigation->pushViewController(second, true);

    EXPECT_THAT(navigation->viewControllers(), ElementsAre(first, second)) << "the stack changes at once";
    EXPECT_THAT(appearance(),
                ElementsAre("second.willMove(parent)", "first.viewWillDisappear(true)", "second.viewWillAppear(true)"));
    log->clear();
    advance(UINavigationController::transitionDuration);
    EXPECT_THAT(appearance(),
                ElementsAre("first.viewDidDisappear(true)", "second.viewDidAppear(true)", "second.didMove(parent)"));
    EXPECT_EQ(first->view()->superview(), nullptr) << "only the top view stays in the navigation view";
    EXPECT_EQ(second->view()->frame(), (CGRect{0, 91, 390, 844 - 91}));

    log->clear();
    EXPECT_EQ(navigation->popViewController(true), second);
    EXPECT_THAT(navigation->viewControllers(), ElementsAre(first));
    EXPECT_THAT(appearance(),
                ElementsAre("second.willMove(nil)", "second.viewWillDisappear(true)", "first.viewWillAppear(true)"));
    log->clear();
    advance(UINavigationController::transitionDuration);
    EXPECT_THAT(appearance(),
                ElementsAre("second.viewDidDisappear(true)", "first.viewDidAppear(true)", "second.didMove(nil)"));
    EXPECT_EQ(second->parent(), nullptr);
}

TEST_F(NavigationTest, RefusedChangesLeaveTheStackAsItWas) {
    const auto second = controller("second");
    navigation->pushViewController(second, false);
    const std::pair<std::function<void()>, std::string> cases[] = {
        {[&] { navigation->pushViewController(nullptr, false); }, "Application tried to push a nil view controller"},
        {[&] { navigation->pushViewController(second, false); },
         "Pushing the same view controller instance more than once is not supported"},
        {[&] { navigation->pushViewController(UINavigationController::make(), false); },
         "Pushing a navigation controller is not supported"},
    };
    for (const auto& [attempt, message] : cases) {
        SCOPED_TRACE(message);
        EXPECT_THAT(stderrOf(attempt), HasSubstr(message));
        EXPECT_THAT(navigation->viewControllers(), ElementsAre(first, second));
    }
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
    EXPECT_EQ(title->superview(), bar);
    EXPECT_EQ(frames({back, close, title}),
              (std::vector<CGRect>{{8, 0, 44, 44}, {390 - 8 - 44, 0, 44, 44}, {135, 4.5, 120, 35}}));

    item->setLeftBarButtonItem(nullptr);
    EXPECT_EQ(back->superview(), nullptr) << "an item taken away takes its view along";
    EXPECT_EQ(line->superview(), bar) << "views the bar does not own stay";

    const auto second = controller("second");
    navigation->pushViewController(second, false);
    EXPECT_EQ(close->superview(), nullptr) << "the bar shows only the top item";
}

} // namespace
