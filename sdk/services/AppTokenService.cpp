#include "sdk/services/AppTokenService.hpp"

#include "sdk/base/URLHelpers.hpp"
#include "sdk/catalogue/L10n.hpp"

namespace vyd {

AppTokenService::AppTokenService(std::shared_ptr<StaticStorageServiceProtocol> staticStorageService,
                                 std::shared_ptr<SharedKeychainServiceProtocol> sharedKeychainService)
    : staticStorageService_(std::move(staticStorageService)), sharedKeychainService_(std::move(sharedKeychainService)) {
}

void AppTokenService::saveAppToken(const std::string& token) {
    sharedKeychainService_->saveAppTokenData(AppTokenDataModel{token, foundation::Date::now()});
}

std::optional<AppTokenDataModel> AppTokenService::appToken() const { return sharedKeychainService_->appTokenData(); }

void AppTokenService::deleteAppToken() { sharedKeychainService_->deleteAppTokenData(); }

void AppTokenService::reloginSSOELKLite(std::function<void(SSOResult)> completion) {
    auto result = makeSSOAddress();
    if (completion) {
        completion(std::move(result));
    }
}

SSOResult AppTokenService::makeSSOAddress() {
    const auto model = staticStorageService_->liteELKModel();
    const auto link = model->partnerWebLinkELKLite;
    const auto url = link ? foundation::URL::string(*link) : std::nullopt;
    // The token travels in the address, so only a page reached over TLS may receive it.
    if (!url || !isSecureWebLink(*url)) {
        return VYDError{VYDErrorType::linkIsNotValid, L10n::Ui::Errors::linkIsNotValid()};
    }
    const auto token = appToken();
    if (!token || token->token.empty()) {
        return VYDError{VYDErrorType::appTokenNotFound, std::nullopt};
    }
    foundation::URL address = *url;
    if (model->partnerClientIdElkLite) {
        address = byAddingQueryItem(address, ssoClientIdQueryItem, *model->partnerClientIdElkLite);
    }
    return byAddingQueryItem(address, ssoAppTokenQueryItem, token->token);
}

} // namespace vyd
