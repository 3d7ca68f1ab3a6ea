#include "platform/foundation/Dispatch.hpp"
#include "platform/foundation/NotificationCenter.hpp"
#include "platform/testing/SimulatedDevice.hpp"
#include "platform/testing/SimulatedKeyboard.hpp"
#include "platform/uikit/UIGestureRecognizer.hpp"
#include "platform/uikit/UIKeyboard.hpp"
#include "platform/uikit/UIPresentationController.hpp"
#include "platform/uikit/UIScreen.hpp"
#include "platform/uikit/UIView.hpp"
#include "platform/uikit/UIViewController.hpp"
#include "platform/uikit/UIWindow.hpp"
#include "platform/uikit/UIWindowScene.hpp"

#include "support/ManualClock.hpp"
#include <gmock/gmock.h>

#include <gtest/gtest.h>

#include <optional>

using namespace uikit;
using coregraphics::CGRect;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

using DeviceSimulationTest = testsupport::ManualClockTest;

struct KeyboardNote {
    std::string name;
    CGRect end;
    double duration = 0;
};

TEST_F(DeviceSimulationTest, DeviceSetsThePlatformUpAndPutsItBack) {
    {
        testing::SimulatedDevice::Configuration configuration;
        configuration.screenSize = {430, 932};
        configuration.safeAreaInsets = {59, 0, 34, 0};
        configuration.orientation = UIDeviceOrientation::landscapeLeft;
        configuration.style = UIUserInterfaceStyle::dark;
        testing::SimulatedDevice device(configuration);
        device.installApp("vybank");

        EXPECT_EQ(UIScreen::main().bounds(), (CGRect{0, 0, 430, 932}));
        EXPECT_EQ(device.keyWindow()->frame(), (CGRect{0, 0, 430, 932}));
        EXPECT_TRUE(device.keyWindow()->isKeyWindow());
        EXPECT_FALSE(device.keyWindow()->isHidden());
        EXPECT_EQ(device.keyWindow()->safeAreaInsets(), (UIEdgeInsets{59, 0, 34, 0}));
        EXPECT_EQ(UIDevice::current().orientation(), UIDeviceOrientation::landscapeLeft);
        EXPECT_EQ(device.userInterfaceStyle(), UIUserInterfaceStyle::dark);
        ASSERT_NE(device.rootViewController(), nullptr);
        EXPECT_TRUE(device.rootViewController()->isAppeared());
        EXPECT_EQ(device.topViewController(), device.rootViewController());
        EXPECT_EQ(device.scene()->activationState(), UISceneActivationState::foregroundActive);
        EXPECT_EQ(UIApplication::shared().connectedScenes().size(), 1u);
    }
    EXPECT_EQ(UIScreen::main().bounds(), (CGRect{0, 0, 390, 844}));
    EXPECT_EQ(UIWindow::deviceSafeAreaInsets(), UIEdgeInsets::zero());
    EXPECT_EQ(UIDevice::current().orientation(), UIDeviceOrientation::portrait);
    EXPECT_EQ(UITraitCollection::current().userInterfaceStyle(), UIUserInterfaceStyle::light);
    EXPECT_TRUE(UIApplication::shared().connectedScenes().empty());
    EXPECT_TRUE(UIApplication::shared().installedURLSchemes().empty());
    EXPECT_EQ(UIApplication::shared().keyWindow(), nullptr);
}

TEST_F(DeviceSimulationTest, DeviceOpensOnlyInstalledSchemes) {
    testing::SimulatedDevice device;
    device.installApp("vybank");
    auto& application = UIApplication::shared();
    std::vector<bool> outcomes;
    for (const char* text : {"vybank://auth", "vybankbeta://auth", "https://vy.example/login"}) {
        application.open(*foundation::URL::string(text), {}, [&](bool opened) { outcomes.push_back(opened); });
    }
    testing::SimulatedDevice::settle();
    EXPECT_THAT(outcomes, ElementsAre(true, false, true));
    const auto opened = device.openedURLs();
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0].absoluteString(), "vybank://auth");
    EXPECT_EQ(opened[1].absoluteString(), "https://vy.example/login");
}

