#include "sdk/facade/AuthTypeDeterminer.hpp"

#include "sdk/base/URLHelpers.hpp"

namespace vyd {

AuthTypeDeterminer::AuthTypeDeterminer(std::shared_ptr<StaticStorageServiceProtocol> staticStorageService)
    : staticStorageService_(std::move(staticStorageService)) {}

AuthMethod AuthTypeDeterminer::determine(const VYDAuthRequest& request) const {
    if (request.ssoBaseUrl && !request.ssoBaseUrl->empty()) {
        const auto url = foundation::URL::string(*request.ssoBaseUrl);
        return url && isWebLink(*url) ? AuthMethod::webPage : AuthMethod::deeplink;
    }
    return staticStorageService_->stand() == VYDStandType::prom ? AuthMethod::choice : AuthMethod::webPage;
}

} // namespace vyd
