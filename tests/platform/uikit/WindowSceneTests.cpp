#include "ControllerTestsSupport.hpp"

#include "platform/uikit/UIApplication.hpp"
#include "platform/uikit/UIDevice.hpp"
#include "platform/uikit/UIScreen.hpp"
#include "platform/uikit/UIWindowScene.hpp"

#include <gmock/gmock.h>

#include <cmath>

using namespace controllertests;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

using WindowSceneTest = ControllerTest;

class TraitRecordingView : public UIView {
public:
    using UIView::UIView;
    std::vector<UIUserInterfaceStyle> changes;

protected:
    void traitCollectionDidChange(const UITraitCollection& /*previous*/) override {
        changes.push_back(traitCollection().userInterfaceStyle());
    }
};

TEST_F(WindowSceneTest, WindowsStartHiddenAndOneKeyWindowAtATime) {
    const auto window = UIWindow::make(device->scene());
    EXPECT_TRUE(window->isHidden()) << "windows are made hidden";
    EXPECT_FALSE(window->isKeyWindow());
    EXPECT_EQ(window->frame(), UIScreen::main().bounds());
    EXPECT_TRUE(device->keyWindow()->isKeyWindow());

    window->makeKeyAndVisible();
    EXPECT_FALSE(window->isHidden());
    EXPECT_TRUE(window->isKeyWindow());
    EXPECT_FALSE(device->keyWindow()->isKeyWindow()) << "the previous key window resigns";
    EXPECT_EQ(UIApplication::shared().keyWindow(), window);
    EXPECT_EQ(device->scene()->keyWindow(), window);
    EXPECT_THAT(device->scene()->windows(), ElementsAre(device->keyWindow(), window));
    EXPECT_EQ(window->windowScene(), device->scene());
}

TEST_F(WindowSceneTest, SceneKeepsItsWindowsWeaklyAndWindowsMayMove) {
    const auto other = UIWindowScene::make();
    EXPECT_EQ(other->activationState(), UISceneActivationState::unattached);
    auto window = UIWindow::make(device->scene());
    window->setWindowScene(other);
    EXPECT_THAT(other->windows(), ElementsAre(window));
    EXPECT_THAT(device->scene()->windows(), ElementsAre(device->keyWindow()));

    window.reset();
    EXPECT_TRUE(other->windows().empty()) << "a window that nobody keeps leaves its scene";
}

TEST_F(WindowSceneTest, ApplicationConnectsScenesWithTheirActivationStates) {
    auto& application = UIApplication::shared();
    ASSERT_EQ(application.connectedScenes().size(), 1u);
    EXPECT_EQ(application.connectedScenes().front(), device->scene());
    EXPECT_EQ(device->scene()->activationState(), UISceneActivationState::foregroundActive);

    const auto second = UIWindowScene::make();
    application.connect(second);
    application.connect(second);
    EXPECT_EQ(application.connectedScenes().size(), 2u) << "a scene connects once";
    EXPECT_EQ(second->activationState(), UISceneActivationState::foregroundInactive);

    for (const auto state : {UISceneActivationState::background, UISceneActivationState::foregroundActive}) {
        EXPECT_TRUE(device->setActivationState(state));
        EXPECT_EQ(device->scene()->activationState(), state);
    }
    EXPECT_THAT(stderrOf([&] { EXPECT_FALSE(device->setActivationState(static_cast<UISceneActivationState>(3))); }),
                HasSubstr("is not an activation state"));
    EXPECT_EQ(device->scene()->activationState(), UISceneActivationState::foregroundActive);

    application.disconnect(second);
    EXPECT_EQ(second->activationState(), UISceneActivationState::unattached);
    EXPECT_EQ(application.connectedScenes().size(), 1u);
}

TEST_F(WindowSceneTest, OverrideStyleFixesTheTraitsAndColoursOfTheWindowsViews) {
    const auto view = UIView::create<TraitRecordingView>(CGRect{0, 0, 10, 10});
    root->view()->addSubview(view);
    view->setBackgroundColor(UIColor([](const UITraitCollection& traits) {
        return traits.userInterfaceStyle() == UIUserInterfaceStyle::dark ? UIColor::white() : UIColor::black();
    }));
    view->updateTraitsIfNeeded();
    view->changes.clear();
    EXPECT_EQ(view->layer()->backgroundColor(), UIColor::black().cgColor());
    const auto window = device->keyWindow();

    window->setOverrideUserInterfaceStyle(UIUserInterfaceStyle::dark);
    EXPECT_EQ(window->traitCollection().userInterfaceStyle(), UIUserInterfaceStyle::dark);
    EXPECT_EQ(root->traitCollection().userInterfaceStyle(), UIUserInterfaceStyle::dark);
    EXPECT_THAT(view->changes, ElementsAre(UIUserInterfaceStyle::dark));
    EXPECT_EQ(view->layer()->backgroundColor(), UIColor::white().cgColor()) << "dynamic colours resolve again";

    device->setUserInterfaceStyle(UIUserInterfaceStyle::light);
    EXPECT_EQ(view->traitCollection().userInterfaceStyle(), UIUserInterfaceStyle::dark)
        << "the override wins over the device";
    window->setOverrideUserInterfaceStyle(UIUserInterfaceStyle::unspecified);
    EXPECT_EQ(view->traitCollection().userInterfaceStyle(), UIUserInterfaceStyle::light);
    EXPECT_EQ(view->layer()->backgroundColor(), UIColor::black().cgColor());
    EXPECT_THAT(view->changes, ElementsAre(UIUserInterfaceStyle::dark, UIUserInterfaceStyle::light));
}

