#include "sdk/uikit/DeviceModel.hpp"

#include "platform/testing/SimulatedDevice.hpp"
#include "platform/uikit/UIWindow.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

using uikit::UIDeviceOrientation;
using vyd::DeviceModel::EnvironmentLookup;

EnvironmentLookup environment(std::optional<std::string> simulatedModel) {
    return [simulatedModel](const std::string& name) -> std::optional<std::string> {
        return name == "SIMULATOR_MODEL_IDENTIFIER" ? simulatedModel : std::nullopt;
    };
}

TEST(DeviceModelTest, KnownIdentifiersGiveANameOfTheirFamilyAndUnknownOnesStayAsTheyAre) {
    const auto lookup = environment(std::nullopt);
    std::map<std::string, std::string> firstIdentifierByName;
    for (const std::string family : {"iPod", "iPhone", "iPad"}) {
        for (int major = 1; major <= 20; ++major) {
            for (int minor = 1; minor <= 14; ++minor) {
                const std::string identifier = family + std::to_string(major) + "," + std::to_string(minor);
                const std::string name = vyd::DeviceModel::mapToDevice(identifier, lookup);
                if (name == identifier)
                    continue;
                EXPECT_EQ(name.rfind(family + (family == "iPod" ? " touch" : ""), 0), 0u)
                    << identifier << " -> " << name;
                firstIdentifierByName.emplace(name, identifier);
            }
        }
    }
    // Every model of the table is reached, none under two names.
    EXPECT_EQ(firstIdentifierByName.size(), 65u);
    for (const auto& [identifier, name] :
         std::vector<std::pair<const char*, const char*>>{{"iPhone15,3", "iPhone 14 Pro Max"},
                                                          {"iPhone3,3", "iPhone 4"},
                                                          {"iPhone12,8", "iPhone SE (2nd generation)"},
                                                          {"iPad13,11", "iPad Pro (12.9-inch) (5th generation)"},
                                                          {"iPod9,1", "iPod touch (7th generation)"}}) {
        EXPECT_EQ(vyd::DeviceModel::mapToDevice(identifier, lookup), name);
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
