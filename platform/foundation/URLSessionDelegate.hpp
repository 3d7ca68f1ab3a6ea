#pragma once

#include "platform/foundation/URLAuthenticationChallenge.hpp"

namespace foundation {

class URLSession;

class URLSessionDelegate {
public:
    virtual ~URLSessionDelegate() = default;

    // A server asks to be trusted (or another session-wide challenge). Called on the session's
    // delegate queue; the handler may be called later and from any thread. Until it is called
    // the connection waits and no request byte is sent; a handler dropped without being called
    // counts as cancelAuthenticationChallenge. Not overriding this is default handling.
    virtual void urlSession(URLSession& session, const URLAuthenticationChallenge& challenge,
                            URLAuthenticationChallengeHandler completionHandler) {
        completionHandler(URLSessionAuthChallengeDisposition::performDefaultHandling, std::nullopt);
    }
};

} // namespace foundation