TEST_F(WindowSceneTest, DeviceSafeAreaReachesEveryWindowAndBadInsetsAreRefused) {
    const auto window = UIWindow::make();
    EXPECT_EQ(window->safeAreaInsets(), (UIEdgeInsets{47, 0, 34, 0})) << "new windows take the device's insets";
    EXPECT_TRUE(device->setSafeAreaInsets({0, 59, 21, 59}));
    EXPECT_EQ(window->safeAreaInsets(), (UIEdgeInsets{0, 59, 21, 59}));
    EXPECT_EQ(root->view()->safeAreaInsets(), (UIEdgeInsets{0, 59, 21, 59}));

    const UIEdgeInsets bad[] = {
        {-1, 0, 0, 0}, {0, std::nan(""), 0, 0}, {0, 0, INFINITY, 0}, {500, 0, 400, 0}, {0, 200, 0, 190},
    };
    for (const auto& insets : bad) {
        const std::string message = stderrOf([&] { EXPECT_FALSE(device->setSafeAreaInsets(insets)); });
        EXPECT_FALSE(message.empty()) << "a refusal says why";
        EXPECT_EQ(window->safeAreaInsets(), (UIEdgeInsets{0, 59, 21, 59}));
    }
}

TEST_F(WindowSceneTest, WindowRunsALayoutPassOnTheNextTurnOfTheMainQueue) {
    const auto child = UIView::make();
    child->setTranslatesAutoresizingMaskIntoConstraints(false);
    root->view()->addSubview(child);
    NSLayoutConstraint::activate({
        child->widthAnchor().constraintEqualToConstant(100),
        child->heightAnchor().constraintEqualToConstant(40),
        child->centerXAnchor().constraintEqualTo(root->view()->centerXAnchor()),
        child->topAnchor().constraintEqualTo(root->view()->safeAreaLayoutGuide()->topAnchor()),
    });
    EXPECT_EQ(child->frame(), CGRect::zero()) << "constraints take effect at the next layout pass";
    drain();
    EXPECT_EQ(child->frame(), (CGRect{145, 47, 100, 40}));
}

// Leaves the process-wide device as it found it.
class DeviceOrientationTest : public UIKitTest {
protected:
    void TearDown() override {
        UIDevice::current().setOrientation(UIDeviceOrientation::portrait);
        UIDevice::current().setUserInterfaceIdiom(UIUserInterfaceIdiom::phone);
        UIScreen::main().setBounds({0, 0, 390, 844});
        UIKitTest::TearDown();
    }
};

TEST_F(DeviceOrientationTest, DeviceRefusesAnOrientationOutOfRangeAndNamesItsModel) {
    auto& device = UIDevice::current();
    EXPECT_EQ(device.orientation(), UIDeviceOrientation::portrait) << "a fresh device stands upright";
    EXPECT_TRUE(device.setOrientation(UIDeviceOrientation::landscapeRight));
    EXPECT_THAT(stderrOf([&] { EXPECT_FALSE(device.setOrientation(static_cast<UIDeviceOrientation>(9))); }),
                HasSubstr("9 is not a device orientation"));
    EXPECT_EQ(device.orientation(), UIDeviceOrientation::landscapeRight);

    EXPECT_EQ(device.model(), "iPhone");
    EXPECT_EQ(device.systemName(), "iOS");
    device.setUserInterfaceIdiom(UIUserInterfaceIdiom::pad);
    EXPECT_EQ(device.userInterfaceIdiom(), UIUserInterfaceIdiom::pad);
    EXPECT_EQ(device.model(), "iPad");
}

TEST_F(DeviceOrientationTest, ScreenRefusesBoundsWithoutRoom) {
    auto& screen = UIScreen::main();
    EXPECT_TRUE(screen.setBounds({0, 0, 430, 932}));
    const std::string messages = stderrOf([&] {
        EXPECT_FALSE(screen.setBounds({0, 0, 0, 932}));
        EXPECT_FALSE(screen.setBounds({0, 0, NAN, 932}));
        EXPECT_FALSE(screen.setScale(-2));
    });
    EXPECT_FALSE(messages.empty());
    EXPECT_EQ(screen.bounds(), (CGRect{0, 0, 430, 932}));
    EXPECT_EQ(screen.scale(), 3);
}

} // namespace
