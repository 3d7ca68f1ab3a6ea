#include "platform/foundation/Dispatch.hpp"
#include "platform/foundation/NotificationCenter.hpp"
#include "platform/testing/SimulatedDevice.hpp"
#include "platform/testing/SimulatedKeyboard.hpp"
#include "platform/uikit/UIKeyboard.hpp"
#include "platform/uikit/UIScreen.hpp"
#include "platform/uikit/UIView.hpp"
#include "platform/uikit/UIViewController.hpp"
#include "platform/uikit/UIWindow.hpp"
#include "platform/uikit/UIWindowScene.hpp"

#include "support/ManualClock.hpp"

#include <gtest/gtest.h>

using namespace uikit;
using coregraphics::CGRect;

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
        EXPECT_TRUE(device.keyWindow()->isKeyWindow());
        EXPECT_EQ(device.keyWindow()->safeAreaInsets(), (UIEdgeInsets{59, 0, 34, 0}));
        EXPECT_EQ(UIDevice::current().orientation(), UIDeviceOrientation::landscapeLeft);
        EXPECT_EQ(device.userInterfaceStyle(), UIUserInterfaceStyle::dark);
        ASSERT_NE(device.rootViewController(), nullptr);
        EXPECT_TRUE(device.rootViewController()->isAppeared());
        EXPECT_EQ(device.scene()->activationState(), UISceneActivationState::foregroundActive);
    }
    EXPECT_EQ(UIScreen::main().bounds(), (CGRect{0, 0, 390, 844}));
    EXPECT_EQ(UIWindow::deviceSafeAreaInsets(), UIEdgeInsets::zero());
    EXPECT_EQ(UIDevice::current().orientation(), UIDeviceOrientation::portrait);
    EXPECT_EQ(UITraitCollection::current().userInterfaceStyle(), UIUserInterfaceStyle::light);
    EXPECT_TRUE(UIApplication::shared().connectedScenes().empty());
    EXPECT_TRUE(UIApplication::shared().installedURLSchemes().empty());
    EXPECT_EQ(UIApplication::shared().keyWindow(), nullptr);
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
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(std::tuple(notes[0].end, notes[0].duration), std::tuple(CGRect{0, 844 - 336, 390, 336}, 0.25));
    foundation::Clock::advance(0.25);
    EXPECT_EQ(notes.size(), 2u) << "the keyboard has shown once its animation has run";
    testing::SimulatedKeyboard::hide();
    foundation::Clock::advance(0.25);
    ASSERT_EQ(notes.size(), 4u);
    EXPECT_EQ(notes[2].end, (CGRect{0, 844, 390, 336})) << "the keyboard ends below the screen";
    std::vector<std::string> names;
    for (const auto& note : notes) {
        names.push_back(note.name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"UIKeyboardWillShowNotification", "UIKeyboardDidShowNotification",
                                               "UIKeyboardWillHideNotification", "UIKeyboardDidHideNotification"}));

    for (const auto& token : tokens) {
        center.removeObserver(token);
    }
}

} // namespace
