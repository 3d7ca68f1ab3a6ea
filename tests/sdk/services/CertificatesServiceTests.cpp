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

vyd::CertificatesService serviceTrustingTheTestAuthority() {
    return vyd::CertificatesService({TestCertificates::shared().authority.certificate()});
}

} // namespace

TEST(CertificatesServiceTest, OnlyAnAnchoredValidCertificateForTheHostIsUsed) {
    const auto& certificates = TestCertificates::shared();
    const struct {
        const char* name;
        const TestIdentity& server;
        const char* host;
        bool trusted;
    } cases[] = {
        {"trusted by name", certificates.localhost, "localhost", true},
        {"trusted by address", certificates.localhost, "127.0.0.1", true},
        {"other host", certificates.localhost, "id.vybank.example", false},
        {"wrong host", certificates.wrongHost, "localhost", false},
        {"other authority", certificates.untrusted, "localhost", false},
    };
    for (const auto& row : cases) {
        const auto handling =
            serviceTrustingTheTestAuthority().detectAuthHandling(serverTrustChallenge(row.server, row.host));
        EXPECT_EQ(handling.isUseCredential(), row.trusted) << row.name;
        if (row.trusted) {
            ASSERT_NE(handling.credential(), nullptr) << row.name;
            EXPECT_EQ(handling.credential()->serverTrust()->certificateChain().front(), row.server.certificate());
        } else {
            EXPECT_EQ(handling.credential(), nullptr) << row.name;
        }
    }
}

TEST(CertificatesServiceTest, ChallengesItCannotJudgeByItsOwnAnchorsAreCancelled) {
    const auto& certificates = TestCertificates::shared();
    // Whoever made the trust may have anchored it elsewhere; only the SDK's anchors decide.
    auto anchoredElsewhere = serverTrustChallenge(certificates.untrusted, "localhost");
    anchoredElsewhere.protectionSpace().serverTrust()->setAnchorCertificates(
        {certificates.otherAuthority.certificate()});
    const struct {
        const char* name;
        vyd::CertificatesService service;
        foundation::URLAuthenticationChallenge challenge;
    } cases[] = {
        {"not a server-trust challenge", serviceTrustingTheTestAuthority(),
         serverTrustChallenge(certificates.localhost, "localhost", foundation::NSURLAuthenticationMethodDefault)},
        {"no trust", serviceTrustingTheTestAuthority(),
         foundation::URLAuthenticationChallenge(foundation::URLProtectionSpace(
             "localhost", 443, "https", foundation::NSURLAuthenticationMethodServerTrust, nullptr))},
        {"no host, no host check", serviceTrustingTheTestAuthority(), serverTrustChallenge(certificates.localhost, "")},
        {"no anchors", vyd::CertificatesService({}), serverTrustChallenge(certificates.localhost, "localhost")},
        {"anchored elsewhere before", serviceTrustingTheTestAuthority(), anchoredElsewhere},
    };
    for (const auto& test : cases) {
        EXPECT_FALSE(test.service.detectAuthHandling(test.challenge).isUseCredential()) << test.name;
    }
}

TEST(CertificatesServiceTest, AnchorsAreReadFromDerAndPemFilesInNameOrder) {
    const vydtest::TemporaryBundle folder;
    const auto& certificates = TestCertificates::shared();
    const auto& der = certificates.authority.certificateDER;
    folder.writeFile("b-authority.der", std::string(der.begin(), der.end()));
    folder.writeFile("a-other.pem", certificates.otherAuthority.certificatePEM);
    folder.writeFile("c-garbage.der", "not a certificate");
    folder.writeFile("d-notes.txt", certificates.localhost.certificatePEM);

    const auto anchors = vyd::CertificatesService::loadAnchors(folder.path());
    ASSERT_EQ(anchors.size(), 2u);
    EXPECT_EQ(anchors[0], certificates.otherAuthority.certificate());
    EXPECT_EQ(anchors[1], certificates.authority.certificate());
    EXPECT_TRUE(vyd::CertificatesService::loadAnchors(folder.path() / "missing").empty());
}

TEST(CertificatesServiceTest, BundleShipsTheVYBankTestRoot) {
    const auto anchors = vyd::CertificatesService::bundleAnchors();
    ASSERT_EQ(anchors.size(), 1u) << vyd::sdkBundlePath();
    EXPECT_EQ(anchors.front().subjectSummary(), "VY Bank Test Root CA");
}
