#pragma once
#include "sdk/screens/web/WebSceneAssemblerProtocol.hpp"

namespace vyd {

// Builds each web scene whole from the container's shared services: view, presenter, interactor,
// router and controller, with the presenter and the router holding the controller weakly, so that
// a scene lives exactly as long as its controller. Keeps nothing itself. Main thread.
class WebSceneAssembler : public WebSceneAssemblerProtocol {
public:
    // The full-screen authorization web scene (its controller is an OTPWebViewController). The
    // navigation colour reaches the view only, the delegate the interactor only.
    std::shared_ptr<uikit::UIViewController>
    createAuthWebViewController(const foundation::URL& url, bool isSecure,
                                const std::optional<uikit::UIColor>& navigationColor,
                                const std::shared_ptr<VYDWebViewDelegateProtocol>& delegate) override;
    // The navigation web scene of the variant (its controller is a
    // NavigationBaseWebViewController), with its web view's scroll view. The ELK-lite variant
    // takes no delegate: it reaches the host's through the delegate manager.
    NavigationWebScene createNavigationWebViewController(
        const foundation::URL& url, bool isSecure, const std::optional<uikit::UIColor>& navigationColor,
        NavigationWebViewType webViewType, const std::shared_ptr<VYDWebViewDelegateProtocol>& delegate) override;
};

} // namespace vyd
