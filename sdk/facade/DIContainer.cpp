#include "sdk/base/DIContainer.hpp"

#include "sdk/base/DelegateManager.hpp"
#include "sdk/base/LoginFacadeProtocol.hpp"
#include "sdk/catalogue/ImageAsset.hpp"
#include "sdk/facade/VYD.hpp"
#include "sdk/facade/VYDLogin.hpp"
#include "sdk/facade/VYDSettings.hpp"
#include "sdk/screens/SlidePanelFactory.hpp"
#include "sdk/screens/web/WebSceneAssembler.hpp"
#include "sdk/screens/web/WebSceneOpener.hpp"
#include "sdk/services/AnalyticsParamsMaker.hpp"
#include "sdk/services/AnalyticsService.hpp"
#include "sdk/services/AppMethodsWrapper.hpp"
#include "sdk/services/AppTokenService.hpp"
#include "sdk/services/CertificatesService.hpp"
#include "sdk/services/FileService.hpp"
#include "sdk/services/ImageCache.hpp"
#include "sdk/services/InMemoryAnalyticsSink.hpp"
#include "sdk/services/KWPresenceChecker.hpp"
#include "sdk/services/NetworkService.hpp"
#include "sdk/services/RootViewControllerStorage.hpp"
#include "sdk/services/SharedKeychainService.hpp"
#include "sdk/services/StaticStorageService.hpp"
#include "sdk/services/UserDefaultsService.hpp"

namespace vyd {
namespace {
// How each service is made on first use; tests and host apps may replace any of them.
namespace factory {

std::shared_ptr<DelegateManagerProtocol> delegateManager() { return std::make_shared<DelegateManager>(); }

std::shared_ptr<StaticStorageServiceProtocol> staticStorageService() {
    return std::make_shared<StaticStorageService>(DIContainer::analyticsService());
}

std::shared_ptr<AnalyticsServiceProtocol> analyticsService() {
    return std::make_shared<AnalyticsService>(std::make_shared<InMemoryAnalyticsSink>());
}

std::shared_ptr<AnalyticsParamsMakerProtocol> analyticsParamsMaker() {
    return std::make_shared<AnalyticsParamsMaker>(DIContainer::staticStorageService(),
                                                  DIContainer::kwPresenceChecker());
}

std::shared_ptr<AppTokenServiceProtocol> appTokenService() {
    return std::make_shared<AppTokenService>(DIContainer::staticStorageService(), SharedKeychainService::make());
}

std::shared_ptr<CertificatesServiceProtocol> certificatesService() { return CertificatesService::make(); }

std::shared_ptr<NetworkServiceProtocol> networkService() {
    return std::make_shared<NetworkService>(DIContainer::certificatesService());
}

std::shared_ptr<ImageCacheProtocol> imageCache() { return std::make_shared<ImageCache>(); }

std::shared_ptr<FileServiceProtocol> fileService() {
    return std::make_shared<FileService>(FileService::defaultDirectory());
}

std::shared_ptr<UserDefaultsServiceProtocol> userDefaultsService() { return UserDefaultsService::make(); }

std::shared_ptr<KWPresenceCheckerProtocol> kwPresenceChecker() {
    return std::make_shared<KWPresenceChecker>(
        DIContainer::appMethodsWrapper(), DIContainer::staticStorageService(),
        [] { return std::vector<std::shared_ptr<uikit::UIImage>>{Asset::vyLogo.image()}; });
}

std::shared_ptr<RootViewControllerStorageProtocol> rootViewControllerStorage() {
    return std::make_shared<RootViewControllerStorage>();
}

std::shared_ptr<AppMethodsWrapperProtocol> appMethodsWrapper() { return std::make_shared<AppMethodsWrapper>(); }

std::shared_ptr<AppMethodsWrapperProtocol> appMethodWrapper() { return std::make_shared<AppMethodsWrapper>(); }

std::shared_ptr<WebSceneOpenerProtocol> webSceneOpener() {
    return WebSceneOpener::make(DIContainer::appMethodsWrapper(), DIContainer::staticStorageService(),
                                DIContainer::analyticsParamsMaker(), DIContainer::delegateManager(),
                                std::make_shared<WebSceneAssembler>());
}

class SharedLoginFacade : public LoginFacadeProtocol {
public:
    void getResponseFrom(const foundation::URL& url, const ResponseCompletion& completion) override {
        VYD::login()->getResponseFrom(url, completion);
    }
    void applyUserID(const std::optional<std::string>& userID) override {
        VYD::settings()->applyMainPreferences(std::nullopt, userID, std::nullopt, std::nullopt, std::nullopt);
    }
};

std::shared_ptr<LoginFacadeProtocol> loginFacade() { return std::make_shared<SharedLoginFacade>(); }

std::shared_ptr<SlidePanelFactoryProtocol> slidePanelFactory() { return std::make_shared<SlidePanelFactory>(); }

} // namespace factory
} // namespace

#define VYD_SERVICE(Protocol, getter, Setter)                                                                          \
    namespace {                                                                                                        \
    DIEntry<Protocol>& getter##Entry() {                                                                               \
        static DIEntry<Protocol> entry(&factory::getter);                                                              \
        return entry;                                                                                                  \
    }                                                                                                                  \
    }                                                                                                                  \
    std::shared_ptr<Protocol> DIContainer::getter() { return getter##Entry().get(); }                                  \
    std::shared_ptr<Protocol> DIContainer::set##Setter(std::shared_ptr<Protocol> value) {                              \
        return getter##Entry().set(std::move(value));                                                                  \
    }
#include "sdk/base/DIContainerServices.def"
#undef VYD_SERVICE

} // namespace vyd
