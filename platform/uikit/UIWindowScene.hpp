#pragma once

// A scene that shows windows. It refers to its windows weakly, as the platform does: whoever
// made a window (a scene delegate, an application delegate, the simulated device) keeps it.

#include "platform/uikit/UIScene.hpp"
#include "platform/uikit/UITraitCollection.hpp"

#include <memory>
#include <vector>

namespace uikit {

class UIWindow;
class UIScreen;

class UIWindowScene : public UIScene {
public:
    static std::shared_ptr<UIWindowScene> make();

    // The live windows of the scene, in the order they joined it.
    std::vector<std::shared_ptr<UIWindow>> windows() const;
    // The scene's window that is the key window, if any.
    std::shared_ptr<UIWindow> keyWindow() const;
    UIScreen& screen() const;
    // The device's traits (see UITraitCollection::current()).
    UITraitCollection traitCollection() const { return UITraitCollection::current(); }

    UIWindowScene() = default;

private:
    friend class UIWindow;
    void attach(const std::shared_ptr<UIWindow>& window);
    void detach(const UIWindow* window);

    std::vector<std::weak_ptr<UIWindow>> windows_;
};

} // namespace uikit
