#include "sdk/services/CertificatesService.hpp"

#include "sdk/catalogue/SdkBundle.hpp"
#include "support/TestCertificates.hpp"
#include "support/sdk/TemporaryBundle.hpp"

#include <gtest/gtest.h>

using testsupport::TestCertificates;
using testsupport::TestIdentity;

namespace {

foundation::URLAuthenticationChallenge
serverTrustChallenge(const TestIdentity& server, const std::string& host,
                     const char* method = foundation::NSURLAuthenticationMethodServerTrust) {
    auto trust = security::SecTrust::createForServer({server.certificate()}, host);
    return foundation::URLAuthenticationChallenge(foundation::URLProtectionSpace(host, 443, "https", method, trust));
}

} // namespace

TEST(CertificatesServiceTest, OnlyAServerTrustValidUnderTheSDKsOwnAnchorsForTheHostIsUsed) {
    const auto& certificates = TestCertificates::shared();
    const vyd::CertificatesService ours({certificates.authority.certificate()});
    const vyd::CertificatesService none({});
    // Whoever made the trust may have anchored it elsewhere; only the SDK's anchors decide.
    auto anchoredElsewhere = serverTrustChallenge(certificates.untrusted, "localhost");
    anchoredElsewhere.protectionSpace().serverTrust()->setAnchorCertificates(
        {certificates.otherAuthority.certificate()});
    // Columns: name, service, challenge, trusted.
    using Row = std::tuple<const char*, const vyd::CertificatesService&, foundation::URLAuthenticationChallenge, bool>;
    const Row cases[] = {
        {"trusted by name", ours, serverTrustChallenge(certificates.localhost, "localhost"), true},
        {"trusted by address", ours, serverTrustChallenge(certificates.localhost, "127.0.0.1"), true},
        {"other host", ours, serverTrustChallenge(certificates.localhost, "id.vybank.example"), false},
        {"wrong host", ours, serverTrustChallenge(certificates.wrongHost, "localhost"), false},
        {"other authority", ours, serverTrustChallenge(certificates.untrusted, "localhost"), false},
        {"anchored elsewhere before", ours, anchoredElsewhere, false},
        {"not a server-trust challenge", ours,
         serverTrustChallenge(certificates.localhost, "localhost", foundation::NSURLAuthenticationMethodDefault),
         false},
        {"no trust", ours,
         foundation::URLAuthenticationChallenge(foundation::URLProtectionSpace(
             "localhost", 443, "https", foundation::NSURLAuthenticationMethodServerTrust, nullptr)),
         false},
        {"no host, no host check", ours, serverTrustChallenge(certificates.localhost, ""), false},
        {"no anchors", none, serverTrustChallenge(certificates.localhost, "localhost"), false},
    };
    for (const auto& [name, service, challenge, trusted] : cases) {
        const auto handling = service.detectAuthHandling(challenge);
        EXPECT_EQ(handling.isUseCredential(), trusted) << name;
        ASSERT_EQ(handling.credential() != nullptr, trusted) << name;
        if (trusted) {
            EXPECT_EQ(handling.credential()->serverTrust()->certificateChain().front(),
                      certificates.localhost.certificate());
        }
    }
}

TEST(CertificatesServiceTest, AnchorsAreReadFromDerAndPemFilesInNameOrderAndTheBundleShipsTheTestRoot) {
    const vydtest::TemporaryBundle folder;
    const auto& certificates = TestCertificates::shared();
    const auto& der = certificates.authority.certificateDER;
    folder.writeFile("b-authority.der", std::string(der.begin(), der.end()));
    folder.writeFile("a-other.pem", certificates.otherAuthority.certificatePEM);
    folder.writeFile("c-garbage.der", "not a certificate");
    folder.writeFile("d-notes.txt", certificates.localhost.certificatePEM);

    EXPECT_EQ(vyd::CertificatesService::loadAnchors(folder.path()),
              (std::vector{certificates.otherAuthority.certificate(), certificates.authority.certificate()}));
    EXPECT_TRUE(vyd::CertificatesService::loadAnchors(folder.path() / "missing").empty());

    // The SDK bundle ships the VY Bank test root.
    const auto anchors = vyd::CertificatesService::bundleAnchors();
    ASSERT_EQ(anchors.size(), 1u) << vyd::sdkBundlePath();
    EXPECT_EQ(anchors.front().subjectSummary(), "VY Bank Test Root CA");
}
