#include "sdk/uikit/DeviceModel.hpp"

#include "platform/uikit/UIApplication.hpp"
#include "platform/uikit/UIWindow.hpp"

#include <cstdlib>
#include <cstring>
#include <sys/utsname.h>
#include <unordered_map>

namespace vyd {

namespace {

struct Model {
    const char* name;
    std::initializer_list<const char*> identifiers;
};

// Newer devices are reported by their identifier until they are added here.
const std::unordered_map<std::string, std::string>& namesByIdentifier() {
    static const std::unordered_map<std::string, std::string> names = [] {
        const Model models[] = {
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
        std::unordered_map<std::string, std::string> byIdentifier;
        for (const Model& model : models) {
            for (const char* identifier : model.identifiers) {
                byIdentifier.emplace(identifier, model.name);
            }
        }
        return byIdentifier;
    }();
    return names;
}

bool isSimulatorMachine(const std::string& identifier) {
    return identifier == "i386" || identifier == "x86_64" || identifier == "arm64";
}

std::string nameFromTable(const std::string& identifier) {
    const auto& names = namesByIdentifier();
    const auto it = names.find(identifier);
    return it == names.end() ? identifier : it->second;
}

} // namespace

namespace DeviceModel {

std::optional<std::string> processEnvironment(const std::string& name) {
    const char* value = std::getenv(name.c_str()); // NOLINT(concurrency-mt-unsafe): read once per process
    return value ? std::optional<std::string>(value) : std::nullopt;
}

std::string unameMachine() {
    struct utsname info {};
    if (uname(&info) != 0) {
        return {};
    }
    return std::string(info.machine, strnlen(info.machine, sizeof info.machine));
}

std::string modelIdentifier(const std::string& machine, const EnvironmentLookup& environment) {
    if (machine == "i386" || machine == "x86_64") {
        return environment(simulatorModelIdentifierVariable).value_or("");
    }
    return machine;
}

std::string mapToDevice(const std::string& identifier, const EnvironmentLookup& environment) {
    if (isSimulatorMachine(identifier)) {
        // The simulated model is looked up in the table only: a variable that itself names a
        // simulator machine must not send the lookup round again.
        return "Simulator " + nameFromTable(environment(simulatorModelIdentifierVariable).value_or("iOS"));
    }
    return nameFromTable(identifier);
}

} // namespace DeviceModel

const std::string& modelName() {
    static const std::string name = [] {
        const DeviceModel::EnvironmentLookup environment = DeviceModel::processEnvironment;
        return DeviceModel::mapToDevice(DeviceModel::modelIdentifier(DeviceModel::unameMachine(), environment),
                                        environment);
    }();
    return name;
}

bool hasNotch(const uikit::UIDevice& /*device*/) {
    const auto delegate = uikit::UIApplication::shared().delegate();
    const auto* withWindow = dynamic_cast<const uikit::UIApplicationDelegateWindow*>(delegate.get());
    const auto window = withWindow ? withWindow->window() : nullptr;
    if (!window) {
        return false;
    }
    const uikit::UIEdgeInsets insets = window->safeAreaInsets();
    switch (uikit::UIDevice::current().orientation()) {
    case uikit::UIDeviceOrientation::unknown:
    case uikit::UIDeviceOrientation::portrait:
        return insets.top > 20;
    default:
        return insets.left > 0 || insets.right > 0;
    }
}

} // namespace vyd
