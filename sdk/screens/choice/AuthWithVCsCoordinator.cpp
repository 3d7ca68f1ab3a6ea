#include "sdk/screens/choice/AuthWithVCsCoordinator.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/swiftui/UIHostingController.hpp"
#include "platform/uikit/UIView.hpp"
#include "sdk/base/DIContainer.hpp"
#include "sdk/screens/choice/AuthChooseAssembler.hpp"
#include "sdk/screens/choice/KwAppListView.hpp"
#include "sdk/services/AnalyticsServiceProtocol.hpp"
#include "sdk/services/RemoteConfig.hpp"
#include "sdk/uikit/Palette.hpp"

#include <algorithm>

namespace vyd {

namespace {
using PanelStyle = SlidePanelFactoryProtocol::PanelStyle;
using PanelBehavior = SlidePanelFactoryProtocol::PanelBehavior;
} // namespace

std::shared_ptr<AuthWithVCsCoordinator>
AuthWithVCsCoordinator::make(std::shared_ptr<StaticStorageServiceProtocol> staticStorageService,
                             std::shared_ptr<AnalyticsParamsMakerProtocol> analyticsParamsMaker,
                             std::shared_ptr<KWPresenceCheckerProtocol> kwPresenceChecker,
                             std::shared_ptr<SlidePanelFactoryProtocol> slidePanelFactory,
                             std::shared_ptr<RootViewControllerStorageProtocol> rootViewControllerStorage,
                             const std::shared_ptr<AuthServiceInternalProtocol>& authService, VYDAuthRequest request) {
    return std::make_shared<AuthWithVCsCoordinator>(
        std::move(staticStorageService), std::move(analyticsParamsMaker), std::move(kwPresenceChecker),
        std::move(slidePanelFactory), std::move(rootViewControllerStorage), authService, std::move(request));
}

AuthWithVCsCoordinator::AuthWithVCsCoordinator(
    std::shared_ptr<StaticStorageServiceProtocol> staticStorageService,
    std::shared_ptr<AnalyticsParamsMakerProtocol> analyticsParamsMaker,
    std::shared_ptr<KWPresenceCheckerProtocol> kwPresenceChecker,
    std::shared_ptr<SlidePanelFactoryProtocol> slidePanelFactory,
    std::shared_ptr<RootViewControllerStorageProtocol> rootViewControllerStorage,
    const std::shared_ptr<AuthServiceInternalProtocol>& authService, VYDAuthRequest request)
    : rootViewControllerStorage_(std::move(rootViewControllerStorage)),
      staticStorageService_(std::move(staticStorageService)), analyticsParamsMaker_(std::move(analyticsParamsMaker)),
      kwPresenceChecker_(std::move(kwPresenceChecker)), slidePanelFactory_(std::move(slidePanelFactory)),
      authService_(authService), request_(std::move(request)) {}

void AuthWithVCsCoordinator::startAuthChooseScenario() {
    const auto clientId = staticStorageService_->clientId();
    if (!clientId || !staticStorageService_->remoteConfig().isApp2AppDialogEnabled(*clientId)) {
        startAppChooseScenario();
        return;
    }
    const auto self = shared_from_this();
    const auto sheet = AuthChooseAssembler::create(self);
    authChooseslidePanelVC_ =
        slidePanelFactory_->createSlidePanel(PanelStyle::contentSize, PanelBehavior::noDrag, self);
    authChooseslidePanelVC_->set(sheet);
    const auto presenter = rootViewControllerStorage_->viewController();
    if (!presenter) {
        return;
    }
    std::weak_ptr<AuthWithVCsCoordinator> weak = self;
    presenter->present(authChooseslidePanelVC_, true, [weak] {
        if (const auto coordinator = weak.lock()) {
            coordinator->sendAuthPopupEvent(AnalyticsEventAction::vyIDAuthPopupShow, AuthType::vyID);
        }
    });
}

void AuthWithVCsCoordinator::startAppChooseScenario() {
    const auto apps = kwPresenceChecker_->existingKWs();
    if (!apps || apps->size() < 2) {
        handOver(&AuthServiceInternalProtocol::authenticateUserPriorityApp2AppNoVCScenarios);
        return;
    }
    const auto self = shared_from_this();
    const auto model = KwAppListViewModel::make(request_, *apps, authService_.lock(), DIContainer::analyticsService(),
                                                DIContainer::analyticsParamsMaker(), self);
    const auto sheet = swiftui::UIHostingController::make(swiftui::View(KwAppListView{}).environmentObject(model));
    sheet->view()->setBackgroundColor(palette::backgroundTransparenceThird());
    appChooseslidePanelVC_ = slidePanelFactory_->createSlidePanel(PanelStyle::contentSize, PanelBehavior::noDrag, self);
    appChooseslidePanelVC_->set(sheet);
    const std::shared_ptr<uikit::UIViewController> presenter =
        authChooseslidePanelVC_ ? authChooseslidePanelVC_ : rootViewControllerStorage_->viewController();
    if (presenter) {
        presenter->present(appChooseslidePanelVC_, true);
    }
}

void AuthWithVCsCoordinator::startAuthWithoutChooseScenario() {
    handOver(&AuthServiceInternalProtocol::authenticateUserByDefaultURL);
}

void AuthWithVCsCoordinator::handOver(
    void (AuthServiceInternalProtocol::*attempt)(const VYDAuthRequest&, AuthServiceInternalProtocol::Completion)) {
    const auto self = shared_from_this();
    if (authChooseslidePanelVC_) {
        dismissChoicePanel(false, [self, panel = authChooseslidePanelVC_] {
            if (self->authChooseslidePanelVC_ == panel) {
                self->authChooseslidePanelVC_.reset();
            }
        });
    }
    // Not awaited: the attempt may reach the service before the dismissal has ended. The service
    // hops to the main queue itself for what it shows.
    foundation::DispatchQueue::global().async([self, attempt] {
        if (const auto service = self->authService_.lock()) {
            // Whether it opened something is not the coordinator's concern.
            (service.get()->*attempt)(self->request_, [](bool) {});
        }
    });
}

void AuthWithVCsCoordinator::dismissChoicePanel(bool animated, std::function<void()> completion) {
    // Asked of the panel's presenter, the dismissal takes the list above the panel with it; asked
    // of the panel itself while the list is up, it would take only the list and leave the choice
    // sheet on screen. A dismissal already running (the list closing itself after a pick) is
    // waited for by the platform.
    const auto& panel = authChooseslidePanelVC_;
    if (const auto presenter = panel->presentingViewController()) {
        presenter->dismiss(animated, std::move(completion));
    } else {
        panel->dismiss(animated, std::move(completion));
    }
}

void AuthWithVCsCoordinator::closeAction() {
    if (authChooseslidePanelVC_) {
        std::weak_ptr<AuthWithVCsCoordinator> weak = shared_from_this();
        dismissChoicePanel(true, [weak] {
            if (const auto coordinator = weak.lock()) {
                coordinator->sendAuthPopupEvent(AnalyticsEventAction::vyIDAuthPopupClose, AuthType::vyID);
            }
        });
    }
    authChooseslidePanelVC_.reset();
}

void AuthWithVCsCoordinator::continueAction() {
    startAppChooseScenario();
    sendAuthPopupEvent(AnalyticsEventAction::vyIDAuthPopupClickKw, AuthType::vyID);
}

void AuthWithVCsCoordinator::enterByPhoneAction() {
    startAuthWithoutChooseScenario();
    sendAuthPopupEvent(AnalyticsEventAction::vyIDAuthPopupClickWeb, AuthType::app2web);
}

void AuthWithVCsCoordinator::appWasOpened(bool wasOpened) {
    if (!wasOpened) {
        startAuthWithoutChooseScenario();
        return;
    }
    if (authChooseslidePanelVC_) {
        dismissChoicePanel(false, nullptr);
        authChooseslidePanelVC_.reset();
    }
}

void AuthWithVCsCoordinator::slidePanelDidMove(const std::shared_ptr<SlidePanelController>& panel) {
    if (panel->isAttracting()) {
        return;
    }
    const auto location = panel->surfaceLocation();
    const auto top = panel->surfaceLocation(SlidePanelState::full()).y;
    panel->setSurfaceLocation({location.x, std::max(location.y, top)});
}

void AuthWithVCsCoordinator::slidePanelDidRemove(const std::shared_ptr<SlidePanelController>& panel) {
    if (authChooseslidePanelVC_ && authChooseslidePanelVC_ == panel) {
        authChooseslidePanelVC_.reset();
        sendAuthPopupEvent(AnalyticsEventAction::vyIDAuthPopupClose, AuthType::vyID);
        return;
    }
    appChooseslidePanelVC_.reset();
}

void AuthWithVCsCoordinator::sendAuthPopupEvent(AnalyticsEventAction action, AuthType authType) const {
    if (const auto analytics = staticStorageService_->analyticsService()) {
        analytics->sendEvent(action, analyticsParamsMaker_->makeAuthPopupParams(authType));
    }
}

} // namespace vyd
