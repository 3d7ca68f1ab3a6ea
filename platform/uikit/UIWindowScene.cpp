#include "platform/uikit/UIWindowScene.hpp"

#include "platform/uikit/UIScreen.hpp"
#include "platform/uikit/UIWindow.hpp"

#include <algorithm>

namespace uikit {

std::shared_ptr<UIWindowScene> UIWindowScene::make() { return std::make_shared<UIWindowScene>(); }

std::vector<std::shared_ptr<UIWindow>> UIWindowScene::windows() const {
    std::vector<std::shared_ptr<UIWindow>> live;
    for (const auto& weak : windows_) {
        if (auto window = weak.lock()) {
            live.push_back(std::move(window));
        }
    }
    return live;
}

std::shared_ptr<UIWindow> UIWindowScene::keyWindow() const {
    for (const auto& window : windows()) {
        if (window->isKeyWindow()) {
            return window;
        }
    }
    return nullptr;
}

UIScreen& UIWindowScene::screen() const { return UIScreen::main(); }

void UIWindowScene::attach(const std::shared_ptr<UIWindow>& window) {
    detach(window.get());
    windows_.push_back(window);
}

void UIWindowScene::detach(const UIWindow* window) {
    std::erase_if(windows_, [window](const std::weak_ptr<UIWindow>& weak) {
        const auto live = weak.lock();
        return !live || live.get() == window;
    });
}

} // namespace uikit
