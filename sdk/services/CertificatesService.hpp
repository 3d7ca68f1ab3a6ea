#pragma once
#include "platform/security/SecCertificate.hpp"
#include "sdk/services/CertificatesServiceProtocol.hpp"

#include <filesystem>
#include <vector>

namespace vyd {

// Trusts the servers whose chains lead to the SDK's anchor certificates. The anchors are the
// files of the folder "certificates" in the SDK bundle, DER (".der", ".cer") or PEM (".pem",
// ".crt"). The bundle ships the "VY Bank Test Root CA" made for development; a release build
// replaces the folder's content with the bank's real roots.
class CertificatesService : public CertificatesServiceProtocol {
public:
    explicit CertificatesService(std::vector<security::SecCertificate> anchors);
    // With the anchors of the SDK bundle.
    static std::shared_ptr<CertificatesService> make();

    // Every certificate of the folder's files, in file-name order; files that hold none are
    // skipped. Nothing when the folder is missing.
    static std::vector<security::SecCertificate> loadAnchors(const std::filesystem::path& folder);
    // The SDK bundle's "certificates" folder.
    static std::vector<security::SecCertificate> bundleAnchors();

    ChallengeHandling detectAuthHandling(const foundation::URLAuthenticationChallenge& challenge) const override;

    const std::vector<security::SecCertificate>& anchors() const { return anchors_; }

private:
    std::vector<security::SecCertificate> anchors_;
};

} // namespace vyd
