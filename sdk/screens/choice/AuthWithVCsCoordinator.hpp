#pragma once

// The native choice of a login. With the app-to-app dialog enabled for the client, it shows the
// choice sheet (continue with a VY Bank app, or log in by phone number) in a panel; with two or
// more VY Bank apps installed, the sheet that lists them, over the choice sheet when that is up;
// otherwise it hands the login to the authorization service, which tries the apps by deep link
// and falls back to the web page. It is the delegate of both panels and of both sheets, and
// reports the auth-popup events. Entry points run on the main thread; the authorization
// attempts run off it.

#include "sdk/base/AuthServiceInternalProtocol.hpp"
#include "sdk/base/AuthType.hpp"
#include "sdk/base/AuthWithVCsCoordinatorProtocol.hpp"
#include "sdk/base/KWPresenceCheckerProtocol.hpp"
#include "sdk/base/RootViewControllerStorageProtocol.hpp"
#include "sdk/base/VYDAuthRequest.hpp"
#include "sdk/panel/SlidePanelControllerDelegate.hpp"
#include "sdk/screens/SlidePanelFactory.hpp"
#include "sdk/screens/choice/AuthChooseViewController.hpp"
#include "sdk/screens/choice/KwAppListViewModel.hpp"
#include "sdk/services/AnalyticsEventAction.hpp"
#include "sdk/services/AnalyticsParamsMakerProtocol.hpp"
#include "sdk/services/StaticStorageServiceProtocol.hpp"

#include <memory>

namespace vyd {

class AuthWithVCsCoordinator : public AuthWithVCsCoordinatorProtocol,
                               public AuthChooseViewControllerDelegate,
                               public KwsAppListDelegate,
                               public SlidePanelDidMoveDelegate,
                               public SlidePanelDidRemoveDelegate,
                               public std::enable_shared_from_this<AuthWithVCsCoordinator> {
public:
    // The authorization service is held weakly: it owns the router that owns the coordinator.
    static std::shared_ptr<AuthWithVCsCoordinator>
    make(std::shared_ptr<StaticStorageServiceProtocol> staticStorageService,
         std::shared_ptr<AnalyticsParamsMakerProtocol> analyticsParamsMaker,
         std::shared_ptr<KWPresenceCheckerProtocol> kwPresenceChecker,
         std::shared_ptr<SlidePanelFactoryProtocol> slidePanelFactory,
         std::shared_ptr<RootViewControllerStorageProtocol> rootViewControllerStorage,
         const std::shared_ptr<AuthServiceInternalProtocol>& authService, VYDAuthRequest request);

    // Public so that make_shared can reach it; make the coordinator with `make`.
    AuthWithVCsCoordinator(std::shared_ptr<StaticStorageServiceProtocol> staticStorageService,
                           std::shared_ptr<AnalyticsParamsMakerProtocol> analyticsParamsMaker,
                           std::shared_ptr<KWPresenceCheckerProtocol> kwPresenceChecker,
                           std::shared_ptr<SlidePanelFactoryProtocol> slidePanelFactory,
                           std::shared_ptr<RootViewControllerStorageProtocol> rootViewControllerStorage,
                           const std::shared_ptr<AuthServiceInternalProtocol>& authService, VYDAuthRequest request);

    // The panels of the two sheets while the coordinator keeps them.
    const std::shared_ptr<SlidePanelController>& authChooseslidePanelVC() const { return authChooseslidePanelVC_; }
    const std::shared_ptr<SlidePanelController>& appChooseslidePanelVC() const { return appChooseslidePanelVC_; }

    // AuthWithVCsCoordinatorProtocol
    void startAuthChooseScenario() override;
    void startAppChooseScenario() override;

    // AuthChooseViewControllerDelegate
    void closeAction() override;
    void continueAction() override;
    void enterByPhoneAction() override;

    // KwsAppListDelegate
    void appWasOpened(bool wasOpened) override;

    // Keeps the surface from being dragged above its full-state position.
    void slidePanelDidMove(const std::shared_ptr<SlidePanelController>& panel) override;
    void slidePanelDidRemove(const std::shared_ptr<SlidePanelController>& panel) override;

private:
    void startAuthWithoutChooseScenario();
    // Takes the choice sheet away (when there is one) and runs `attempt` off the main thread
    // with the authorization service, if that still exists.
    void handOver(void (AuthServiceInternalProtocol::*attempt)(const VYDAuthRequest&,
                                                               AuthServiceInternalProtocol::Completion));
    void dismissChoicePanel(bool animated, std::function<void()> completion);
    void sendAuthPopupEvent(AnalyticsEventAction action, AuthType authType) const;

    std::shared_ptr<RootViewControllerStorageProtocol> rootViewControllerStorage_;
    std::shared_ptr<StaticStorageServiceProtocol> staticStorageService_;
    std::shared_ptr<AnalyticsParamsMakerProtocol> analyticsParamsMaker_;
    std::shared_ptr<KWPresenceCheckerProtocol> kwPresenceChecker_;
    std::shared_ptr<SlidePanelFactoryProtocol> slidePanelFactory_;
    const std::weak_ptr<AuthServiceInternalProtocol> authService_;
    const VYDAuthRequest request_;
    std::shared_ptr<SlidePanelController> authChooseslidePanelVC_;
    std::shared_ptr<SlidePanelController> appChooseslidePanelVC_;
};

} // namespace vyd
