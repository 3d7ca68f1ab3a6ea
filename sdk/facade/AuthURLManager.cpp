#include "sdk/facade/AuthURLManager.hpp"

#include "sdk/base/AuthParamKey.hpp"
#include "sdk/base/KWAppInfo.hpp"
#include "sdk/base/URLHelpers.hpp"
#include "sdk/services/Enviroment.hpp"

namespace vyd {

AuthURLManager::AuthURLManager(std::shared_ptr<StaticStorageServiceProtocol> staticStorageService)
    : staticStorageService_(std::move(staticStorageService)) {}

std::optional<foundation::URL> AuthURLManager::makeAppToAppURL(std::string_view deeplink,
                                                               const VYDAuthRequest& request) const {
    const auto base = foundation::URL::string(bankAppAddress(deeplink));
    if (!base || !base->scheme()) {
        return std::nullopt;
    }
    return make(*base, request, AuthType::app2app);
}

std::optional<foundation::URL> AuthURLManager::makeWebURL(const VYDAuthRequest& request) const {
    const bool hasSSOBase = request.ssoBaseUrl && !request.ssoBaseUrl->empty();
    const auto stand = staticStorageService_->stand();
    const std::string address =
        hasSSOBase
            ? *request.ssoBaseUrl
            : staticStorageService_->authorizationPageURL(stand).value_or(Enviroment::authorizationPageURL(stand));
    const auto base = foundation::URL::string(address);
    if (!base || !isWebLink(*base) || !base->host()) {
        return std::nullopt;
    }
    return make(*base, request, AuthType::app2web);
}

std::optional<foundation::URL> AuthURLManager::make(const foundation::URL& base, const VYDAuthRequest& request,
                                                    AuthType authType) const {
    const auto clientId = staticStorageService_->clientId();
    if (!clientId || clientId->empty()) {
        return std::nullopt;
    }
    foundation::URL url = base;
    const auto add = [&url](std::string_view name, std::string_view value) {
        url = byAddingQueryItem(url, name, value);
    };
    if (isWebLink(base)) {
        add(AuthParamKey::responseType, authorizationCodeResponseType);
    }
    add(AuthParamKey::clientId, *clientId);
    add(AuthParamKey::state, request.state);
    add(AuthParamKey::nonce, request.nonce);
    add(AuthParamKey::scope, request.scope);
    add(AuthParamKey::redirectUri, request.redirectUri);
    if (request.codeChallenge) {
        add(AuthParamKey::codeChallenge, *request.codeChallenge);
        if (request.codeChallengeMethod) {
            add(AuthParamKey::codeChallengeMethod, *request.codeChallengeMethod);
        }
    }
    if (request.loginHint) {
        add(AuthParamKey::loginHint, *request.loginHint);
    }
    add(AuthParamKey::authType, rawValue(authType));
    if (const auto logUid = staticStorageService_->logUid()) {
        add(AuthParamKey::logUid, *logUid);
    }
    return url;
}

} // namespace vyd
