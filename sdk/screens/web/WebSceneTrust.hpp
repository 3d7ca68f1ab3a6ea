#pragma once

#include "platform/foundation/URLAuthenticationChallenge.hpp"

#include <functional>
#include <memory>
#include <optional>

namespace vyd {

class CertificatesServiceProtocol;

namespace webscene {

// Asks the certificates service on a worker thread (user-interactive) and answers the challenge
// there: with the credential it gives, or with `refused` and no credential. After a refusal it
// forms the denial log line with the challenge's host and then runs `afterRefusal` on the main
// queue, where a scene may touch its views. A scene that passes itself as `asker` has the challenge cancelled unasked
// once it is gone.
void answerChallenge(std::shared_ptr<CertificatesServiceProtocol> certificatesService,
                     const foundation::URLAuthenticationChallenge& challenge,
                     foundation::URLAuthenticationChallengeHandler completionHandler,
                     foundation::URLSessionAuthChallengeDisposition refused, std::function<void()> afterRefusal,
                     std::optional<std::weak_ptr<const void>> asker = std::nullopt);

} // namespace webscene
} // namespace vyd