TEST_F(DeviceSimulationTest, AppearanceSwitchResolvesDynamicColoursAgain) {
    testing::SimulatedDevice device;
    const UIColor dynamic([](const UITraitCollection& traits) {
        return traits.userInterfaceStyle() == UIUserInterfaceStyle::dark ? UIColor::black() : UIColor::white();
    });
    const auto view = UIView::make({0, 0, 10, 10});
    device.rootViewController()->view()->addSubview(view);
    view->setBackgroundColor(dynamic);
    EXPECT_EQ(view->layer()->backgroundColor(), UIColor::white().cgColor());

    device.setUserInterfaceStyle(UIUserInterfaceStyle::dark);
    EXPECT_EQ(view->traitCollection().userInterfaceStyle(), UIUserInterfaceStyle::dark);
    EXPECT_EQ(view->layer()->backgroundColor(), UIColor::black().cgColor());
    device.setUserInterfaceStyle(UIUserInterfaceStyle::light);
    EXPECT_EQ(view->layer()->backgroundColor(), UIColor::white().cgColor());
}

TEST_F(DeviceSimulationTest, KeyboardPostsThePlatformNotificationsWithFramesAndDuration) {
    testing::SimulatedDevice device;
    std::vector<KeyboardNote> notes;
    auto& center = foundation::NotificationCenter::defaultCenter();
    std::vector<foundation::NotificationToken> tokens;
    for (const auto& name : {UIKeyboard::willShowNotification, UIKeyboard::didShowNotification,
                             UIKeyboard::willHideNotification, UIKeyboard::didHideNotification}) {
        tokens.push_back(center.addObserver(name, nullptr, [&](const foundation::Notification& note) {
            const auto* end = note.userInfoValue<CGRect>(UIKeyboard::frameEndUserInfoKey);
            const auto* duration = note.userInfoValue<double>(UIKeyboard::animationDurationUserInfoKey);
            notes.push_back({note.name, end ? *end : CGRect::zero(), duration ? *duration : -1});
        }));
    }

    testing::SimulatedKeyboard::hide();
    EXPECT_TRUE(notes.empty()) << "a keyboard that is down does not hide";
    testing::SimulatedKeyboard::show();
    EXPECT_TRUE(testing::SimulatedKeyboard::isVisible());
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].name, "UIKeyboardWillShowNotification");
    EXPECT_EQ(notes[0].end, (CGRect{0, 844 - 336, 390, 336}));
    EXPECT_DOUBLE_EQ(notes[0].duration, 0.25);
    foundation::Clock::advance(0.25);
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[1].name, "UIKeyboardDidShowNotification");

    testing::SimulatedKeyboard::hide();
    foundation::Clock::advance(0.25);
    ASSERT_EQ(notes.size(), 4u);
    EXPECT_EQ(notes[2].name, "UIKeyboardWillHideNotification");
    EXPECT_EQ(notes[2].end, (CGRect{0, 844, 390, 336})) << "the keyboard ends below the screen";
    EXPECT_EQ(notes[3].name, "UIKeyboardDidHideNotification");
    EXPECT_FALSE(testing::SimulatedKeyboard::isVisible());
    EXPECT_EQ(testing::SimulatedKeyboard::height(), 0);

    for (const auto& token : tokens) {
        center.removeObserver(token);
    }
}

TEST_F(DeviceSimulationTest, BackdropTapHitsTheContainerOutsideThePresentedView) {
    testing::SimulatedDevice device;
    const auto presented = UIViewController::make();
    presented->setModalPresentationStyle(UIModalPresentationStyle::pageSheet);
    device.rootViewController()->present(presented, false);
    int backdropTaps = 0;
    int sheetTaps = 0;
    const auto container = presented->presentationController()->containerView();
    container->addGestureRecognizer(UITapGestureRecognizer::make([&](UIGestureRecognizer&) { ++backdropTaps; }));
    presented->view()->addGestureRecognizer(UITapGestureRecognizer::make([&](UIGestureRecognizer&) { ++sheetTaps; }));

    EXPECT_EQ(testing::SimulatedBackdrop::tap(presented), container);
    EXPECT_EQ(backdropTaps, 1);
    EXPECT_EQ(sheetTaps, 0);
    EXPECT_EQ(device.topViewController(), presented);

    const auto fullScreen = UIViewController::make();
    fullScreen->setModalPresentationStyle(UIModalPresentationStyle::overFullScreen);
    presented->present(fullScreen, false);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(testing::SimulatedBackdrop::tap(fullScreen), nullptr);
    EXPECT_EQ(testing::SimulatedBackdrop::tap(UIViewController::make()), nullptr);
    const std::string messages = ::testing::internal::GetCapturedStderr();
    EXPECT_THAT(messages, HasSubstr("covers its whole container"));
    EXPECT_THAT(messages, HasSubstr("is not presented"));
}

} // namespace
