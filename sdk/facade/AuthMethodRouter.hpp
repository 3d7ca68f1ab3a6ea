#pragma once
#include "platform/foundation/URL.hpp"
#include "platform/uikit/UIColor.hpp"
#include "sdk/base/AppMethodsWrapperProtocol.hpp"
#include "sdk/base/AuthWithVCsCoordinatorAssemblerProtocol.hpp"
#include "sdk/base/RootViewControllerStorageProtocol.hpp"
#include "sdk/base/WebSceneOpenerProtocol.hpp"
#include "sdk/screens/SlidePanelFactory.hpp"

#include <functional>
#include <memory>
#include <optional>

namespace vyd {

// The web scene opener is looked up when a page is to open, so that a host or test may replace
// it at any time.
using WebSceneOpenerProvider = std::function<std::shared_ptr<WebSceneOpenerProtocol>()>;

// Opens what the login's method asks for, over the host's view controller kept for the login.
// Main thread.
class AuthMethodRouter {
public:
    AuthMethodRouter(std::shared_ptr<AppMethodsWrapperProtocol> appMethodsWrapper,
                     std::shared_ptr<RootViewControllerStorageProtocol> rootViewControllerStorage,
                     WebSceneOpenerProvider webSceneOpener,
                     std::shared_ptr<SlidePanelFactoryProtocol> slidePanelFactory,
                     std::shared_ptr<AuthWithVCsCoordinatorAssemblerProtocol> coordinatorAssembler);

    // The choice flow of this login, kept until the next login replaces the router.
    std::shared_ptr<AuthWithVCsCoordinatorProtocol> coordinator;

    std::shared_ptr<WebSceneOpenerProtocol> webSceneOpener() const;
    bool canStartChoice() const { return coordinatorAssembler_ != nullptr; }

    // Asks the application to open a VY Bank app; the completion hears whether it did.
    void openApp(const foundation::URL& url, AppMethodsWrapperProtocol::Completion completion);
    // The full-screen web scene, secure, over the kept view controller; false when there is no
    // view controller or no opener.
    bool openWebPage(const foundation::URL& url, WebSceneSecureLevel secureLevel,
                     const std::shared_ptr<VYDWebViewDelegateProtocol>& delegate);
    // A new web panel presented over the kept view controller, then the page in it as the
    // personal-account relogin; false when there is no view controller or no opener.
    bool openELKLitePage(const foundation::URL& url, const std::optional<uikit::UIColor>& navigationColor,
                         const std::shared_ptr<VYDWebViewDelegateProtocol>& delegate);
    // Builds the choice flow into `coordinator` and starts it; false when no choice flow is
    // connected.
    bool startChoice(const VYDAuthRequest& request, const std::shared_ptr<AuthServiceInternalProtocol>& authService);

private:
    std::shared_ptr<AppMethodsWrapperProtocol> appMethodsWrapper_;
    std::shared_ptr<RootViewControllerStorageProtocol> rootViewControllerStorage_;
    WebSceneOpenerProvider webSceneOpener_;
    std::shared_ptr<SlidePanelFactoryProtocol> slidePanelFactory_;
    std::shared_ptr<AuthWithVCsCoordinatorAssemblerProtocol> coordinatorAssembler_;
};

} // namespace vyd
