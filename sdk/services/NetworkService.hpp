#pragma once
#include "platform/foundation/URLSession.hpp"
#include "sdk/services/CertificatesServiceProtocol.hpp"
#include "sdk/services/NetworkServiceProtocol.hpp"

#include <cstddef>
#include <memory>

namespace vyd {

// Requests over a URL session whose HTTPS servers must satisfy the certificates service.
class NetworkService : public NetworkServiceProtocol {
public:
    // The most image data decoded: a larger body is refused as `decodingFailed` rather than
    // decoded into a bitmap that may not fit in memory.
    static constexpr std::size_t maximumImageDataSize = 20 * 1024 * 1024;

    // Make it on the main thread or anywhere: completions always run on the main queue. The
    // configuration's time-outs end requests to servers that never answer.
    explicit NetworkService(std::shared_ptr<CertificatesServiceProtocol> certificatesService,
                            foundation::URLSessionConfiguration configuration =
                                foundation::URLSessionConfiguration::defaultConfiguration());

    void loadImage(const std::string& link, ImageCompletion completion) override;

private:
    class TrustDelegate;

    std::shared_ptr<TrustDelegate> delegate_;
    std::shared_ptr<foundation::URLSession> session_;
};

} // namespace vyd
