#include "platform/uikit/UIScene.hpp"

#include <iostream>

namespace uikit {

std::optional<UISceneActivationState> sceneActivationStateFromRawValue(int rawValue) {
    if (rawValue < -1 || rawValue > 2) {
        return std::nullopt;
    }
    return static_cast<UISceneActivationState>(rawValue);
}

bool UIScene::setActivationState(UISceneActivationState state) {
    if (!sceneActivationStateFromRawValue(rawValue(state))) {
        std::cerr << "UIScene: " << rawValue(state)
                  << " is not an activation state (-1 unattached ... 2 background); the state stays "
                  << rawValue(activationState_) << ".\n";
        return false;
    }
    activationState_ = state;
    return true;
}

} // namespace uikit
