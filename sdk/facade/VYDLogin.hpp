#pragma once
#include "platform/foundation/URL.hpp"
#include "sdk/base/VYDAuthResponse.hpp"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace vyd {

// The host app's login operations.
class VYDLogin {
public:
    using ResponseCompletion = std::function<void(const VYDAuthResponse&)>;

    // Turns the return link that the VY Bank app or page opened into the login's result. A link
    // that is not a URL is ignored and the completion is never called. Otherwise, on the calling
    // thread and in this order: the link's app token is stored (a link with a wrong state gives
    // none); on success the session's log identifier is saved and reported; the
    // "AuthNativeResult" notification is posted with "isSuccess"; the result is reported; the
    // login's state, nonce and redirect URI are dropped; the completion runs.
    void getResponseFrom(std::string_view link, const ResponseCompletion& completion);
    void getResponseFrom(const foundation::URL& url, const ResponseCompletion& completion);

    // The result a return link gives for the login's stored state and nonce, with no effects;
    // nothing when the link is not a URL. First the state: missing or different (or no login
    // under way) gives "invalid_state" with neither code nor app token. Then the link's own
    // "error", if any, is the failure; then a missing code gives "internal_error".
    static std::optional<VYDAuthResponse> responseFrom(std::string_view link,
                                                       const std::optional<std::string>& expectedState,
                                                       const std::optional<std::string>& nonce);
};

} // namespace vyd
