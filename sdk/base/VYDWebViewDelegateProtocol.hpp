#pragma once
#include "sdk/base/DelegateManagerProtocol.hpp"
#include "sdk/base/VYDAuthResponse.hpp"

#include <functional>
#include <optional>
#include <string>

namespace vyd {

// The host app's listener of the SDK's web scenes. Register it with the delegate manager, or
// hand it to the login operation that opens a scene.
class VYDWebViewDelegateProtocol : public virtual DelegateObject {
public:
    // The user closed the scene, or it could not go on.
    virtual void webViewReject() = 0;
};

// Optional: adopt it as well to hear the result of a relogin without being asked to continue.
class VYDWebViewReloginStatusDelegate : public virtual VYDWebViewDelegateProtocol {
public:
    virtual void reloginStatus(const VYDAuthResponse& result) = 0;
};

// Optional: adopt it as well to hear the result of a personal-account relogin and let the SDK go
// on to the partner's page. `continueAppToWeb` takes the user identifier (or none) and may be
// called only while this member runs.
class VYDWebViewReloginContinueDelegate : public virtual VYDWebViewDelegateProtocol {
public:
    using ContinueAppToWeb = std::function<void(std::optional<std::string> userId)>;

    virtual void reloginStatusContinueAppToWeb(const VYDAuthResponse& result,
                                               const ContinueAppToWeb& continueAppToWeb) = 0;
};

} // namespace vyd
