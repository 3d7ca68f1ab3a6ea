#pragma once
#include "sdk/base/AppMethodsWrapperProtocol.hpp"
#include "sdk/base/AuthServiceInternalProtocol.hpp"
#include "sdk/facade/AuthURLManager.hpp"
#include "sdk/base/RootViewControllerStorageProtocol.hpp"
#include "sdk/base/WebSceneOpenerProtocol.hpp"
#include "sdk/services/StaticStorageServiceProtocol.hpp"

#include <memory>
#include <vector>

namespace vyd {

// The authorization service of one login. An attempt keeps the service alive until its
// completion has run.
class AuthService : public AuthServiceInternalProtocol, public std::enable_shared_from_this<AuthService> {
public:
    // The web scene opener is looked up when a page is to open, so that it may come later.
    using WebSceneOpenerProvider = std::function<std::shared_ptr<WebSceneOpenerProtocol>()>;

    static std::shared_ptr<AuthService> make(std::shared_ptr<StaticStorageServiceProtocol> staticStorageService,
                                             std::shared_ptr<AppMethodsWrapperProtocol> appMethodsWrapper,
                                             std::shared_ptr<RootViewControllerStorageProtocol> rootViewControllerStorage,
                                             WebSceneOpenerProvider webSceneOpener);
    // With the container's services.
    static std::shared_ptr<AuthService> make();

    void authenticateUserByDeeplink(const std::string& deeplink, const VYDAuthRequest& request,
                                    Completion completion) override;
    void authenticateUserByDefaultURL(const VYDAuthRequest& request, Completion completion) override;
    void authenticateUserPriorityApp2AppNoVCScenarios(const VYDAuthRequest& request, Completion completion) override;

private:
    AuthService(std::shared_ptr<StaticStorageServiceProtocol> staticStorageService,
                std::shared_ptr<AppMethodsWrapperProtocol> appMethodsWrapper,
                std::shared_ptr<RootViewControllerStorageProtocol> rootViewControllerStorage,
                WebSceneOpenerProvider webSceneOpener);

    // Main queue only.
    void openDeeplink(const std::string& deeplink, const VYDAuthRequest& request, Completion completion);
    void openDefaultURL(const VYDAuthRequest& request, Completion completion);
    void tryDeeplinks(std::shared_ptr<const std::vector<std::string>> deeplinks, std::size_t index,
                      VYDAuthRequest request, Completion completion);

    std::shared_ptr<StaticStorageServiceProtocol> staticStorageService_;
    std::shared_ptr<AppMethodsWrapperProtocol> appMethodsWrapper_;
    std::shared_ptr<RootViewControllerStorageProtocol> rootViewControllerStorage_;
    WebSceneOpenerProvider webSceneOpener_;
    AuthURLManager urlManager_;
};

} // namespace vyd
