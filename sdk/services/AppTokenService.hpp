#pragma once
#include "sdk/services/AppTokenServiceProtocol.hpp"
#include "sdk/services/SharedKeychainServiceProtocol.hpp"
#include "sdk/services/StaticStorageServiceProtocol.hpp"

#include <memory>
#include <string_view>

namespace vyd {

// The single-sign-on address is the partner's link with two more query items:
// "client_id" (the partner's client identifier, when known) and "app_token".
inline constexpr std::string_view ssoClientIdQueryItem = "client_id";
inline constexpr std::string_view ssoAppTokenQueryItem = "app_token";

class AppTokenService : public AppTokenServiceProtocol {
public:
    AppTokenService(std::shared_ptr<StaticStorageServiceProtocol> staticStorageService,
                    std::shared_ptr<SharedKeychainServiceProtocol> sharedKeychainService);

    void saveAppToken(const std::string& token) override;
    std::optional<AppTokenDataModel> appToken() const override;
    void deleteAppToken() override;
    void reloginSSOELKLite(std::function<void(SSOResult)> completion) override;

private:
    SSOResult makeSSOAddress();

    std::shared_ptr<StaticStorageServiceProtocol> staticStorageService_;
    std::shared_ptr<SharedKeychainServiceProtocol> sharedKeychainService_;
};

} // namespace vyd
