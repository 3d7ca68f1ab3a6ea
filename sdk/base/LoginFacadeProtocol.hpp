#pragma once
#include "platform/foundation/URL.hpp"
#include "sdk/base/VYDAuthResponse.hpp"

#include <functional>
#include <optional>
#include <string>

namespace vyd {

// The facade's operations that a scene calls back into (the scenes sit below the facade, so
// they reach the shared login and settings through the container). Main thread.
class LoginFacadeProtocol {
public:
    using ResponseCompletion = std::function<void(const VYDAuthResponse&)>;

    virtual ~LoginFacadeProtocol() = default;

    // The shared login's `getResponseFrom`: a link it cannot parse never reaches the completion.
    virtual void getResponseFrom(const foundation::URL& url, const ResponseCompletion& completion) = 0;
    // The shared settings' `applyMainPreferences` with only the user identifier given: none keeps
    // the stored one.
    virtual void applyUserID(const std::optional<std::string>& userID) = 0;
};

} // namespace vyd
