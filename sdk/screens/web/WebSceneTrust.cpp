#include "sdk/screens/web/WebSceneTrust.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "sdk/base/Logger.hpp"
#include "sdk/catalogue/L10n.hpp"
#include "sdk/services/CertificatesServiceProtocol.hpp"

namespace vyd::webscene {

using foundation::URLSessionAuthChallengeDisposition;

void answerChallenge(std::shared_ptr<CertificatesServiceProtocol> certificatesService,
                     const foundation::URLAuthenticationChallenge& challenge,
                     foundation::URLAuthenticationChallengeHandler completionHandler,
                     URLSessionAuthChallengeDisposition refused, std::function<void()> afterRefusal,
                     std::optional<std::weak_ptr<const void>> asker) {
    foundation::DispatchQueue::global(foundation::DispatchQoS::UserInteractive)
        .async([service = std::move(certificatesService), challenge, refused, asker = std::move(asker),
                completionHandler = std::move(completionHandler), afterRefusal = std::move(afterRefusal)] {
            if (asker && asker->expired()) {
                completionHandler(URLSessionAuthChallengeDisposition::cancelAuthenticationChallenge, std::nullopt);
                return;
            }
            const auto handling = service->detectAuthHandling(challenge);
            if (const auto* credential = handling.credential()) {
                completionHandler(URLSessionAuthChallengeDisposition::useCredential, *credential);
                return;
            }
            completionHandler(refused, std::nullopt);
            Logger::log(L10n::Logs::openDeniedValue(challenge.protectionSpace().host()));
            if (afterRefusal) {
                foundation::DispatchQueue::main().async(std::move(afterRefusal));
            }
        });
}

} // namespace vyd::webscene
