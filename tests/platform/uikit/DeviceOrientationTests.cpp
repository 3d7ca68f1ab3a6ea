#include "platform/uikit/UIDevice.hpp"
#include "platform/uikit/UIScreen.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

using namespace uikit;
using coregraphics::CGRect;
using ::testing::HasSubstr;

namespace {

// Leaves the process-wide device as it found it.
class DeviceOrientationTest : public ::testing::Test {
protected:
    void TearDown() override {
        UIDevice::current().setOrientation(UIDeviceOrientation::portrait);
        UIDevice::current().setUserInterfaceIdiom(UIUserInterfaceIdiom::phone);
        UIScreen::main().setBounds({0, 0, 390, 844});
    }
};

TEST_F(DeviceOrientationTest, RawValuesAreThePlatformsAndOthersHaveNoOrientation) {
    for (int raw = 0; raw <= 6; ++raw) {
        const auto orientation = deviceOrientationFromRawValue(raw);
        ASSERT_TRUE(orientation.has_value()) << raw;
        EXPECT_EQ(rawValue(*orientation), raw);
    }
    EXPECT_EQ(rawValue(UIDeviceOrientation::landscapeLeft), 3);
    EXPECT_EQ(rawValue(UIDeviceOrientation::faceDown), 6);
    EXPECT_FALSE(deviceOrientationFromRawValue(-1).has_value());
    EXPECT_FALSE(deviceOrientationFromRawValue(7).has_value());
}

TEST_F(DeviceOrientationTest, OrientationOutOfRangeIsRefusedWithAMessage) {
    auto& device = UIDevice::current();
    EXPECT_EQ(device.orientation(), UIDeviceOrientation::portrait) << "a fresh device stands upright";
    EXPECT_TRUE(device.setOrientation(UIDeviceOrientation::landscapeRight));
    EXPECT_EQ(device.orientation(), UIDeviceOrientation::landscapeRight);

    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(device.setOrientation(static_cast<UIDeviceOrientation>(9)));
    EXPECT_THAT(::testing::internal::GetCapturedStderr(), HasSubstr("9 is not a device orientation"));
    EXPECT_EQ(device.orientation(), UIDeviceOrientation::landscapeRight);
}

TEST_F(DeviceOrientationTest, IdiomNamesTheModel) {
    auto& device = UIDevice::current();
    EXPECT_EQ(device.model(), "iPhone");
    EXPECT_EQ(device.systemName(), "iOS");
    device.setUserInterfaceIdiom(UIUserInterfaceIdiom::pad);
    EXPECT_EQ(device.userInterfaceIdiom(), UIUserInterfaceIdiom::pad);
    EXPECT_EQ(device.model(), "iPad");
}

TEST_F(DeviceOrientationTest, ScreenRefusesBoundsWithoutRoom) {
    auto& screen = UIScreen::main();
    EXPECT_TRUE(screen.setBounds({0, 0, 430, 932}));
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(screen.setBounds({0, 0, 0, 932}));
    EXPECT_FALSE(screen.setBounds({0, 0, NAN, 932}));
    EXPECT_FALSE(screen.setScale(-2));
    EXPECT_FALSE(::testing::internal::GetCapturedStderr().empty());
    EXPECT_EQ(screen.bounds(), (CGRect{0, 0, 430, 932}));
    EXPECT_EQ(screen.scale(), 3);
}

} // namespace
