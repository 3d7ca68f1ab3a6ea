#pragma once
#include <memory>

namespace uikit {
class UIWindow;
}

namespace vyd {

// Windows of the shared application. Main thread.
class UIUtils {
public:
    // Among the connected window scenes, in order, the first window that is the key window.
    static std::shared_ptr<uikit::UIWindow> currentKeyWindow();
    // The same, counting only window scenes that are active in the foreground.
    static std::shared_ptr<uikit::UIWindow> currentActiveKeyWindow();
};

} // namespace vyd
