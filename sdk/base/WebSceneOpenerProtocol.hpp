#pragma once
#include "platform/foundation/URL.hpp"
#include "platform/uikit/UIColor.hpp"

#include <memory>
#include <optional>
#include <variant>

namespace uikit {
class UIViewController;
}

namespace vyd {

class SlidePanelController;
class VYDWebViewDelegateProtocol;

// How strictly the full-screen web scene is gated.
enum class WebSceneSecureLevel { high = 0, low = 1 };
// The variant of the navigation web scene shown in a panel.
enum class NavigationWebViewType { base = 0, elkLite = 1 };

// Where a page is wanted. The view controller or panel is held while the value lives.
struct ModalWebView {
    std::shared_ptr<uikit::UIViewController> viewController;
    WebSceneSecureLevel secureLevel = WebSceneSecureLevel::high;
};
struct ChildWebView {
    std::shared_ptr<SlidePanelController> panel;
    NavigationWebViewType webViewType = NavigationWebViewType::base;
};
struct SafariView {
    std::shared_ptr<uikit::UIViewController> viewController;
};
using WebScenePresentationStyle = std::variant<ModalWebView, ChildWebView, SafariView>;

// Shows a web page in one of the SDK's web scenes, or in the system browser view when the page
// may not open in them.
class WebSceneOpenerProtocol {
public:
    virtual ~WebSceneOpenerProtocol() = default;

    // Main thread.
    virtual void openScene(const foundation::URL& url, const WebScenePresentationStyle& presentationStyle,
                           bool isSecure, const std::optional<uikit::UIColor>& navigationColor,
                           const std::shared_ptr<VYDWebViewDelegateProtocol>& delegate) = 0;
};

} // namespace vyd
