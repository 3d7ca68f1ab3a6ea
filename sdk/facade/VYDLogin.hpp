#pragma once
#include "platform/foundation/URL.hpp"
#include "sdk/base/LiteELKModel.hpp"
#include "sdk/base/VYDAuthRequest.hpp"
#include "sdk/base/VYDAuthResponse.hpp"
#include "sdk/base/VYDError.hpp"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace uikit {
class UIViewController;
}

namespace vyd {

class AuthService;
class VYDWebViewDelegateProtocol;

// The host app's login operations. Those that show something run on the main thread.
class VYDLogin {
public:
    using ResponseCompletion = std::function<void(const VYDAuthResponse&)>;
    using SSOCompletion = std::function<void(const std::optional<VYDError>&)>;

    // Starts a login over `viewController`: drops the app token, keeps the view controller and
    // stores state, nonce and redirect URI for the return link, then goes to the request's SSO
    // base URL (a web page, or a VY Bank app by deep link), or else to the choice on the
    // production stand and to the web page on the test stands. Each login replaces the previous
    // one's objects. An error, with nothing stored or shown, when there is no view controller,
    // the redirect URI is missing or not a URL, no client identifier is set, or the SSO base URL
    // is neither a web address nor an app link.
    std::optional<VYDError> auth(const VYDAuthRequest& request,
                                 const std::shared_ptr<uikit::UIViewController>& viewController);
    // The login inside the SDK's web view: the authorization page full-screen, its delegate told
    // when the user closes it. Errors as for `auth`; the app token stays.
    std::optional<VYDError> loginWithIDToWebView(const VYDAuthRequest& request,
                                                 const std::shared_ptr<uikit::UIViewController>& viewController,
                                                 const std::shared_ptr<VYDWebViewDelegateProtocol>& delegate);
    // The personal account's relogin: the authorization page in a web panel in the partner's
    // colour; after the return link the delegate (registered with the delegate manager) is asked
    // to continue to the partner's page. Errors as for `loginWithIDToWebView`.
    std::optional<VYDError> reloginAuthELKLite(const VYDAuthRequest& request,
                                               const std::shared_ptr<uikit::UIViewController>& viewController,
                                               const std::shared_ptr<VYDWebViewDelegateProtocol>& delegate);
    // Opens the partner's page with single sign-on in a web panel over `viewController` (or in
    // the browser view, as `partner.openInELKLite` says); the partner becomes the session's
    // personal-account partner. The completion (main queue) gets an error when the partner link
    // is not a web address, there is no view controller or no app token is stored.
    void goToPartnerSSO(const LiteELKModel& partner, const std::shared_ptr<uikit::UIViewController>& viewController,
                        SSOCompletion completion);

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

private:
    std::optional<VYDError> startLogin(const std::function<std::optional<VYDError>(AuthService&)>& start);

    // The objects of the login under way.
    std::shared_ptr<AuthService> authService_;
};

} // namespace vyd
