// A server presents whatever chain it likes. Evaluating it against the SDK's anchors, as the
// certificate service does for every challenge, must not crash, and no chain the fuzzer can
// make (it cannot sign for the anchor's key) may be trusted. With the first bit of the input
// set, the rest is a list of certificates, each a two-byte length and its DER; otherwise it is
// edits of the anchor, presented as the server's own certificate. Each chain is also tried
// ending in the anchors themselves.
#include "FuzzSupport.hpp"

#include "sdk/services/CertificatesService.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void expectRefused(const vyd::CertificatesService& service, const std::vector<security::SecCertificate>& chain,
                   const std::string& host) {
    auto trust = security::SecTrust::createForServer(chain, host);
    const foundation::URLAuthenticationChallenge challenge(
        foundation::URLProtectionSpace(host, 443, "https", foundation::NSURLAuthenticationMethodServerTrust, trust));
    if (service.detectAuthHandling(challenge).isUseCredential()) {
        std::abort();
    }
}

void addCertificate(std::vector<security::SecCertificate>& chain, std::string_view der) {
    if (auto certificate = security::SecCertificate::createWithData(security::Bytes(der.begin(), der.end()))) {
        chain.push_back(std::move(*certificate));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const vyd::CertificatesService service(vyd::CertificatesService::bundleAnchors());
    if (service.anchors().empty()) {
        std::abort(); // run with VYD_BUNDLE_PATH set to the bundle
    }
    if (size < 1) {
        return 0;
    }
    std::vector<security::SecCertificate> chain;
    if ((data[0] & 1) == 0) {
        const auto& anchor = service.anchors()[0].data();
        addCertificate(chain, fuzzsupport::edited(std::string(anchor.begin(), anchor.end()), data + 1, size - 1));
    } else {
        for (auto rest = fuzzsupport::bytesOf(data + 1, size - 1); rest.size() >= 2;) {
            const std::size_t length =
                std::min<std::size_t>(rest.size() - 2, (std::size_t{static_cast<unsigned char>(rest[0])} << 8) |
                                                           static_cast<unsigned char>(rest[1]));
            addCertificate(chain, rest.substr(2, length));
            rest.remove_prefix(2 + length);
        }
    }
    for (const char* host : {"id.vybank.example", "127.0.0.1"}) {
        expectRefused(service, chain, host);
        auto anchored = chain;
        anchored.insert(anchored.end(), service.anchors().begin(), service.anchors().end());
        expectRefused(service, anchored, host);
    }
    return 0;
}
