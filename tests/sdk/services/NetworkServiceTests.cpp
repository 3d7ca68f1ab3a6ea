#include "sdk/services/NetworkService.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/foundation/URLError.hpp"
#include "platform/uikit/UIImage.hpp"
#include "sdk/services/CertificatesService.hpp"
#include "support/TestCertificates.hpp"
#include "support/TestServer.hpp"
#include "support/sdk/TemporaryBundle.hpp"

#include <gtest/gtest.h>

using namespace testsupport;
using Kind = vyd::NetworkRequestError::Kind;

namespace {

class NetworkServiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        foundation::RunLoop::main().discardPending();
        serveLogo(*server);
    }

    // What a load gave, in words: "image <width>x<height>", "no image" or the error with its model.
    std::string load(const std::string& link) {
        std::optional<vyd::ImageResult> result;
        bool onMain = false;
        network->loadImage(link, [&](vyd::ImageResult value) {
            onMain = foundation::isMainThread();
            result = std::move(value);
        });
        EXPECT_TRUE(foundation::RunLoop::main().runUntil([&] { return result.has_value(); }, 20));
        EXPECT_TRUE(onMain) << "completions run on the main queue";
        if (const auto* image = std::get_if<std::shared_ptr<uikit::UIImage>>(&*result)) {
            return *image ? sizeOf(**image) : "no image";
        }
        const auto& error = std::get<vyd::NetworkRequestError>(*result);
        std::string text = "error " + std::to_string(static_cast<int>(error.kind()));
        if (const auto& model = error.model()) {
            text += " " + std::to_string(model->httpCode) + " " + model->code.value_or("-") + " " +
                    model->description.value_or("-");
        }
        return text;
    }
    static std::string sizeOf(const uikit::UIImage& image) {
        return "image " + std::to_string(image.size().width) + "x" + std::to_string(image.size().height);
    }
    static std::string kind(Kind kind) { return "error " + std::to_string(static_cast<int>(kind)); }

    static void serve(TestServer& to, const std::string& path, TestResponse response) {
        to.handle("GET", path, [response](const TestRequest&) { return response; });
    }
    static void serveLogo(TestServer& to) {
        serve(to, "/logo.png", {200, vydtest::sourceBundleFile("vy_logo.png"), "image/png", {}});
    }

    std::unique_ptr<TestServer> server = TestServer::startHTTP();
    std::shared_ptr<vyd::NetworkService> network = std::make_shared<vyd::NetworkService>(
        std::make_shared<vyd::CertificatesService>(std::vector<security::SecCertificate>{}));
};

} // namespace

TEST_F(NetworkServiceTest, ImageOrWhyThereIsNone) {
    const auto logo = uikit::UIImage::fromData(foundation::dataFromString(vydtest::sourceBundleFile("vy_logo.png")));
    ASSERT_NE(logo, nullptr);
    serve(*server, "/page", {200, "<html><body>Not an image</body></html>", "text/html", {}});
    serve(*server, "/missing", {404, R"({"code": "IMG-404", "description": "No such image"})", "application/json", {}});
    serve(*server, "/broken", {503, "<h1>down</h1>", "text/html", {}});
    std::string closedPort = TestServer::startHTTP()->url("/logo.png"); // nothing listens there any more
    const std::pair<std::string, std::string> cases[] = {
        {server->url("/logo.png"), sizeOf(*logo)},
        {server->url("/page"), "no image"},
        {server->url("/missing"), kind(Kind::backendError) + " 404 IMG-404 No such image"},
        {server->url("/broken"), kind(Kind::backendError) + " 503 - -"},
        {closedPort, kind(Kind::internetConnectionError)},
        {"", kind(Kind::invalidRequest)},
        {"not a link", kind(Kind::invalidRequest)},
        {"ftp://127.0.0.1/x", kind(Kind::invalidRequest)},
    };
    for (const auto& [link, expected] : cases) {
        EXPECT_EQ(load(link), expected) << link;
    }
    EXPECT_EQ(server->requestCount(), 4u) << "a link that is no web address makes no request";
}

// Through a real TLS connection: the network service asks the certificates service.
TEST_F(NetworkServiceTest, ImageLoadsOnlyFromAServerTheCertificatesServiceTrusts) {
    network = std::make_shared<vyd::NetworkService>(std::make_shared<vyd::CertificatesService>(
        std::vector<security::SecCertificate>{TestCertificates::shared().authority.certificate()}));
    for (const bool trusted : {true, false}) {
        auto tlsServer = TestServer::startHTTPS(trusted ? TestCertificates::shared().localhost
                                                        : TestCertificates::shared().untrusted);
        serveLogo(*tlsServer);
        const auto result = load(tlsServer->localhostURL("/logo.png"));
        EXPECT_EQ(result.rfind(trusted ? "image" : kind(Kind::unknown), 0), 0u) << result;
        EXPECT_EQ(tlsServer->requestCount(), trusted ? 1u : 0u) << "no request byte leaves for a refused server";
    }
}

TEST(NetworkRequestErrorTest, TransportErrorsMapByCause) {
    for (const auto& [code, kind] : std::vector<std::pair<int, Kind>>{
             {foundation::NSURLErrorNotConnectedToInternet, Kind::internetConnectionError},
             {foundation::NSURLErrorTimedOut, Kind::internetConnectionError},
             {foundation::NSURLErrorBadURL, Kind::invalidRequest},
             {foundation::NSURLErrorServerCertificateUntrusted, Kind::unknown}}) {
        EXPECT_EQ(vyd::NetworkRequestError::fromTransportError(foundation::makeURLError(code)).kind(), kind) << code;
    }
    EXPECT_EQ(vyd::NetworkRequestError::fromTransportError({"OtherDomain", foundation::NSURLErrorTimedOut, ""}).kind(),
              Kind::unknown);
}
