#pragma once
#include "platform/uikit/UIDevice.hpp"

#include <functional>
#include <optional>
#include <string>

// Names of the device the SDK runs on: the hardware model identifier ("iPhone15,3") and the
// marketing name reported to the backend ("iPhone 14 Pro Max").
namespace vyd {

// The marketing name of this device, worked out once per process (thread-safe) from the
// machine field of uname: simulators are named "Simulator " and the name of the model they
// simulate, identifiers missing from the table stay as they are.
const std::string& modelName();

// Whether the screen has a cut-out at its top (or sides, in landscape), read every time from
// the application delegate's window and the current device's orientation; false when the
// application delegate keeps no window. `device` is not read: the current device decides.
bool hasNotch(const uikit::UIDevice& device);

namespace DeviceModel {

// The process environment variable in which a simulator names the model it simulates.
inline constexpr const char* simulatorModelIdentifierVariable = "SIMULATOR_MODEL_IDENTIFIER";

// Reads an environment variable; absent when it is not set.
using EnvironmentLookup = std::function<std::optional<std::string>(const std::string& name)>;
// The process environment.
std::optional<std::string> processEnvironment(const std::string& name);

// The machine field of uname, up to its terminating zero.
std::string unameMachine();
// The hardware identifier for a machine field: the simulated model on an Intel simulator
// ("i386", "x86_64"), else the machine field itself.
std::string modelIdentifier(const std::string& machine, const EnvironmentLookup& environment);
// The marketing name of an identifier (see modelName()).
std::string mapToDevice(const std::string& identifier, const EnvironmentLookup& environment);

} // namespace DeviceModel

} // namespace vyd
