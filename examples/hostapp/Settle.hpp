#pragma once

#include "platform/foundation/Dispatch.hpp"
#include "platform/testing/SimulatedDevice.hpp"
#include "platform/uikit/UIViewController.hpp"

namespace hostapp {

// Runs the main queue until no presentation or dismissal is under way on the device's screen.
inline void settle(const testing::SimulatedDevice& device) {
    foundation::RunLoop::main().runUntil(
        [&] {
            for (auto controller = device.rootViewController(); controller;
                 controller = controller->presentedViewController()) {
                if (controller->isBeingPresented() || controller->isBeingDismissed()) {
                    return false;
                }
            }
            return true;
        },
        5.0);
    foundation::RunLoop::main().runUntilIdle();
}

} // namespace hostapp
