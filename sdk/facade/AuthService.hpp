#pragma once
#include "platform/uikit/UIColor.hpp"
#include "sdk/base/AuthServiceInternalProtocol.hpp"
#include "sdk/base/DelegateManagerProtocol.hpp"
#include "sdk/base/VYDError.hpp"
#include "sdk/facade/AuthMethodRouter.hpp"
#include "sdk/facade/AuthTypeDeterminer.hpp"
#include "sdk/facade/AuthURLManager.hpp"
#include "sdk/services/AppTokenServiceProtocol.hpp"
#include "sdk/services/StaticStorageServiceProtocol.hpp"

#include <memory>
#include <optional>
#include <variant>
#include <vector>

namespace uikit {
class UIViewController;
}

namespace vyd {

class VYDWebViewDelegateProtocol;

// What the authorization service of a login works with.
struct AuthServiceDependencies {
    std::shared_ptr<StaticStorageServiceProtocol> staticStorageService;
    std::shared_ptr<AppMethodsWrapperProtocol> appMethodsWrapper;
    std::shared_ptr<RootViewControllerStorageProtocol> rootViewControllerStorage;
    WebSceneOpenerProvider webSceneOpener;
    std::shared_ptr<AppTokenServiceProtocol> appTokenService;
    std::shared_ptr<DelegateManagerProtocol> delegateManager;
    std::shared_ptr<SlidePanelFactoryProtocol> slidePanelFactory;
    // None: no choice flow is connected, and a login that would show it goes straight to the
    // app-to-app attempts with the page as fallback.
    std::shared_ptr<AuthWithVCsCoordinatorAssemblerProtocol> coordinatorAssembler;
};

// The authorization service of one login: it owns the login's method router (and through it
// the choice flow), and an attempt keeps it alive until its completion has run.
//
// The three logins check their input before they change anything: a missing view controller,
// a redirect URI that is not a URL, or no address to authorize at (no client identifier, an SSO
// base URL that is neither a web address nor an app link) give an error, and then nothing is
// stored, dropped or opened. They run on the main thread.
class AuthService : public AuthServiceInternalProtocol, public std::enable_shared_from_this<AuthService> {
public:
    static std::shared_ptr<AuthService> make(AuthServiceDependencies dependencies);

    // Drops the app token, keeps the view controller, stores state, nonce and redirect URI, and
    // goes the way the type determiner picks: the page in the full-screen web scene (secure,
    // level high), the VY Bank app by its app-to-app link, or the choice flow.
    std::optional<VYDError> auth(const VYDAuthRequest& request,
                                 const std::shared_ptr<uikit::UIViewController>& viewController);
    // The authorization page in the full-screen web scene at level low, whose delegate hears the
    // user's rejection. Keeps the view controller and stores state, nonce and redirect URI.
    std::optional<VYDError> loginWithIDToWebView(const VYDAuthRequest& request,
                                                 const std::shared_ptr<uikit::UIViewController>& viewController,
                                                 const std::shared_ptr<VYDWebViewDelegateProtocol>& delegate);
    // The authorization page in a web panel over the view controller, as the personal-account
    // relogin in the partner's colour. The delegate is registered with the delegate manager, the
    // way the relogin reaches it. Keeps the view controller and stores state, nonce and redirect
    // URI.
    std::optional<VYDError> reloginAuthELKLite(const VYDAuthRequest& request,
                                               const std::shared_ptr<uikit::UIViewController>& viewController,
                                               const std::shared_ptr<VYDWebViewDelegateProtocol>& delegate);

    void authenticateUserByDeeplink(const std::string& deeplink, const VYDAuthRequest& request,
                                    Completion completion) override;
    void authenticateUserByDefaultURL(const VYDAuthRequest& request, Completion completion) override;
    void authenticateUserPriorityApp2AppNoVCScenarios(const VYDAuthRequest& request, Completion completion) override;

private:
    explicit AuthService(AuthServiceDependencies dependencies);

    // Why a login cannot start with this input, if it cannot.
    std::optional<VYDError> checkLogin(const VYDAuthRequest& request,
                                       const std::shared_ptr<uikit::UIViewController>& viewController) const;
    // Why there is no authorization address, if there is none.
    std::optional<VYDError> checkAddress(const std::optional<foundation::URL>& address) const;
    // The authorization page of a login shown in a web scene, or why it cannot start.
    std::variant<foundation::URL, VYDError>
    webLoginAddress(const VYDAuthRequest& request,
                    const std::shared_ptr<uikit::UIViewController>& viewController) const;
    void keepLogin(const VYDAuthRequest& request, const std::shared_ptr<uikit::UIViewController>& viewController);

    // Main queue only.
    void openDeeplink(const std::string& deeplink, const VYDAuthRequest& request, Completion completion);
    void openApp(const foundation::URL& url, Completion completion);
    void openDefaultURL(const VYDAuthRequest& request, Completion completion);
    void tryDeeplinks(std::shared_ptr<const std::vector<std::string>> deeplinks, std::size_t index,
                      VYDAuthRequest request, Completion completion);

    AuthServiceDependencies dependencies_;
    AuthURLManager urlManager_;
    AuthTypeDeterminer typeDeterminer_;
    AuthMethodRouter router_;
};

} // namespace vyd
