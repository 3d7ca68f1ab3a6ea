#include "sdk/screens/choice/AuthWithVCsCoordinatorAssembler.hpp"

#include "sdk/base/DIContainer.hpp"
#include "sdk/screens/choice/AuthWithVCsCoordinator.hpp"

namespace vyd {

std::shared_ptr<AuthWithVCsCoordinatorProtocol>
AuthWithVCsCoordinatorAssembler::create(const VYDAuthRequest& request,
                                        const std::shared_ptr<AuthServiceInternalProtocol>& authService) {
    return AuthWithVCsCoordinator::make(DIContainer::staticStorageService(), DIContainer::analyticsParamsMaker(),
                                        DIContainer::kwPresenceChecker(), DIContainer::slidePanelFactory(),
                                        DIContainer::rootViewControllerStorage(), authService, request);
}

} // namespace vyd
