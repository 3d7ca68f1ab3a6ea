#include "platform/security/SecTrust.hpp"

#include "support/TestCertificates.hpp"

#include <gmock/gmock.h>

using security::SecCertificate;
using security::SecPolicy;
using security::SecTrust;
using testsupport::TestCertificates;
using testsupport::TestIdentity;

namespace {

struct TrustCase {
    const char* name;
    const TestIdentity TestCertificates::*leaf;
    const TestIdentity TestCertificates::*anchor; // null: the system's trust store
    const char* host;
    bool trusted;
    const char* errorPart;
};

// Anchored chains by name and address, a wrong host and another authority run through the SDK's
// certificate service in its own tests.
const TrustCase trustCases[] = {
    {"expired", &TestCertificates::expired, &TestCertificates::authority, "localhost", false, "expired"},
    {"self-signed", &TestCertificates::selfSigned, &TestCertificates::authority, "localhost", false, "self-signed"},
    {"host names ignore case", &TestCertificates::localhost, &TestCertificates::authority, "LocalHost", true, ""},
    {"leaf pinned as its own anchor", &TestCertificates::localhost, &TestCertificates::localhost, "localhost", true,
     ""},
    {"other IP address", &TestCertificates::localhost, &TestCertificates::authority, "127.0.0.2", false,
     "IP address mismatch"},
    {"anchor of another authority", &TestCertificates::localhost, &TestCertificates::otherAuthority, "localhost", false,
     "unable to get local issuer"},
    {"test authority is not in the system store", &TestCertificates::localhost, nullptr, "localhost", false,
     "unable to get local issuer"},
};

TEST(SecTrust, FollowsAnchorsHostAndValidity) {
    const auto& certificates = TestCertificates::shared();
    for (const TrustCase& test : trustCases) {
        SCOPED_TRACE(test.name);
        auto trust = SecTrust::createForServer({(certificates.*test.leaf).certificate()}, test.host);
        if (test.anchor != nullptr) {
            trust->setAnchorCertificates({(certificates.*test.anchor).certificate()});
        }
        auto result = trust->evaluate();
        EXPECT_EQ(std::pair(result.trusted, result.error.empty()), std::pair(test.trusted, test.trusted));
        EXPECT_THAT(result.error, testing::HasSubstr(test.errorPart));
    }
}

TEST(SecTrust, HostCheckBelongsToThePolicy) {
    const auto& certificates = TestCertificates::shared();
    auto trust = SecTrust::createForServer({certificates.wrongHost.certificate()}, "localhost");
    trust->setAnchorCertificates({certificates.authority.certificate()});
    ASSERT_FALSE(trust->evaluate().trusted);

    trust->setPolicy(SecPolicy::createSSL(true, "wrong-host.invalid"));
    EXPECT_TRUE(trust->evaluate().trusted) << trust->evaluate().error;
    EXPECT_EQ(trust->host(), "wrong-host.invalid");
}

TEST(SecTrust, AnchorsPlusSystemStoreStillTrustsTheAnchors) {
    const auto& certificates = TestCertificates::shared();
    auto trust = SecTrust::createForServer({certificates.localhost.certificate()}, "localhost");
    trust->setAnchorCertificates({certificates.authority.certificate()});
    trust->setAnchorCertificatesOnly(false);
    EXPECT_TRUE(trust->evaluate().trusted) << trust->evaluate().error;

    trust->setAnchorCertificates({});
    EXPECT_FALSE(trust->evaluate().trusted) << "clearing the anchors must drop the test CA";
}

TEST(SecTrust, EmptyChainIsRefusedWithAReason) {
    auto trust = SecTrust::createForServer({}, "localhost");
    auto result = trust->evaluate();
    EXPECT_FALSE(result.trusted);
    EXPECT_FALSE(result.error.empty());
}

TEST(SecCertificate, AcceptsOnlyWholeDERCertificates) {
    const auto& der = TestCertificates::shared().localhost.certificateDER;
    EXPECT_TRUE(SecCertificate::createWithData(der).has_value());

    auto withTrailingByte = der;
    withTrailingByte.push_back(0);
    auto truncated = security::Bytes(der.begin(), der.end() - 1);
    const security::Bytes garbage{'n', 'o', 't', ' ', 'a', ' ', 'c', 'e', 'r', 't'};
    for (const auto& bad : {withTrailingByte, truncated, garbage, security::Bytes{}}) {
        EXPECT_FALSE(SecCertificate::createWithData(bad).has_value());
    }
}

TEST(SecCertificate, ReadsEveryCertificateOfAPEMText) {
    const auto& certificates = TestCertificates::shared();
    std::string pem = certificates.localhost.certificatePEM + certificates.localhost.privateKeyPEM +
                      "-----BEGIN CERTIFICATE-----\nbm90IGRlcg==\n-----END CERTIFICATE-----\n" +
                      certificates.authority.certificatePEM;

    auto read = SecCertificate::createFromPEM(pem);

    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0].data(), certificates.localhost.certificateDER);
    EXPECT_EQ(read[1].data(), certificates.authority.certificateDER);
    EXPECT_EQ(read[1].subjectSummary(), "VY ID Test CA");
    EXPECT_TRUE(SecCertificate::createFromPEM("no PEM here").empty());
}

} // namespace
