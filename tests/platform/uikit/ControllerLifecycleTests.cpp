#include "ControllerTestsSupport.hpp"

#include "platform/uikit/UINavigationController.hpp"

#include <gmock/gmock.h>

using namespace controllertests;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

using ControllerLifecycleTest = ControllerTest;

class ContentController : public UIViewController {
public:
    void loadView() override {
        ++loads;
        setView(content);
    }
    void viewDidLoad() override {
        UIViewController::viewDidLoad();
        viewInViewDidLoad = viewIfLoaded();
    }

    std::shared_ptr<UIView> content = UIView::make({0, 0, 10, 10});
    std::shared_ptr<UIView> viewInViewDidLoad;
    int loads = 0;
};

class ForgetfulController : public UIViewController {
public:
    void loadView() override { askedWhileLoading = view(); }
    std::shared_ptr<UIView> askedWhileLoading = UIView::make();
};

TEST_F(ControllerLifecycleTest, ViewLoadsOnceOnFirstUseThroughLoadViewThenViewDidLoad) {
    const auto vc = controller("vc");
    EXPECT_EQ(vc->viewIfLoaded(), nullptr) << "making a view controller loads nothing";
    const auto view = vc->view();
    EXPECT_EQ(vc->view(), view);
    EXPECT_THAT(*log, ElementsAre("vc.loadView", "vc.viewDidLoad"));
    EXPECT_EQ(view->frame(), (CGRect{0, 0, 390, 844})) << "the base view has the screen's size";

    const auto custom = UIViewController::create<ContentController>();
    EXPECT_EQ(custom->view(), custom->content);
    EXPECT_EQ(custom->viewInViewDidLoad, custom->content) << "viewDidLoad runs after loadView set the view";
    custom->loadViewIfNeeded();
    EXPECT_EQ(custom->loads, 1);
}

TEST_F(ControllerLifecycleTest, LoadViewThatSetsNoViewGetsAPlainOneInsteadOfRecursing) {
    const auto vc = UIViewController::create<ForgetfulController>();
    std::shared_ptr<UIView> view;
    const std::string messages = stderrOf([&] { view = vc->view(); });
    EXPECT_EQ(vc->askedWhileLoading, nullptr);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(vc->view(), view);
    EXPECT_THAT(messages, HasSubstr("loadView set no view"));
}

TEST_F(ControllerLifecycleTest, RootAppearsWithItsVisibleWindowAndDisappearsWhenReplaced) {
    const auto window = UIWindow::make(device->scene());
    const auto first = controller("first");
    window->setRootViewController(first);
    EXPECT_TRUE(only(*log, {"first.viewWill", "first.viewDidAppear"}).empty()) << "a hidden window shows nothing";
    EXPECT_EQ(first->view()->frame(), window->bounds());

    log->clear();
    window->makeKeyAndVisible();
    EXPECT_THAT(*log, ElementsAre("first.viewWillAppear(false)", "first.viewDidAppear(false)"));
    window->makeKeyAndVisible();
    EXPECT_EQ(log->size(), 2u) << "an appeared root does not appear twice";

    log->clear();
    const auto second = controller("second");
    window->setRootViewController(second);
    EXPECT_THAT(only(*log, {"first.viewWill", "first.viewDidD", "second.viewWill", "second.viewDidA"}),
                ElementsAre("first.viewWillDisappear(false)", "first.viewDidDisappear(false)",
                            "second.viewWillAppear(false)", "second.viewDidAppear(false)"));
    EXPECT_EQ(first->view()->superview(), nullptr);
}

TEST_F(ControllerLifecycleTest, ChildContainmentCallsAndAppearanceInAnAppearedParent) {
    ASSERT_TRUE(root->isAppeared());
    const auto child = controller("child");

    embed(root, child);
    EXPECT_THAT(root->children(), ElementsAre(child));
    EXPECT_THAT(*log,
                ElementsAre("child.willMove(parent)", "child.loadView", "child.viewDidLoad", "child.didMove(parent)",
                            "child.viewWillAppear(false)", "child.viewDidAppear(false)"));

    log->clear();
    child->willMove(nullptr);
    child->view()->removeFromSuperview();
    child->removeFromParent();
    EXPECT_THAT(*log, ElementsAre("child.willMove(nil)", "child.viewWillDisappear(false)",
                                  "child.viewDidDisappear(false)", "child.didMove(nil)"));
    EXPECT_EQ(child->parent(), nullptr);
    EXPECT_TRUE(root->children().empty());
}

TEST_F(ControllerLifecycleTest, ParentForwardsAppearanceOnlyToChildrenWhoseViewsItShows) {
    const auto parent = controller("parent");
    const auto shown = controller("shown");
    const auto offscreen = controller("offscreen");
    embed(parent, shown);
    parent->addChild(offscreen);
    offscreen->didMove(parent);
    log->clear();

    parent->beginAppearanceTransition(true, true);
    parent->endAppearanceTransition();
    EXPECT_THAT(*log, ElementsAre("parent.viewWillAppear(true)", "shown.viewWillAppear(true)",
                                  "parent.viewDidAppear(true)", "shown.viewDidAppear(true)"));

    log->clear();
    parent->beginAppearanceTransition(true, false);
    parent->endAppearanceTransition();
    EXPECT_TRUE(log->empty()) << "an appeared view controller does not appear again";
}

TEST_F(ControllerLifecycleTest, AddingAChildMovesItFromItsOldParentAndRefusesCycles) {
    const auto a = controller("a");
    const auto b = controller("b");
    const auto child = controller("child");
    a->addChild(child);
    b->addChild(child);
    EXPECT_TRUE(a->children().empty());
    EXPECT_EQ(child->parent(), b);

    const std::string messages = stderrOf([&] {
        child->addChild(b);
        b->addChild(b);
    });
    EXPECT_THAT(messages, HasSubstr("cannot become a child"));
    EXPECT_TRUE(child->children().empty());
    EXPECT_EQ(b->parent(), nullptr);
}

TEST_F(ControllerLifecycleTest, ShowPresentsWithoutANavigationControllerAndPushesWithOne) {
    const auto shown = controller("shown");
    root->show(shown);
    EXPECT_EQ(root->presentedViewController(), shown);
    EXPECT_TRUE(shown->isBeingPresented()) << "shown with animation";
    advance(0.5);

    const auto top = controller("top");
    const auto pushed = controller("pushed");
    const auto navigation = UINavigationController::make(top);
    top->show(pushed);
    EXPECT_THAT(navigation->viewControllers(), ElementsAre(top, pushed));
}

} // namespace
