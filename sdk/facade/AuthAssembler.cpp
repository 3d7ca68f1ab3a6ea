#include "sdk/facade/AuthAssembler.hpp"

#include "sdk/base/DIContainer.hpp"
#include "sdk/screens/choice/AuthWithVCsCoordinatorAssembler.hpp"

namespace vyd {

std::shared_ptr<AuthService> AuthAssembler::create() {
    AuthServiceDependencies dependencies;
    dependencies.staticStorageService = DIContainer::staticStorageService();
    dependencies.appMethodsWrapper = DIContainer::appMethodsWrapper();
    dependencies.rootViewControllerStorage = DIContainer::rootViewControllerStorage();
    dependencies.webSceneOpener = [] { return DIContainer::webSceneOpener(); };
    dependencies.appTokenService = DIContainer::appTokenService();
    dependencies.delegateManager = DIContainer::delegateManager();
    dependencies.slidePanelFactory = DIContainer::slidePanelFactory();
    dependencies.coordinatorAssembler = std::make_shared<AuthWithVCsCoordinatorAssembler>();
    return AuthService::make(std::move(dependencies));
}

} // namespace vyd
