#include "sdk/facade/AuthService.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "sdk/catalogue/L10n.hpp"
#include "sdk/base/DIContainer.hpp"
#include "sdk/base/Logger.hpp"
#include "sdk/base/VYDWebViewDelegateProtocol.hpp"

namespace vyd {
namespace {

void complete(const AuthServiceInternalProtocol::Completion& completion, bool result) {
    if (completion) {
        completion(result);
    }
}

// The application answers on the main queue; should a stand-in answer elsewhere, go there.
void completeOnMain(AuthServiceInternalProtocol::Completion completion, bool result) {
    if (foundation::isMainThread()) {
        complete(completion, result);
    } else {
        foundation::DispatchQueue::main().async([completion = std::move(completion), result] { complete(completion, result); });
    }
}

} // namespace

AuthService::AuthService(std::shared_ptr<StaticStorageServiceProtocol> staticStorageService,
                         std::shared_ptr<AppMethodsWrapperProtocol> appMethodsWrapper,
                         std::shared_ptr<RootViewControllerStorageProtocol> rootViewControllerStorage,
                         WebSceneOpenerProvider webSceneOpener)
    : staticStorageService_(std::move(staticStorageService)),
      appMethodsWrapper_(std::move(appMethodsWrapper)),
      rootViewControllerStorage_(std::move(rootViewControllerStorage)),
      webSceneOpener_(std::move(webSceneOpener)),
      urlManager_(staticStorageService_) {}

std::shared_ptr<AuthService> AuthService::make(std::shared_ptr<StaticStorageServiceProtocol> staticStorageService,
                                               std::shared_ptr<AppMethodsWrapperProtocol> appMethodsWrapper,
                                               std::shared_ptr<RootViewControllerStorageProtocol> rootViewControllerStorage,
                                               WebSceneOpenerProvider webSceneOpener) {
    return std::shared_ptr<AuthService>(new AuthService(std::move(staticStorageService), std::move(appMethodsWrapper),
                                                        std::move(rootViewControllerStorage),
                                                        std::move(webSceneOpener)));
}

std::shared_ptr<AuthService> AuthService::make() {
    return make(DIContainer::staticStorageService(), DIContainer::appMethodsWrapper(),
                DIContainer::rootViewControllerStorage(), [] { return DIContainer::webSceneOpener(); });
}

void AuthService::authenticateUserByDeeplink(const std::string& deeplink, const VYDAuthRequest& request,
                                             Completion completion) {
    foundation::DispatchQueue::main().async(
        [self = shared_from_this(), deeplink, request, completion = std::move(completion)]() mutable {
            self->openDeeplink(deeplink, request, std::move(completion));
        });
}

void AuthService::authenticateUserByDefaultURL(const VYDAuthRequest& request, Completion completion) {
    foundation::DispatchQueue::main().async(
        [self = shared_from_this(), request, completion = std::move(completion)]() mutable {
            self->openDefaultURL(request, std::move(completion));
        });
}

void AuthService::authenticateUserPriorityApp2AppNoVCScenarios(const VYDAuthRequest& request, Completion completion) {
    foundation::DispatchQueue::main().async(
        [self = shared_from_this(), request, completion = std::move(completion)]() mutable {
            const auto schemes = self->staticStorageService_->remoteConfig().bankAppSchemes;
            auto deeplinks = std::make_shared<const std::vector<std::string>>(schemes.value_or(std::vector<std::string>{}));
            self->tryDeeplinks(std::move(deeplinks), 0, std::move(request), std::move(completion));
        });
}

void AuthService::openDeeplink(const std::string& deeplink, const VYDAuthRequest& request, Completion completion) {
    const auto url = urlManager_.makeAppToAppURL(deeplink, request);
    if (!url || !appMethodsWrapper_) {
        complete(completion, false);
        return;
    }
    Logger::log(L10n::Logs::openDeeplinkValue(url->absoluteString()));
    // The application may answer later; the service stays alive until it has.
    appMethodsWrapper_->open(*url, {}, [self = shared_from_this(), completion = std::move(completion)](bool opened) {
        completeOnMain(completion, opened);
    });
}

void AuthService::openDefaultURL(const VYDAuthRequest& request, Completion completion) {
    const auto url = urlManager_.makeWebURL(request);
    const auto opener = webSceneOpener_ ? webSceneOpener_() : nullptr;
    const auto viewController = rootViewControllerStorage_->viewController();
    // Without an opener or a screen to present over, nothing can open: say so instead of
    // claiming a page that the user never sees.
    if (!url || !opener || !viewController) {
        complete(completion, false);
        return;
    }
    opener->openScene(*url, ModalWebView{viewController, WebSceneSecureLevel::high}, true, std::nullopt, nullptr);
    complete(completion, true);
}

void AuthService::tryDeeplinks(std::shared_ptr<const std::vector<std::string>> deeplinks, std::size_t index,
                               VYDAuthRequest request, Completion completion) {
    if (index >= deeplinks->size()) {
        openDefaultURL(request, std::move(completion));
        return;
    }
    const std::string& deeplink = (*deeplinks)[index];
    openDeeplink(deeplink, request,
                 [self = shared_from_this(), deeplinks, index, request, completion](bool opened) mutable {
                     if (opened) {
                         complete(completion, true);
                         return;
                     }
                     self->tryDeeplinks(deeplinks, index + 1, std::move(request), std::move(completion));
                 });
}

} // namespace vyd
