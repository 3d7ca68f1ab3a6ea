#include "sdk/facade/AuthAssembler.hpp"

#include "sdk/base/DIContainer.hpp"

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
    // The choice flow's assembler plugs in here once its screens exist; until then a login that
    // would show it goes straight to the app-to-app attempts with the page as fallback.
    dependencies.coordinatorAssembler = nullptr;
    return AuthService::make(std::move(dependencies));
}

} // namespace vyd
