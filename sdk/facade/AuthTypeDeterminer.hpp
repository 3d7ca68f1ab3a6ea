#pragma once
#include "sdk/base/VYDAuthRequest.hpp"
#include "sdk/services/StaticStorageServiceProtocol.hpp"

#include <memory>

namespace vyd {

// How a login goes.
enum class AuthMethod {
    // The authorization page in the full-screen web scene.
    webPage,
    // A VY Bank app opened with the app-to-app link.
    deeplink,
    // The native choice: sheets, app-to-app attempts, the page as fallback.
    choice,
};

class AuthTypeDeterminer {
public:
    explicit AuthTypeDeterminer(std::shared_ptr<StaticStorageServiceProtocol> staticStorageService);

    // A request with an SSO base URL goes there: a web page for an http(s) address, a deep link
    // for anything else (an empty one counts as none). Without one: the choice on the production
    // stand, the web page on the test stands.
    AuthMethod determine(const VYDAuthRequest& request) const;

private:
    std::shared_ptr<StaticStorageServiceProtocol> staticStorageService_;
};

} // namespace vyd
