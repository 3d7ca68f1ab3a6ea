#pragma once
#include "platform/foundation/URLSession.hpp"
#include "sdk/services/CertificatesServiceProtocol.hpp"
#include "sdk/services/NetworkServiceProtocol.hpp"

#include <memory>

namespace vyd {

// Requests over a URL session whose HTTPS servers must satisfy the certificates service.
class NetworkService : public NetworkServiceProtocol {
public:
    // Make it on the main thread or anywhere: completions always run on the main queue.
    explicit NetworkService(std::shared_ptr<CertificatesServiceProtocol> certificatesService);

    void loadImage(const std::string& link, ImageCompletion completion) override;

private:
    class TrustDelegate;

    std::shared_ptr<TrustDelegate> delegate_;
    std::shared_ptr<foundation::URLSession> session_;
};

} // namespace vyd
