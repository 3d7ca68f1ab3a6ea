#pragma once
#include "platform/foundation/URL.hpp"
#include "sdk/base/AuthType.hpp"
#include "sdk/base/VYDAuthRequest.hpp"
#include "sdk/services/StaticStorageServiceProtocol.hpp"

#include <memory>
#include <optional>
#include <string_view>

namespace vyd {

// Builds the authorization links of a login. Each gets, after the base's own query items:
// response_type (web addresses only), client_id, state, nonce, scope, redirect_uri,
// code_challenge and code_challenge_method (when the request has them), login_hint (when
// given), auth_type and logUid (when the session has one). No link without a client identifier.
class AuthURLManager {
public:
    explicit AuthURLManager(std::shared_ptr<StaticStorageServiceProtocol> staticStorageService);

    // The app-to-app link for one bank app, from its deep-link address or bare URL scheme
    // ("vybank" counts as "vybank://").
    std::optional<foundation::URL> makeAppToAppURL(std::string_view deeplink, const VYDAuthRequest& request) const;
    // The authorization page: the request's SSO base address (unless empty), else the stand's
    // page (as the host app set it for a test stand). Only a web address qualifies.
    std::optional<foundation::URL> makeWebURL(const VYDAuthRequest& request) const;

private:
    std::optional<foundation::URL> make(const foundation::URL& base, const VYDAuthRequest& request,
                                        AuthType authType) const;

    std::shared_ptr<StaticStorageServiceProtocol> staticStorageService_;
};

} // namespace vyd
