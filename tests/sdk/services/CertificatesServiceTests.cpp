#include "sdk/services/CertificatesService.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "sdk/catalogue/SdkBundle.hpp"
#include "sdk/services/NetworkService.hpp"
#include "support/TestCertificates.hpp"
#include "support/TestServer.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

using testsupport::TestCertificates;
using testsupport::TestIdentity;

namespace {

foundation::URLAuthenticationChallenge serverTrustChallenge(const TestIdentity& server, const std::string& host,
                                                            const char* method =
                                                                foundation::NSURLAuthenticationMethodServerTrust) {
    auto trust = security::SecTrust::createForServer({server.certificate()}, host);
    return foundation::URLAuthenticationChallenge(foundation::URLProtectionSpace(host, 443, "https", method, trust));
}

vyd::CertificatesService serviceTrustingTheTestAuthority() {
    return vyd::CertificatesService({TestCertificates::shared().authority.certificate()});
}

struct TrustCase {
    const char* name;
    const TestIdentity TestCertificates::*server;
    const char* host;
    bool trusted;
};

class DetectAuthHandlingTest : public ::testing::TestWithParam<TrustCase> {};

} // namespace

TEST_P(DetectAuthHandlingTest, OnlyAnAnchoredValidCertificateForTheHostIsUsed) {
    const auto& row = GetParam();
    const auto handling =
        serviceTrustingTheTestAuthority().detectAuthHandling(serverTrustChallenge(TestCertificates::shared().*row.server, row.host));
    EXPECT_EQ(handling.isUseCredential(), row.trusted);
    if (row.trusted) {
        ASSERT_NE(handling.credential(), nullptr);
        EXPECT_EQ(handling.credential()->serverTrust()->certificateChain().front(),
                  (TestCertificates::shared().*row.server).certificate());
    } else {
        EXPECT_EQ(handling.credential(), nullptr);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Servers, DetectAuthHandlingTest,
    ::testing::Values(TrustCase{"trustedByName", &TestCertificates::localhost, "localhost", true},
                      TrustCase{"trustedByAddress", &TestCertificates::localhost, "127.0.0.1", true},
                      TrustCase{"otherHost", &TestCertificates::localhost, "id.vybank.example", false},
                      TrustCase{"wrongHost", &TestCertificates::wrongHost, "localhost", false},
                      TrustCase{"expired", &TestCertificates::expired, "localhost", false},
                      TrustCase{"selfSigned", &TestCertificates::selfSigned, "localhost", false},
                      TrustCase{"otherAuthority", &TestCertificates::untrusted, "localhost", false}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(CertificatesServiceTest, ChallengesThatAreNotServerTrustWithATrustAreCancelled) {
    const auto service = serviceTrustingTheTestAuthority();
    const auto& localhost = TestCertificates::shared().localhost;
    EXPECT_FALSE(service.detectAuthHandling(serverTrustChallenge(localhost, "localhost",
                                                                 foundation::NSURLAuthenticationMethodDefault))
                     .isUseCredential());
    const foundation::URLAuthenticationChallenge withoutTrust(foundation::URLProtectionSpace(
        "localhost", 443, "https", foundation::NSURLAuthenticationMethodServerTrust, nullptr));
    EXPECT_FALSE(service.detectAuthHandling(withoutTrust).isUseCredential());
    EXPECT_FALSE(service.detectAuthHandling(serverTrustChallenge(localhost, "")).isUseCredential())
        << "no host, no host check";
}

TEST(CertificatesServiceTest, WithoutAnchorsNothingIsTrusted) {
    const vyd::CertificatesService service({});
    EXPECT_FALSE(service.detectAuthHandling(serverTrustChallenge(TestCertificates::shared().localhost, "localhost"))
                     .isUseCredential());
}

TEST(CertificatesServiceTest, AnchorsSetOnTheTrustBeforeAreReplacedByTheSdks) {
    // Whoever made the trust may have anchored it elsewhere; only the SDK's anchors decide.
    const auto service = serviceTrustingTheTestAuthority();
    auto challenge = serverTrustChallenge(TestCertificates::shared().untrusted, "localhost");
    challenge.protectionSpace().serverTrust()->setAnchorCertificates(
        {TestCertificates::shared().otherAuthority.certificate()});
    EXPECT_FALSE(service.detectAuthHandling(challenge).isUseCredential());
}

TEST(CertificatesServiceTest, AnchorsAreReadFromDerAndPemFilesInNameOrder) {
    std::string pattern = (std::filesystem::temp_directory_path() / "vyd-anchors-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    const std::filesystem::path folder = pattern;
    const auto write = [&folder](const char* name, const std::string& content) {
        std::ofstream(folder / name, std::ios::binary) << content;
    };
    const auto& certificates = TestCertificates::shared();
    const auto& der = certificates.authority.certificateDER;
    write("b-authority.der", std::string(der.begin(), der.end()));
    write("a-other.pem", certificates.otherAuthority.certificatePEM);
    write("c-garbage.der", "not a certificate");
    write("d-notes.txt", certificates.localhost.certificatePEM);

    const auto anchors = vyd::CertificatesService::loadAnchors(folder);
    ASSERT_EQ(anchors.size(), 2u);
    EXPECT_EQ(anchors[0], certificates.otherAuthority.certificate());
    EXPECT_EQ(anchors[1], certificates.authority.certificate());
    EXPECT_TRUE(vyd::CertificatesService::loadAnchors(folder / "missing").empty());
    std::filesystem::remove_all(folder);
}

TEST(CertificatesServiceTest, BundleShipsTheVYBankTestRoot) {
    const auto anchors = vyd::CertificatesService::bundleAnchors();
    ASSERT_EQ(anchors.size(), 1u) << vyd::sdkBundlePath();
    EXPECT_EQ(anchors.front().subjectSummary(), "VY Bank Test Root CA");
}

// Through a real TLS connection: the network service asks the certificates service.
class CertificatesOverTLSTest : public ::testing::TestWithParam<TrustCase> {
protected:
    void SetUp() override { foundation::RunLoop::main().discardPending(); }
};

TEST_P(CertificatesOverTLSTest, ImageLoadsOnlyFromATrustedServer) {
    const auto& row = GetParam();
    auto server = testsupport::TestServer::startHTTPS(TestCertificates::shared().*row.server);
    server->handle("GET", "/logo.png", [](const testsupport::TestRequest&) {
        std::ifstream in(std::string(VYD_SOURCE_DIR) + "/resources/VYDCore.bundle/vy_logo.png", std::ios::binary);
        return testsupport::TestResponse{200, std::string(std::istreambuf_iterator<char>(in), {}), "image/png", {}};
    });
    vyd::NetworkService network(
        std::make_shared<vyd::CertificatesService>(serviceTrustingTheTestAuthority().anchors()));

    std::optional<vyd::ImageResult> result;
    network.loadImage(server->localhostURL("/logo.png"), [&result](vyd::ImageResult value) { result = std::move(value); });
    ASSERT_TRUE(foundation::RunLoop::main().runUntil([&] { return result.has_value(); }, 20));

    if (row.trusted) {
        ASSERT_TRUE(std::holds_alternative<std::shared_ptr<uikit::UIImage>>(*result));
        EXPECT_NE(std::get<std::shared_ptr<uikit::UIImage>>(*result), nullptr);
        EXPECT_EQ(server->requestCount(), 1u);
    } else {
        ASSERT_TRUE(std::holds_alternative<vyd::NetworkRequestError>(*result));
        EXPECT_EQ(std::get<vyd::NetworkRequestError>(*result).kind(), vyd::NetworkRequestError::Kind::unknown);
        EXPECT_EQ(server->requestCount(), 0u) << "no request byte leaves for a refused server";
    }
}

INSTANTIATE_TEST_SUITE_P(Servers, CertificatesOverTLSTest,
                         ::testing::Values(TrustCase{"trusted", &TestCertificates::localhost, "localhost", true},
                                           TrustCase{"untrusted", &TestCertificates::untrusted, "localhost", false}),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });
