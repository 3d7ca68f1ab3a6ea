#include "sdk/uikit/DeviceModel.hpp"

#include "platform/testing/SimulatedDevice.hpp"
#include "platform/uikit/UIWindow.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace {

using uikit::UIDeviceOrientation;
using vyd::DeviceModel::EnvironmentLookup;

// The marketing names with their hardware identifiers, as the product documents them.
struct Row {
    const char* name;
    std::vector<const char*> identifiers;
};

const std::vector<Row> documentedTable = {
    {"iPod touch (5th generation)", {"iPod5,1"}},
    {"iPod touch (6th generation)", {"iPod7,1"}},
    {"iPod touch (7th generation)", {"iPod9,1"}},
    {"iPhone 4", {"iPhone3,1", "iPhone3,2", "iPhone3,3"}},
    {"iPhone 4s", {"iPhone4,1"}},
    {"iPhone 5", {"iPhone5,1", "iPhone5,2"}},
    {"iPhone 5c", {"iPhone5,3", "iPhone5,4"}},
    {"iPhone 5s", {"iPhone6,1", "iPhone6,2"}},
    {"iPhone 6", {"iPhone7,2"}},
    {"iPhone 6 Plus", {"iPhone7,1"}},
    {"iPhone 6s", {"iPhone8,1"}},
    {"iPhone 6s Plus", {"iPhone8,2"}},
    {"iPhone SE", {"iPhone8,4"}},
    {"iPhone 7", {"iPhone9,1", "iPhone9,3"}},
    {"iPhone 7 Plus", {"iPhone9,2", "iPhone9,4"}},
    {"iPhone 8", {"iPhone10,1", "iPhone10,4"}},
    {"iPhone 8 Plus", {"iPhone10,2", "iPhone10,5"}},
    {"iPhone X", {"iPhone10,3", "iPhone10,6"}},
    {"iPhone XS", {"iPhone11,2"}},
    {"iPhone XS Max", {"iPhone11,4", "iPhone11,6"}},
    {"iPhone XR", {"iPhone11,8"}},
    {"iPhone 11", {"iPhone12,1"}},
    {"iPhone 11 Pro", {"iPhone12,3"}},
    {"iPhone 11 Pro Max", {"iPhone12,5"}},
    {"iPhone SE (2nd generation)", {"iPhone12,8"}},
    {"iPhone 12 mini", {"iPhone13,1"}},
    {"iPhone 12", {"iPhone13,2"}},
    {"iPhone 12 Pro", {"iPhone13,3"}},
    {"iPhone 12 Pro Max", {"iPhone13,4"}},
    {"iPhone 13 mini", {"iPhone14,4"}},
    {"iPhone 13", {"iPhone14,5"}},
    {"iPhone 13 Pro", {"iPhone14,2"}},
    {"iPhone 13 Pro Max", {"iPhone14,3"}},
    {"iPhone 14", {"iPhone14,7"}},
    {"iPhone 14 Plus", {"iPhone14,8"}},
    {"iPhone 14 Pro", {"iPhone15,2"}},
    {"iPhone 14 Pro Max", {"iPhone15,3"}},
    {"iPad 2", {"iPad2,1", "iPad2,2", "iPad2,3", "iPad2,4"}},
    {"iPad (3rd generation)", {"iPad3,1", "iPad3,2", "iPad3,3"}},
    {"iPad (4th generation)", {"iPad3,4", "iPad3,5", "iPad3,6"}},
    {"iPad (5th generation)", {"iPad6,11", "iPad6,12"}},
    {"iPad (6th generation)", {"iPad7,5", "iPad7,6"}},
    {"iPad (7th generation)", {"iPad7,11", "iPad7,12"}},
    {"iPad (8th generation)", {"iPad11,6", "iPad11,7"}},
    {"iPad (9th generation)", {"iPad12,1", "iPad12,2"}},
    {"iPad Air", {"iPad4,1", "iPad4,2", "iPad4,3"}},
    {"iPad Air 2", {"iPad5,3", "iPad5,4"}},
    {"iPad Air (3rd generation)", {"iPad11,3", "iPad11,4"}},
    {"iPad Air (4th generation)", {"iPad13,1", "iPad13,2"}},
    {"iPad mini", {"iPad2,5", "iPad2,6", "iPad2,7"}},
    {"iPad mini 2", {"iPad4,4", "iPad4,5", "iPad4,6"}},
    {"iPad mini 3", {"iPad4,7", "iPad4,8", "iPad4,9"}},
    {"iPad mini 4", {"iPad5,1", "iPad5,2"}},
    {"iPad mini (5th generation)", {"iPad11,1", "iPad11,2"}},
    {"iPad mini (6th generation)", {"iPad14,1", "iPad14,2"}},
    {"iPad Pro (9.7-inch)", {"iPad6,3", "iPad6,4"}},
    {"iPad Pro (10.5-inch)", {"iPad7,3", "iPad7,4"}},
    {"iPad Pro (11-inch) (1st generation)", {"iPad8,1", "iPad8,2", "iPad8,3", "iPad8,4"}},
    {"iPad Pro (11-inch) (2nd generation)", {"iPad8,9", "iPad8,10"}},
    {"iPad Pro (11-inch) (3rd generation)", {"iPad13,4", "iPad13,5", "iPad13,6", "iPad13,7"}},
    {"iPad Pro (12.9-inch) (1st generation)", {"iPad6,7", "iPad6,8"}},
    {"iPad Pro (12.9-inch) (2nd generation)", {"iPad7,1", "iPad7,2"}},
    {"iPad Pro (12.9-inch) (3rd generation)", {"iPad8,5", "iPad8,6", "iPad8,7", "iPad8,8"}},
    {"iPad Pro (12.9-inch) (4th generation)", {"iPad8,11", "iPad8,12"}},
    {"iPad Pro (12.9-inch) (5th generation)", {"iPad13,8", "iPad13,9", "iPad13,10", "iPad13,11"}},
};

