#pragma once

// A scene: one instance of the app's user interface, connected to the application
// (UIApplication::connectedScenes) with an activation state. The simulated device connects a
// window scene and moves it between states. Main thread only.

#include <memory>
#include <optional>
#include <string>

namespace uikit {

// The platform's raw values.
enum class UISceneActivationState : int {
    unattached = -1,
    foregroundActive = 0,
    foregroundInactive = 1,
    background = 2,
};

constexpr int rawValue(UISceneActivationState state) { return static_cast<int>(state); }
std::optional<UISceneActivationState> sceneActivationStateFromRawValue(int rawValue);

class UIScene : public std::enable_shared_from_this<UIScene> {
public:
    virtual ~UIScene() = default;
    UIScene(const UIScene&) = delete;
    UIScene& operator=(const UIScene&) = delete;

    // Unattached until the application connects the scene.
    UISceneActivationState activationState() const { return activationState_; }
    // A state outside the platform's values is refused with a message on standard error.
    bool setActivationState(UISceneActivationState state);

    const std::string& title() const { return title_; }
    void setTitle(std::string title) { title_ = std::move(title); }

protected:
    UIScene() = default;

private:
    UISceneActivationState activationState_ = UISceneActivationState::unattached;
    std::string title_;
};

} // namespace uikit
