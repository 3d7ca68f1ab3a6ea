#include "sdk/base/DIContainer.hpp"

#include "sdk/services/AppMethodsWrapper.hpp"
#include "sdk/catalogue/ImageAsset.hpp"
#include "sdk/base/DelegateManager.hpp"
#include "sdk/services/KWPresenceChecker.hpp"
#include "sdk/services/RootViewControllerStorage.hpp"
#include "sdk/screens/SlidePanelFactory.hpp"
#include "sdk/base/WebSceneOpenerProtocol.hpp"
#include "sdk/services/AnalyticsParamsMaker.hpp"
#include "sdk/services/AnalyticsService.hpp"
#include "sdk/services/AppTokenService.hpp"
#include "sdk/services/CertificatesService.hpp"
#include "sdk/services/FileService.hpp"
#include "sdk/services/ImageCache.hpp"
#include "sdk/services/InMemoryAnalyticsSink.hpp"
#include "sdk/services/NetworkService.hpp"
#include "sdk/services/SharedKeychainService.hpp"
#include "sdk/services/StaticStorageService.hpp"
#include "sdk/services/UserDefaultsService.hpp"

namespace vyd {
namespace {

DIEntry<DelegateManagerProtocol>& delegateManagerEntry() {
    static DIEntry<DelegateManagerProtocol> entry([] { return std::make_shared<DelegateManager>(); });
    return entry;
}

DIEntry<StaticStorageServiceProtocol>& staticStorageServiceEntry() {
    static DIEntry<StaticStorageServiceProtocol> entry(
        [] { return std::make_shared<StaticStorageService>(DIContainer::analyticsService()); });
    return entry;
}

DIEntry<AnalyticsServiceProtocol>& analyticsServiceEntry() {
    static DIEntry<AnalyticsServiceProtocol> entry(
        [] { return std::make_shared<AnalyticsService>(std::make_shared<InMemoryAnalyticsSink>()); });
    return entry;
}

DIEntry<AnalyticsParamsMakerProtocol>& analyticsParamsMakerEntry() {
    static DIEntry<AnalyticsParamsMakerProtocol> entry([] {
        return std::make_shared<AnalyticsParamsMaker>(DIContainer::staticStorageService(),
                                                      DIContainer::kwPresenceChecker());
    });
    return entry;
}

DIEntry<AppTokenServiceProtocol>& appTokenServiceEntry() {
    static DIEntry<AppTokenServiceProtocol> entry([] {
        return std::make_shared<AppTokenService>(DIContainer::staticStorageService(), SharedKeychainService::make());
    });
    return entry;
}

DIEntry<CertificatesServiceProtocol>& certificatesServiceEntry() {
    static DIEntry<CertificatesServiceProtocol> entry([] { return CertificatesService::make(); });
    return entry;
}

DIEntry<NetworkServiceProtocol>& networkServiceEntry() {
    static DIEntry<NetworkServiceProtocol> entry(
        [] { return std::make_shared<NetworkService>(DIContainer::certificatesService()); });
    return entry;
}

DIEntry<ImageCacheProtocol>& imageCacheEntry() {
    static DIEntry<ImageCacheProtocol> entry([] { return std::make_shared<ImageCache>(); });
    return entry;
}

DIEntry<FileServiceProtocol>& fileServiceEntry() {
    static DIEntry<FileServiceProtocol> entry(
        [] { return std::make_shared<FileService>(FileService::defaultDirectory()); });
    return entry;
}

DIEntry<UserDefaultsServiceProtocol>& userDefaultsServiceEntry() {
    static DIEntry<UserDefaultsServiceProtocol> entry([] { return UserDefaultsService::make(); });
    return entry;
}

DIEntry<KWPresenceCheckerProtocol>& kwPresenceCheckerEntry() {
    static DIEntry<KWPresenceCheckerProtocol> entry([] {
        return std::make_shared<KWPresenceChecker>(
            DIContainer::appMethodsWrapper(), DIContainer::staticStorageService(),
            [] { return std::vector<std::shared_ptr<uikit::UIImage>>{Asset::vyLogo.image()}; });
    });
    return entry;
}

DIEntry<RootViewControllerStorageProtocol>& rootViewControllerStorageEntry() {
    static DIEntry<RootViewControllerStorageProtocol> entry([] { return std::make_shared<RootViewControllerStorage>(); });
    return entry;
}

DIEntry<AppMethodsWrapperProtocol>& appMethodsWrapperEntry() {
    static DIEntry<AppMethodsWrapperProtocol> entry([] { return std::make_shared<AppMethodsWrapper>(); });
    return entry;
}

DIEntry<AppMethodsWrapperProtocol>& appMethodWrapperEntry() {
    static DIEntry<AppMethodsWrapperProtocol> entry([] { return std::make_shared<AppMethodsWrapper>(); });
    return entry;
}

DIEntry<WebSceneOpenerProtocol>& webSceneOpenerEntry() {
    static DIEntry<WebSceneOpenerProtocol> entry([] { return std::shared_ptr<WebSceneOpenerProtocol>(); });
    return entry;
}

DIEntry<SlidePanelFactoryProtocol>& slidePanelFactoryEntry() {
    static DIEntry<SlidePanelFactoryProtocol> entry([] { return std::make_shared<SlidePanelFactory>(); });
    return entry;
}

} // namespace

std::shared_ptr<DelegateManagerProtocol> DIContainer::delegateManager() { return delegateManagerEntry().get(); }
void DIContainer::setDelegateManager(std::shared_ptr<DelegateManagerProtocol> value) {
    delegateManagerEntry().set(std::move(value));
}

std::shared_ptr<StaticStorageServiceProtocol> DIContainer::staticStorageService() {
    return staticStorageServiceEntry().get();
}
void DIContainer::setStaticStorageService(std::shared_ptr<StaticStorageServiceProtocol> value) {
    staticStorageServiceEntry().set(std::move(value));
}

std::shared_ptr<AnalyticsServiceProtocol> DIContainer::analyticsService() { return analyticsServiceEntry().get(); }
void DIContainer::setAnalyticsService(std::shared_ptr<AnalyticsServiceProtocol> value) {
    analyticsServiceEntry().set(std::move(value));
}

std::shared_ptr<AnalyticsParamsMakerProtocol> DIContainer::analyticsParamsMaker() {
    return analyticsParamsMakerEntry().get();
}
void DIContainer::setAnalyticsParamsMaker(std::shared_ptr<AnalyticsParamsMakerProtocol> value) {
    analyticsParamsMakerEntry().set(std::move(value));
}

std::shared_ptr<AppTokenServiceProtocol> DIContainer::appTokenService() { return appTokenServiceEntry().get(); }
void DIContainer::setAppTokenService(std::shared_ptr<AppTokenServiceProtocol> value) {
    appTokenServiceEntry().set(std::move(value));
}

std::shared_ptr<CertificatesServiceProtocol> DIContainer::certificatesService() {
    return certificatesServiceEntry().get();
}
void DIContainer::setCertificatesService(std::shared_ptr<CertificatesServiceProtocol> value) {
    certificatesServiceEntry().set(std::move(value));
}

std::shared_ptr<NetworkServiceProtocol> DIContainer::networkService() { return networkServiceEntry().get(); }
void DIContainer::setNetworkService(std::shared_ptr<NetworkServiceProtocol> value) {
    networkServiceEntry().set(std::move(value));
}

std::shared_ptr<ImageCacheProtocol> DIContainer::imageCache() { return imageCacheEntry().get(); }
void DIContainer::setImageCache(std::shared_ptr<ImageCacheProtocol> value) { imageCacheEntry().set(std::move(value)); }

std::shared_ptr<FileServiceProtocol> DIContainer::fileService() { return fileServiceEntry().get(); }
void DIContainer::setFileService(std::shared_ptr<FileServiceProtocol> value) { fileServiceEntry().set(std::move(value)); }

std::shared_ptr<UserDefaultsServiceProtocol> DIContainer::userDefaultsService() {
    return userDefaultsServiceEntry().get();
}
void DIContainer::setUserDefaultsService(std::shared_ptr<UserDefaultsServiceProtocol> value) {
    userDefaultsServiceEntry().set(std::move(value));
}

std::shared_ptr<KWPresenceCheckerProtocol> DIContainer::kwPresenceChecker() { return kwPresenceCheckerEntry().get(); }
void DIContainer::setKwPresenceChecker(std::shared_ptr<KWPresenceCheckerProtocol> value) {
    kwPresenceCheckerEntry().set(std::move(value));
}

std::shared_ptr<RootViewControllerStorageProtocol> DIContainer::rootViewControllerStorage() {
    return rootViewControllerStorageEntry().get();
}
void DIContainer::setRootViewControllerStorage(std::shared_ptr<RootViewControllerStorageProtocol> value) {
    rootViewControllerStorageEntry().set(std::move(value));
}

std::shared_ptr<AppMethodsWrapperProtocol> DIContainer::appMethodsWrapper() { return appMethodsWrapperEntry().get(); }
void DIContainer::setAppMethodsWrapper(std::shared_ptr<AppMethodsWrapperProtocol> value) {
    appMethodsWrapperEntry().set(std::move(value));
}

std::shared_ptr<AppMethodsWrapperProtocol> DIContainer::appMethodWrapper() { return appMethodWrapperEntry().get(); }
void DIContainer::setAppMethodWrapper(std::shared_ptr<AppMethodsWrapperProtocol> value) {
    appMethodWrapperEntry().set(std::move(value));
}

std::shared_ptr<WebSceneOpenerProtocol> DIContainer::webSceneOpener() { return webSceneOpenerEntry().get(); }
void DIContainer::setWebSceneOpener(std::shared_ptr<WebSceneOpenerProtocol> value) {
    webSceneOpenerEntry().set(std::move(value));
}

std::shared_ptr<SlidePanelFactoryProtocol> DIContainer::slidePanelFactory() { return slidePanelFactoryEntry().get(); }
void DIContainer::setSlidePanelFactory(std::shared_ptr<SlidePanelFactoryProtocol> value) {
    slidePanelFactoryEntry().set(std::move(value));
}

} // namespace vyd
