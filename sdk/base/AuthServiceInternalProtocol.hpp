#pragma once
#include "sdk/base/VYDAuthRequest.hpp"

#include <functional>
#include <string>

namespace vyd {

// The login's authorization attempts that the native choice screens start. Each may be called
// from any thread; the completion runs on the main queue with whether the attempt opened
// something. None throws.
class AuthServiceInternalProtocol {
public:
    using Completion = std::function<void(bool)>;

    virtual ~AuthServiceInternalProtocol() = default;

    // Opens one bank app with the app-to-app link built from its deep-link address; false when
    // no link could be made or the app did not open.
    virtual void authenticateUserByDeeplink(const std::string& deeplink, const VYDAuthRequest& request,
                                            Completion completion) = 0;
    // Opens the authorization page in the full-screen web scene (security level high, no
    // delegate); false, with nothing opened, when no page address can be made.
    virtual void authenticateUserByDefaultURL(const VYDAuthRequest& request, Completion completion) = 0;
    // Tries the remote configuration's bank-app schemes in order (the first that opens wins),
    // then falls back to the authorization page.
    virtual void authenticateUserPriorityApp2AppNoVCScenarios(const VYDAuthRequest& request, Completion completion) = 0;
};

} // namespace vyd
