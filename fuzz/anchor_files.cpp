// The anchors are whatever files sit in the bundle's "certificates" folder. Any bytes, read as
// DER or as PEM by their extension, must give only certificates that are each exactly one
// well-formed DER encoding, and the certificate service must answer a challenge with them. The
// first byte picks the extension and whether the rest is the whole file or edits of the
// bundle's own anchor (in DER, or in PEM for the PEM extensions).
#include "FuzzSupport.hpp"

#include "sdk/services/CertificatesService.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <openssl/evp.h>

namespace {

std::string soundAnchor(bool pem) {
    const auto anchors = vyd::CertificatesService::bundleAnchors();
    if (anchors.empty()) {
        std::abort(); // run with VYD_BUNDLE_PATH set to the bundle
    }
    const auto& der = anchors[0].data();
    if (!pem) {
        return std::string(der.begin(), der.end());
    }
    std::string base64(4 * ((der.size() + 2) / 3) + 1, '\0');
    base64.resize(static_cast<std::size_t>(
        EVP_EncodeBlock(reinterpret_cast<unsigned char*>(base64.data()), der.data(), static_cast<int>(der.size()))));
    return "-----BEGIN CERTIFICATE-----\n" + base64 + "\n-----END CERTIFICATE-----\n";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    static const std::string sound[] = {soundAnchor(false), soundAnchor(true)};
    const char* extensions[] = {".der", ".cer", ".pem", ".crt"};
    const int kind = data[0] & 3;
    const std::string content = (data[0] & 4) != 0 ? std::string(fuzzsupport::bytesOf(data + 1, size - 1))
                                                   : fuzzsupport::edited(sound[kind / 2], data + 1, size - 1);
    const auto folder = fuzzsupport::scratchFolder() / "certificates";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directory(folder);
    fuzzsupport::writeFile(folder / (std::string("anchor") + extensions[kind]), content);

    const auto anchors = vyd::CertificatesService::loadAnchors(folder);
    for (const auto& anchor : anchors) {
        const auto again = security::SecCertificate::createWithData(anchor.data());
        if (!again || *again != anchor) {
            std::abort();
        }
        (void)anchor.subjectSummary();
    }
    const vyd::CertificatesService service(anchors);
    auto trust = security::SecTrust::createForServer(anchors, "id.vybank.example");
    (void)service.detectAuthHandling(foundation::URLAuthenticationChallenge(foundation::URLProtectionSpace(
        "id.vybank.example", 443, "https", foundation::NSURLAuthenticationMethodServerTrust, trust)));
    return 0;
}
