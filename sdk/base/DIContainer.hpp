#pragma once
#include "sdk/base/DelegateManagerProtocol.hpp"

#include <functional>
#include <memory>
#include <mutex>
#include <utility>

namespace vyd {

class AnalyticsParamsMakerProtocol;
class AnalyticsServiceProtocol;
class AppMethodsWrapperProtocol;
class AppTokenServiceProtocol;
class CertificatesServiceProtocol;
class FileServiceProtocol;
class ImageCacheProtocol;
class KWPresenceCheckerProtocol;
class NetworkServiceProtocol;
class RootViewControllerStorageProtocol;
class SlidePanelFactoryProtocol;
class StaticStorageServiceProtocol;
class UserDefaultsServiceProtocol;
class WebSceneOpenerProtocol;

// One process-wide service: made by its factory on first use, then shared; a setter replaces it
// (tests, host apps). Setting nullptr drops it, so the next read makes a fresh one.
template <class T>
class DIEntry {
public:
    explicit DIEntry(std::function<std::shared_ptr<T>()> make) : make_(std::move(make)) {}

    std::shared_ptr<T> get() {
        {
            std::lock_guard lock(mutex_);
            if (value_) {
                return value_;
            }
        }
        // Made outside the lock: a factory may read other entries, which may read this one.
        auto made = make_();
        std::lock_guard lock(mutex_);
        if (!value_) {
            value_ = std::move(made);
        }
        return value_;
    }

    void set(std::shared_ptr<T> value) {
        std::shared_ptr<T> previous;
        std::lock_guard lock(mutex_);
        previous = std::exchange(value_, std::move(value));
    }

private:
    std::function<std::shared_ptr<T>()> make_;
    std::mutex mutex_;
    std::shared_ptr<T> value_;
};

// The process-wide service container. An entry is a getter and a setter here and a factory in
// DIContainer.cpp.
class DIContainer {
public:
    static std::shared_ptr<DelegateManagerProtocol> delegateManager();
    static void setDelegateManager(std::shared_ptr<DelegateManagerProtocol> value);

    static std::shared_ptr<StaticStorageServiceProtocol> staticStorageService();
    static void setStaticStorageService(std::shared_ptr<StaticStorageServiceProtocol> value);
    // Sends to an in-memory sink until the host app plugs in its analytics framework.
    static std::shared_ptr<AnalyticsServiceProtocol> analyticsService();
    static void setAnalyticsService(std::shared_ptr<AnalyticsServiceProtocol> value);
    static std::shared_ptr<AnalyticsParamsMakerProtocol> analyticsParamsMaker();
    static void setAnalyticsParamsMaker(std::shared_ptr<AnalyticsParamsMakerProtocol> value);
    static std::shared_ptr<AppTokenServiceProtocol> appTokenService();
    static void setAppTokenService(std::shared_ptr<AppTokenServiceProtocol> value);
    // Trusts the SDK bundle's anchor certificates.
    static std::shared_ptr<CertificatesServiceProtocol> certificatesService();
    static void setCertificatesService(std::shared_ptr<CertificatesServiceProtocol> value);
    static std::shared_ptr<NetworkServiceProtocol> networkService();
    static void setNetworkService(std::shared_ptr<NetworkServiceProtocol> value);
    static std::shared_ptr<ImageCacheProtocol> imageCache();
    static void setImageCache(std::shared_ptr<ImageCacheProtocol> value);
    // Caches under FileService::defaultDirectory().
    static std::shared_ptr<FileServiceProtocol> fileService();
    static void setFileService(std::shared_ptr<FileServiceProtocol> value);
    static std::shared_ptr<UserDefaultsServiceProtocol> userDefaultsService();
    static void setUserDefaultsService(std::shared_ptr<UserDefaultsServiceProtocol> value);
    static std::shared_ptr<KWPresenceCheckerProtocol> kwPresenceChecker();
    static void setKwPresenceChecker(std::shared_ptr<KWPresenceCheckerProtocol> value);
    static std::shared_ptr<RootViewControllerStorageProtocol> rootViewControllerStorage();
    static void setRootViewControllerStorage(std::shared_ptr<RootViewControllerStorageProtocol> value);
    // The application wrappers of the full-screen web scene and of the navigation web scene.
    static std::shared_ptr<AppMethodsWrapperProtocol> appMethodsWrapper();
    static void setAppMethodsWrapper(std::shared_ptr<AppMethodsWrapperProtocol> value);
    static std::shared_ptr<AppMethodsWrapperProtocol> appMethodWrapper();
    static void setAppMethodWrapper(std::shared_ptr<AppMethodsWrapperProtocol> value);
    // None until the web scenes are set up (a host or test sets one).
    static std::shared_ptr<WebSceneOpenerProtocol> webSceneOpener();
    static void setWebSceneOpener(std::shared_ptr<WebSceneOpenerProtocol> value);
    // Makes the slide panels of the SDK's sheets and web pages.
    static std::shared_ptr<SlidePanelFactoryProtocol> slidePanelFactory();
    static void setSlidePanelFactory(std::shared_ptr<SlidePanelFactoryProtocol> value);
};

} // namespace vyd
