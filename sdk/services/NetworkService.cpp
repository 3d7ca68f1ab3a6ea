#include "sdk/services/NetworkService.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/uikit/UIImage.hpp"

namespace vyd {

// Answers the session's server-trust challenges off the main queue, as evaluation may take a
// while, with the certificates service's decision.
class NetworkService::TrustDelegate : public foundation::URLSessionDelegate {
public:
    explicit TrustDelegate(std::shared_ptr<CertificatesServiceProtocol> certificatesService)
        : certificatesService_(std::move(certificatesService)) {}

    void urlSession(foundation::URLSession&, const foundation::URLAuthenticationChallenge& challenge,
                    foundation::URLAuthenticationChallengeHandler completionHandler) override {
        foundation::DispatchQueue::global(foundation::DispatchQoS::UserInteractive)
            .async([service = certificatesService_, challenge, completionHandler = std::move(completionHandler)] {
                const auto handling = service->detectAuthHandling(challenge);
                if (const auto* credential = handling.credential()) {
                    completionHandler(foundation::URLSessionAuthChallengeDisposition::useCredential, *credential);
                } else {
                    completionHandler(foundation::URLSessionAuthChallengeDisposition::cancelAuthenticationChallenge,
                                      std::nullopt);
                }
            });
    }

private:
    std::shared_ptr<CertificatesServiceProtocol> certificatesService_;
};

NetworkService::NetworkService(std::shared_ptr<CertificatesServiceProtocol> certificatesService,
                               foundation::URLSessionConfiguration configuration)
    : delegate_(std::make_shared<TrustDelegate>(std::move(certificatesService))),
      session_(foundation::URLSession::make(std::move(configuration), delegate_, &foundation::DispatchQueue::main())) {}

void NetworkService::loadImage(const std::string& link, ImageCompletion completion) {
    const auto url = foundation::URL::string(link);
    if (!url) {
        foundation::DispatchQueue::main().async([completion = std::move(completion)] {
            if (completion) {
                completion(NetworkRequestError::invalidRequest());
            }
        });
        return;
    }
    auto task = session_->dataTask(
        *url, [completion = std::move(completion)](std::optional<foundation::Data> data,
                                                   std::optional<foundation::HTTPURLResponse> response,
                                                   std::optional<foundation::Error> error) {
            if (!completion) {
                return;
            }
            if (error) {
                completion(NetworkRequestError::fromTransportError(*error));
            } else if (response && response->statusCode() >= 400) {
                completion(NetworkRequestError::fromHTTPResponse(response->statusCode(),
                                                                 data ? foundation::stringFromData(*data) : ""));
            } else if (data && data->size() > maximumImageDataSize) {
                completion(NetworkRequestError::decodingFailed());
            } else {
                completion(data ? uikit::UIImage::fromData(*data) : std::shared_ptr<uikit::UIImage>());
            }
        });
    task->resume();
}

} // namespace vyd
