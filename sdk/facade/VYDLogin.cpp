#include "sdk/facade/VYDLogin.hpp"

#include "sdk/facade/AuthAssembler.hpp"
#include "sdk/facade/PartnerSSOOpener.hpp"

#include "platform/foundation/NotificationCenter.hpp"
#include "sdk/base/AuthParamKey.hpp"
#include "sdk/base/DIContainer.hpp"
#include "sdk/base/NotificationNames.hpp"
#include "sdk/base/URLHelpers.hpp"
#include "sdk/catalogue/L10n.hpp"
#include "sdk/services/AnalyticsParamsMakerProtocol.hpp"
#include "sdk/services/AppTokenServiceProtocol.hpp"
#include "sdk/services/StaticStorageServiceProtocol.hpp"
#include "sdk/services/UserDefaultsServiceProtocol.hpp"

namespace vyd {
namespace {

std::optional<std::string> nonEmpty(const std::map<std::string, std::string>& parameters, std::string_view key) {
    const auto it = parameters.find(std::string(key));
    if (it == parameters.end() || it->second.empty()) {
        return std::nullopt;
    }
    return it->second;
}

} // namespace

std::optional<VYDError> VYDLogin::startLogin(const std::function<std::optional<VYDError>(AuthService&)>& start) {
    auto service = AuthAssembler::create();
    auto error = start(*service);
    // A login that could not start leaves the one under way as it was.
    if (!error) {
        authService_ = std::move(service);
    }
    return error;
}

std::optional<VYDError> VYDLogin::auth(const VYDAuthRequest& request,
                                       const std::shared_ptr<uikit::UIViewController>& viewController) {
    return startLogin([&](AuthService& service) { return service.auth(request, viewController); });
}

std::optional<VYDError> VYDLogin::loginWithIDToWebView(const VYDAuthRequest& request,
                                                       const std::shared_ptr<uikit::UIViewController>& viewController,
                                                       const std::shared_ptr<VYDWebViewDelegateProtocol>& delegate) {
    return startLogin(
        [&](AuthService& service) { return service.loginWithIDToWebView(request, viewController, delegate); });
}

std::optional<VYDError> VYDLogin::reloginAuthELKLite(const VYDAuthRequest& request,
                                                     const std::shared_ptr<uikit::UIViewController>& viewController,
                                                     const std::shared_ptr<VYDWebViewDelegateProtocol>& delegate) {
    return startLogin(
        [&](AuthService& service) { return service.reloginAuthELKLite(request, viewController, delegate); });
}

void VYDLogin::goToPartnerSSO(const LiteELKModel& partner,
                              const std::shared_ptr<uikit::UIViewController>& viewController,
                              SSOCompletion completion) {
    PartnerSSOOpener().open(partner, viewController, std::move(completion));
}

std::optional<VYDAuthResponse> VYDLogin::responseFrom(std::string_view link,
                                                      const std::optional<std::string>& expectedState,
                                                      const std::optional<std::string>& nonce) {
    const auto url = foundation::URL::string(std::string(link));
    if (!url) {
        return std::nullopt;
    }
    const auto parameters = queryParameters(*url);
    VYDAuthResponse response;
    response.nonce = nonce;
    response.state = nonEmpty(parameters, AuthParamKey::state);
    // Any app can open the redirect URI: nothing in a link whose state is not the login's can be
    // trusted, its error and token included; and without a login under way nothing matches.
    if (!response.state || !expectedState || expectedState->empty() || *response.state != *expectedState) {
        response.error = std::string(AuthErrorValue::invalidState);
        return response;
    }
    response.appToken = nonEmpty(parameters, AuthParamKey::appToken);
    if (auto error = nonEmpty(parameters, AuthParamKey::error)) {
        response.error = std::move(error);
    } else if (auto code = nonEmpty(parameters, AuthParamKey::code)) {
        response.code = std::move(code);
    } else {
        response.error = std::string(AuthErrorValue::internalError);
    }
    response.isSuccess = !response.error;
    return response;
}

void VYDLogin::getResponseFrom(const foundation::URL& url, const ResponseCompletion& completion) {
    getResponseFrom(url.absoluteString(), completion);
}

void VYDLogin::getResponseFrom(std::string_view link, const ResponseCompletion& completion) {
    const auto storage = DIContainer::staticStorageService();
    const auto response = responseFrom(link, storage->state(), storage->nonce());
    if (!response) {
        return;
    }
    if (response->appToken) {
        DIContainer::appTokenService()->saveAppToken(*response->appToken);
    }
    const auto analytics = storage->analyticsService();
    const auto paramsMaker = DIContainer::analyticsParamsMaker();
    if (response->isSuccess) {
        const auto logUid = storage->logUid();
        DIContainer::userDefaultsService()->setSavedLogUid(logUid);
        if (analytics) {
            analytics->sendEvent(AnalyticsEventAction::authLogUid, paramsMaker->makeAuthLogUidEventParams(logUid));
        }
    }
    foundation::UserInfo userInfo;
    userInfo.emplace(L10n::Notifications::UserInfo::isSuccess(), response->isSuccess);
    foundation::NotificationCenter::defaultCenter().post(NotificationNames::authNativeResult(), nullptr,
                                                         std::move(userInfo));
    if (analytics) {
        analytics->sendEvent(AnalyticsEventAction::vyIDLoginAuthResult,
                             paramsMaker->makeAuthResultEventParams(*response));
    }
    storage->clearAuthData();
    if (completion) {
        completion(*response);
    }
}

} // namespace vyd
