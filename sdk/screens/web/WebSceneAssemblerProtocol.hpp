#pragma once
#include "platform/foundation/URL.hpp"
#include "platform/uikit/UIColor.hpp"
#include "sdk/base/WebSceneOpenerProtocol.hpp"

#include <memory>
#include <optional>

namespace uikit {
class UIScrollView;
class UIViewController;
} // namespace uikit

namespace vyd {

class VYDWebViewDelegateProtocol;

// The navigation web scene as the opener places it in a panel: its controller, and the scroll
// view of its web view, which the panel tracks.
struct NavigationWebScene {
    std::shared_ptr<uikit::UIViewController> viewController;
    std::shared_ptr<uikit::UIScrollView> scrollView;
};

// Builds the SDK's web scenes whole, ready to be shown; the caller owns what it gets. Main thread.
class WebSceneAssemblerProtocol {
public:
    virtual ~WebSceneAssemblerProtocol() = default;

    // The full-screen authorization web scene, not yet presented.
    virtual std::shared_ptr<uikit::UIViewController>
    createAuthWebViewController(const foundation::URL& url, bool isSecure,
                                const std::optional<uikit::UIColor>& navigationColor,
                                const std::shared_ptr<VYDWebViewDelegateProtocol>& delegate) = 0;
    // The navigation web scene of the variant, not yet placed anywhere.
    virtual NavigationWebScene createNavigationWebViewController(
        const foundation::URL& url, bool isSecure, const std::optional<uikit::UIColor>& navigationColor,
        NavigationWebViewType webViewType, const std::shared_ptr<VYDWebViewDelegateProtocol>& delegate) = 0;
};

} // namespace vyd
