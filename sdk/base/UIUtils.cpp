#include "sdk/base/UIUtils.hpp"

#include "platform/uikit/UIApplication.hpp"
#include "platform/uikit/UIWindow.hpp"
#include "platform/uikit/UIWindowScene.hpp"

namespace vyd {
namespace {

std::shared_ptr<uikit::UIWindow> firstKeyWindow(bool activeScenesOnly) {
    for (const auto& scene : uikit::UIApplication::shared().connectedScenes()) {
        const auto windowScene = std::dynamic_pointer_cast<uikit::UIWindowScene>(scene);
        if (!windowScene ||
            (activeScenesOnly && windowScene->activationState() != uikit::UISceneActivationState::foregroundActive)) {
            continue;
        }
        for (const auto& window : windowScene->windows()) {
            if (window->isKeyWindow()) {
                return window;
            }
        }
    }
    return nullptr;
}

} // namespace

std::shared_ptr<uikit::UIWindow> UIUtils::currentKeyWindow() { return firstKeyWindow(false); }

std::shared_ptr<uikit::UIWindow> UIUtils::currentActiveKeyWindow() { return firstKeyWindow(true); }

} // namespace vyd
