#pragma once

// Decides where a web page is shown and shows it: in the full-screen authorization web scene, in
// the navigation web scene inside a slide panel, or in the system browser view. A page that may
// not open in one of the SDK's web views (by the remote configuration's allowed hosts, per-client
// switches and web-view toggle) opens in the browser view instead; nothing is refused.
//
// One per process (the container's `webSceneOpener`). It dismisses the browser view it presented
// last when a return link arrives ("AuthNativeResult"), is the delegate of the panel it filled,
// and listens, through the delegate manager, for the navigation scene's rejection to take that
// panel down. Main thread.

#include "sdk/base/AppMethodsWrapperProtocol.hpp"
#include "sdk/base/DelegateManagerProtocol.hpp"
#include "sdk/base/VYDWebViewDelegateProtocol.hpp"
#include "sdk/base/WebSceneOpenerProtocol.hpp"
#include "sdk/panel/SlidePanelController.hpp"
#include "sdk/screens/web/WebSceneAssemblerProtocol.hpp"
#include "sdk/services/AnalyticsParamsMakerProtocol.hpp"
#include "sdk/services/StaticStorageServiceProtocol.hpp"

#include <memory>

namespace foundation {
struct Notification;
}

namespace vyd {

class WebSceneOpener : public WebSceneOpenerProtocol,
                       public SlidePanelDidRemoveDelegate,
                       public VYDWebViewReloginStatusDelegate,
                       public std::enable_shared_from_this<WebSceneOpener> {
public:
    using PresentationStyle = WebScenePresentationStyle;
    using SecureLevel = WebSceneSecureLevel;

    // Observes "AuthNativeResult" from here on. The application wrapper and the analytics maker
    // are kept and not used. A scene the assembler cannot build (or no assembler) counts as a
    // page that may not open in a web scene: it opens in the browser view.
    static std::shared_ptr<WebSceneOpener> make(std::shared_ptr<AppMethodsWrapperProtocol> appMethodsWrapper,
                                                std::shared_ptr<StaticStorageServiceProtocol> staticStorageService,
                                                std::shared_ptr<AnalyticsParamsMakerProtocol> analyticsParamsMaker,
                                                std::shared_ptr<DelegateManagerProtocol> delegateManager,
                                                std::shared_ptr<WebSceneAssemblerProtocol> assembler);
    // Stops observing and unregisters the host delegate it holds.
    ~WebSceneOpener() override;

    void openScene(const foundation::URL& url, const PresentationStyle& presentationStyle, bool isSecure,
                   const std::optional<uikit::UIColor>& navigationColor,
                   const std::shared_ptr<VYDWebViewDelegateProtocol>& delegate) override;

    // Yes without `isSecure`; otherwise only for a host that is, exactly (case and all), an
    // element of the remote configuration's allowed hosts. A refusal is logged.
    bool isWhiteHost(const foundation::URL& url, bool isSecure) const;

    // Dismisses the browser view presented last, whatever the notification says.
    void authNotificationHandler(const foundation::Notification& notification);
    // The navigation scene was rejected: its panel goes (or, already going, is forgotten), and the
    // host delegate is unregistered.
    void webViewReject() override;
    void reloginStatus(const VYDAuthResponse& result) override;
    // The panel filled last is gone: forget it.
    void slidePanelDidRemove(const std::shared_ptr<SlidePanelController>& panel) override;

    // The host delegate of the panel scene opened last, and that panel.
    std::shared_ptr<VYDWebViewDelegateProtocol> delegate() const { return delegate_.lock(); }
    const std::shared_ptr<SlidePanelController>& slidePanelVC() const { return slidePanelVC_; }

private:
    WebSceneOpener(std::shared_ptr<AppMethodsWrapperProtocol> appMethodsWrapper,
                   std::shared_ptr<StaticStorageServiceProtocol> staticStorageService,
                   std::shared_ptr<AnalyticsParamsMakerProtocol> analyticsParamsMaker,
                   std::shared_ptr<DelegateManagerProtocol> delegateManager,
                   std::shared_ptr<WebSceneAssemblerProtocol> assembler);

    bool allowsModalWebView(const foundation::URL& url, bool isSecure, SecureLevel secureLevel) const;
    bool allowsChildWebView(const foundation::URL& url, bool isSecure, NavigationWebViewType webViewType) const;
    // False, with nothing shown, when the scene cannot be built.
    bool openAuthWebView(const foundation::URL& url, const std::shared_ptr<uikit::UIViewController>& over,
                         bool isSecure, const std::optional<uikit::UIColor>& navigationColor,
                         const std::shared_ptr<VYDWebViewDelegateProtocol>& delegate);
    void checkChildWebView(const foundation::URL& url, bool isSecure,
                           const std::optional<uikit::UIColor>& navigationColor,
                           const std::shared_ptr<SlidePanelController>& spc, NavigationWebViewType webViewType,
                           const std::shared_ptr<VYDWebViewDelegateProtocol>& delegate);
    bool configureSPCWebViewController(const std::shared_ptr<SlidePanelController>& spc, const foundation::URL& url,
                                       bool isSecure, const std::optional<uikit::UIColor>& navigationColor,
                                       NavigationWebViewType webViewType,
                                       const std::shared_ptr<VYDWebViewDelegateProtocol>& delegate);
    void openSafariViewController(const foundation::URL& url, const std::shared_ptr<uikit::UIViewController>& over,
                                  const std::optional<uikit::UIColor>& navigationColor);

    std::shared_ptr<AppMethodsWrapperProtocol> appMethodsWrapper_;
    std::shared_ptr<StaticStorageServiceProtocol> staticStorageService_;
    std::shared_ptr<AnalyticsParamsMakerProtocol> analyticsParamsMaker_;
    std::shared_ptr<DelegateManagerProtocol> delegateManager_;
    std::shared_ptr<WebSceneAssemblerProtocol> assembler_;
    std::weak_ptr<VYDWebViewDelegateProtocol> delegate_;
    std::shared_ptr<SlidePanelController> slidePanelVC_;
    // The last browser view presented; replaced by the next, never cleared.
    std::shared_ptr<uikit::UIViewController> presentedController_;
};

} // namespace vyd
