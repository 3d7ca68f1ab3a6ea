#include "platform/uikit/UIDevice.hpp"

#include <iostream>

namespace uikit {

std::optional<UIDeviceOrientation> deviceOrientationFromRawValue(int rawValue) {
    if (rawValue < 0 || rawValue > 6) {
        return std::nullopt;
    }
    return static_cast<UIDeviceOrientation>(rawValue);
}

UIDevice& UIDevice::current() {
    static UIDevice device;
    return device;
}

bool UIDevice::setOrientation(UIDeviceOrientation orientation) {
    if (!deviceOrientationFromRawValue(rawValue(orientation))) {
        std::cerr << "UIDevice: " << rawValue(orientation)
                  << " is not a device orientation (0 unknown ... 6 face down); the orientation stays "
                  << rawValue(this->orientation()) << ".\n";
        return false;
    }
    orientation_.store(orientation);
    return true;
}

} // namespace uikit
