#include "sdk/facade/AuthService.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/uikit/UIViewController.hpp"
#include "sdk/base/VYDWebViewDelegateProtocol.hpp"
#include "sdk/catalogue/L10n.hpp"

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
        foundation::DispatchQueue::main().async(
            [completion = std::move(completion), result] { complete(completion, result); });
    }
}

VYDError invalidRequest(const std::string& message) { return VYDError{VYDErrorType::invalidRequest, message}; }

} // namespace

AuthService::AuthService(AuthServiceDependencies dependencies)
    : dependencies_(std::move(dependencies)), urlManager_(dependencies_.staticStorageService),
      typeDeterminer_(dependencies_.staticStorageService),
      router_(dependencies_.appMethodsWrapper, dependencies_.rootViewControllerStorage, dependencies_.webSceneOpener,
              dependencies_.slidePanelFactory, dependencies_.coordinatorAssembler) {}

std::shared_ptr<AuthService> AuthService::make(AuthServiceDependencies dependencies) {
    return std::shared_ptr<AuthService>(new AuthService(std::move(dependencies)));
}

std::optional<VYDError> AuthService::checkLogin(const VYDAuthRequest& request,
                                                const std::shared_ptr<uikit::UIViewController>& viewController) const {
    if (!viewController) {
        return invalidRequest(L10n::Ui::Errors::noViewController());
    }
    // The return link comes back through the redirect URI: without one the login can never end.
    const auto redirectUri = foundation::URL::string(request.redirectUri);
    if (request.redirectUri.empty() || !redirectUri || !redirectUri->scheme()) {
        return invalidRequest(L10n::Ui::Errors::redirectUriIsNotValid());
    }
    return std::nullopt;
}

std::optional<VYDError> AuthService::checkAddress(const std::optional<foundation::URL>& address) const {
    if (address) {
        return std::nullopt;
    }
    const auto clientId = dependencies_.staticStorageService->clientId();
    if (!clientId || clientId->empty()) {
        return VYDError{VYDErrorType::clientIdNotFound, L10n::Ui::Errors::clientIdNotFound()};
    }
    return VYDError{VYDErrorType::linkIsNotValid, L10n::Ui::Errors::linkIsNotValid()};
}

void AuthService::keepLogin(const VYDAuthRequest& request,
                            const std::shared_ptr<uikit::UIViewController>& viewController) {
    dependencies_.rootViewControllerStorage->setViewController(viewController);
    const auto& storage = dependencies_.staticStorageService;
    storage->setState(request.state);
    storage->setNonce(request.nonce);
    storage->setRedirectUri(request.redirectUri);
}

std::optional<VYDError> AuthService::auth(const VYDAuthRequest& request,
                                          const std::shared_ptr<uikit::UIViewController>& viewController) {
    if (auto error = checkLogin(request, viewController)) {
        return error;
    }
    const AuthMethod method = typeDeterminer_.determine(request);
    std::optional<foundation::URL> address;
    if (method == AuthMethod::webPage) {
        address = urlManager_.makeWebURL(request);
    } else if (method == AuthMethod::deeplink) {
        address = urlManager_.makeAppToAppURL(*request.ssoBaseUrl, request);
    }
    if (method != AuthMethod::choice) {
        if (auto error = checkAddress(address)) {
            return error;
        }
    }
    if (method == AuthMethod::webPage && !router_.webSceneOpener()) {
        return VYDError{VYDErrorType::unknown, std::nullopt};
    }

    if (dependencies_.appTokenService) {
        dependencies_.appTokenService->deleteAppToken();
    }
    keepLogin(request, viewController);
    switch (method) {
    case AuthMethod::webPage:
        router_.openWebPage(*address, WebSceneSecureLevel::high, nullptr);
        break;
    case AuthMethod::deeplink:
        openApp(*address, nullptr);
        break;
    case AuthMethod::choice:
        if (!router_.startChoice(request, shared_from_this())) {
            // What the choice flow itself does when it has nothing to show.
            authenticateUserPriorityApp2AppNoVCScenarios(request, nullptr);
        }
        break;
    }
    return std::nullopt;
}

std::variant<foundation::URL, VYDError>
AuthService::webLoginAddress(const VYDAuthRequest& request,
                             const std::shared_ptr<uikit::UIViewController>& viewController) const {
    if (auto error = checkLogin(request, viewController)) {
        return *error;
    }
    const auto address = urlManager_.makeWebURL(request);
    if (auto error = checkAddress(address)) {
        return *error;
    }
    if (!router_.webSceneOpener()) {
        return VYDError{VYDErrorType::unknown, std::nullopt};
    }
    return *address;
}

std::optional<VYDError>
AuthService::loginWithIDToWebView(const VYDAuthRequest& request,
                                  const std::shared_ptr<uikit::UIViewController>& viewController,
                                  const std::shared_ptr<VYDWebViewDelegateProtocol>& delegate) {
    const auto address = webLoginAddress(request, viewController);
    if (const auto* error = std::get_if<VYDError>(&address)) {
        return *error;
    }
    keepLogin(request, viewController);
    router_.openWebPage(std::get<foundation::URL>(address), WebSceneSecureLevel::low, delegate);
    return std::nullopt;
}

std::optional<VYDError> AuthService::reloginAuthELKLite(const VYDAuthRequest& request,
                                                        const std::shared_ptr<uikit::UIViewController>& viewController,
                                                        const std::shared_ptr<VYDWebViewDelegateProtocol>& delegate) {
    const auto address = webLoginAddress(request, viewController);
    if (const auto* error = std::get_if<VYDError>(&address)) {
        return *error;
    }
    if (!dependencies_.slidePanelFactory) {
        return VYDError{VYDErrorType::unknown, std::nullopt};
    }
    keepLogin(request, viewController);
    if (delegate && dependencies_.delegateManager) {
        dependencies_.delegateManager->addDelegate(delegate);
    }
    const auto partner = dependencies_.staticStorageService->liteELKModel();
    router_.openELKLitePage(std::get<foundation::URL>(address), partner->partnerColorELKLite, delegate);
    return std::nullopt;
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
    foundation::DispatchQueue::main().async([self = shared_from_this(), request,
                                             completion = std::move(completion)]() mutable {
        const auto schemes = self->dependencies_.staticStorageService->remoteConfig().bankAppSchemes;
        auto deeplinks = std::make_shared<const std::vector<std::string>>(schemes.value_or(std::vector<std::string>{}));
        self->tryDeeplinks(std::move(deeplinks), 0, std::move(request), std::move(completion));
    });
}

void AuthService::openDeeplink(const std::string& deeplink, const VYDAuthRequest& request, Completion completion) {
    const auto url = urlManager_.makeAppToAppURL(deeplink, request);
    if (!url) {
        complete(completion, false);
        return;
    }
    openApp(*url, std::move(completion));
}

void AuthService::openApp(const foundation::URL& url, Completion completion) {
    // The application may answer later; the service stays alive until it has.
    router_.openApp(url, [self = shared_from_this(), completion = std::move(completion)](bool opened) {
        completeOnMain(completion, opened);
    });
}

void AuthService::openDefaultURL(const VYDAuthRequest& request, Completion completion) {
    const auto url = urlManager_.makeWebURL(request);
    // Without an opener or a screen to present over, nothing can open: say so instead of
    // claiming a page that the user never sees.
    complete(completion, url && router_.openWebPage(*url, WebSceneSecureLevel::high, nullptr));
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