EnvironmentLookup environment(std::optional<std::string> simulatedModel) {
    return [simulatedModel](const std::string& name) -> std::optional<std::string> {
        return name == "SIMULATOR_MODEL_IDENTIFIER" ? simulatedModel : std::nullopt;
    };
}

TEST(DeviceModelTest, EveryDocumentedIdentifierMapsToItsNameAndUnknownOnesStayAsTheyAre) {
    for (const auto& row : documentedTable) {
        for (const char* identifier : row.identifiers) {
            EXPECT_EQ(vyd::DeviceModel::mapToDevice(identifier, environment(std::nullopt)), row.name) << identifier;
        }
    }
    // Matching is exact.
    for (const char* identifier : {"iPhone16,1", "", "iphone15,3", "iPhone15,3 ", "iPad1,1", "AppleTV5,3"}) {
        EXPECT_EQ(vyd::DeviceModel::mapToDevice(identifier, environment("iPhone15,3")), identifier) << identifier;
    }
}

TEST(DeviceModelTest, SimulatorsAreNamedAfterTheModelTheySimulate) {
    struct Case {
        const char* machine;
        std::optional<std::string> variable;
        const char* name;
    };
    const Case cases[] = {
        {"x86_64", "iPhone15,3", "iPhone 14 Pro Max"},
        {"i386", "iPhone15,3", "iPhone 14 Pro Max"},
        {"x86_64", std::nullopt, ""},
        {"arm64", "iPhone15,3", "Simulator iPhone 14 Pro Max"},
        {"arm64", std::nullopt, "Simulator iOS"},
        {"arm64", "iPhone99,1", "Simulator iPhone99,1"},
        {"iPhone14,7", "iPhone15,3", "iPhone 14"},
        // A variable that itself names a simulator machine is taken as it is instead of being
        // looked up again for ever.
        {"arm64", "arm64", "Simulator arm64"},
        {"x86_64", "x86_64", "Simulator x86_64"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.machine) + " / " + c.variable.value_or("(unset)"));
        const auto lookup = environment(c.variable);
        EXPECT_EQ(vyd::DeviceModel::mapToDevice(vyd::DeviceModel::modelIdentifier(c.machine, lookup), lookup), c.name);
    }
}

TEST(DeviceModelTest, ModelNameIsWorkedOutOnceFromThisMachineAndItsEnvironment) {
    const std::string machine = vyd::DeviceModel::unameMachine();
    if (machine != "x86_64" && machine != "i386") {
        GTEST_SKIP() << "only an Intel machine reads the simulated model, this is " << machine;
    }
    // A fresh process, run as the simulator of an iPhone 14 Pro Max.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            setenv("SIMULATOR_MODEL_IDENTIFIER", "iPhone15,3", 1);
            const std::string& first = vyd::modelName();
            std::cerr << first << (&vyd::modelName() == &first ? " once" : " again") << std::endl;
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "iPhone 14 Pro Max once");
}

TEST(HasNotchTest, NeedsTheDelegateWindowAndInPortraitATopInsetAboveTwentyElseASideInset) {
    testing::SimulatedDevice device;
    device.setSafeAreaInsets({59, 0, 34, 0});
    EXPECT_FALSE(vyd::hasNotch(uikit::UIDevice::current())) << "no application delegate";
    device.setApplicationDelegateWithoutWindow();
    EXPECT_FALSE(vyd::hasNotch(uikit::UIDevice::current())) << "windows kept by scene delegates";
    device.setApplicationDelegateWindow();
    EXPECT_TRUE(vyd::hasNotch(uikit::UIDevice::current()));

    struct Case {
        UIDeviceOrientation orientation;
        uikit::UIEdgeInsets insets;
        bool notch;
    };
    const Case cases[] = {
        {UIDeviceOrientation::portrait, {47, 0, 34, 0}, true},
        {UIDeviceOrientation::portrait, {20, 0, 0, 0}, false},
        {UIDeviceOrientation::portrait, {20.5, 0, 0, 0}, true},
        {UIDeviceOrientation::unknown, {44, 0, 34, 0}, true},
        {UIDeviceOrientation::unknown, {20, 47, 0, 47}, false},
        {UIDeviceOrientation::landscapeLeft, {0, 0, 21, 0}, false},
        {UIDeviceOrientation::landscapeLeft, {0, 47, 21, 0}, true},
        {UIDeviceOrientation::landscapeRight, {0, 0, 21, 47}, true},
        {UIDeviceOrientation::portraitUpsideDown, {47, 0, 34, 0}, false},
        {UIDeviceOrientation::faceUp, {0, 1, 0, 0}, true},
        {UIDeviceOrientation::faceDown, {47, 0, 0, 0}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(uikit::rawValue(c.orientation));
        ASSERT_TRUE(device.setOrientation(c.orientation));
        ASSERT_TRUE(device.setSafeAreaInsets(c.insets));
        EXPECT_EQ(vyd::hasNotch(uikit::UIDevice::current()), c.notch);
    }
}

} // namespace
