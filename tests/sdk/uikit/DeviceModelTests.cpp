#include "sdk/uikit/DeviceModel.hpp"

#include "platform/testing/SimulatedDevice.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using uikit::UIDeviceOrientation;
using vyd::DeviceModel::mapToDevice;

vyd::DeviceModel::EnvironmentLookup environment(std::optional<std::string> simulatedModel) {
    return [simulatedModel](const std::string& name) -> std::optional<std::string> {
        return name == "SIMULATOR_MODEL_IDENTIFIER" ? simulatedModel : std::nullopt;
    };
}

TEST(DeviceModelTest, KnownIdentifiersGiveTheirNameOthersStayAndSimulatorsAreNamedAfterTheirModel) {
    const std::tuple<const char*, std::optional<std::string>, const char*> cases[] = {
        {"x86_64", "iPhone15,3", "iPhone 14 Pro Max"},
        {"x86_64", std::nullopt, ""},
        {"arm64", "iPhone15,3", "Simulator iPhone 14 Pro Max"},
        {"arm64", std::nullopt, "Simulator iOS"},
        {"iPhone14,7", "iPhone15,3", "iPhone 14"},
        // A variable naming a simulator machine is taken as it is, not looked up again for ever.
        {"arm64", "arm64", "Simulator arm64"},
    };
    for (const auto& [machine, variable, name] : cases) {
        const auto lookup = environment(variable);
        EXPECT_EQ(mapToDevice(vyd::DeviceModel::modelIdentifier(machine, lookup), lookup), name)
            << machine << " / " << variable.value_or("(unset)");
    }

    // Known identifiers give their name; unknown ones stay as they are.
    const auto exact = environment("iPhone15,3");
    EXPECT_EQ(mapToDevice("iPhone15,3", exact), "iPhone 14 Pro Max");
    EXPECT_EQ(mapToDevice("iPod9,1", exact), "iPod touch (7th generation)");
    for (const char* identifier : {"iPhone16,1", "", "iphone15,3", "iPhone15,3 ", "AppleTV5,3"}) {
        EXPECT_EQ(mapToDevice(identifier, exact), identifier) << "matching is exact";
    }
}

TEST(HasNotchTest, NeedsTheDelegateWindowAndInPortraitATopInsetAboveTwentyElseASideInset) {
    testing::SimulatedDevice device;
    device.setSafeAreaInsets({59, 0, 34, 0});
    EXPECT_FALSE(vyd::hasNotch(uikit::UIDevice::current())) << "no application delegate";
    device.setApplicationDelegateWithoutWindow();
    EXPECT_FALSE(vyd::hasNotch(uikit::UIDevice::current())) << "windows kept by scene delegates";
    device.setApplicationDelegateWindow();
    EXPECT_TRUE(vyd::hasNotch(uikit::UIDevice::current()));
    const std::tuple<UIDeviceOrientation, uikit::UIEdgeInsets, bool> cases[] = {
        {UIDeviceOrientation::portrait, {20, 0, 0, 0}, false},
        {UIDeviceOrientation::landscapeLeft, {0, 0, 21, 0}, false},
        {UIDeviceOrientation::landscapeRight, {0, 0, 21, 47}, true},
    };
    for (const auto& [orientation, insets, notch] : cases) {
        ASSERT_TRUE(device.setOrientation(orientation));
        ASSERT_TRUE(device.setSafeAreaInsets(insets));
        EXPECT_EQ(vyd::hasNotch(uikit::UIDevice::current()), notch) << uikit::rawValue(orientation);
    }
}

} // namespace
