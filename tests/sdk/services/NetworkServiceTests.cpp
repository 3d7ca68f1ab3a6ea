#include "sdk/services/NetworkService.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/foundation/URLError.hpp"
#include "platform/uikit/UIImage.hpp"
#include "sdk/services/CertificatesService.hpp"
#include "support/TestCertificates.hpp"
#include "support/TestServer.hpp"
#include "support/sdk/TemporaryBundle.hpp"

#include <gtest/gtest.h>

#include <thread>

using testsupport::TestCertificates;
using testsupport::TestRequest;
using testsupport::TestResponse;
using testsupport::TestServer;
using Kind = vyd::NetworkRequestError::Kind;

namespace {

class NetworkServiceTest : public ::testing::Test {
protected:
    void SetUp() override { foundation::RunLoop::main().discardPending(); }

    vyd::ImageResult load(const std::string& link) {
        std::optional<vyd::ImageResult> result;
        bool onMain = false;
        network->loadImage(link, [&](vyd::ImageResult value) {
            onMain = foundation::isMainThread();
            result = std::move(value);
        });
        EXPECT_TRUE(foundation::RunLoop::main().runUntil([&] { return result.has_value(); }, 20));
        EXPECT_TRUE(onMain) << "completions run on the main queue";
        return result.value_or(vyd::NetworkRequestError::unknown());
    }

    static std::shared_ptr<uikit::UIImage> imageOf(const vyd::ImageResult& result) {
        const auto* image = std::get_if<std::shared_ptr<uikit::UIImage>>(&result);
        return image ? *image : nullptr;
    }
    static std::optional<vyd::NetworkRequestError> errorOf(const vyd::ImageResult& result) {
        const auto* error = std::get_if<vyd::NetworkRequestError>(&result);
        return error ? std::optional(*error) : std::nullopt;
    }
    static void serveLogo(TestServer& server) {
        server.handle("GET", "/logo.png", [](const TestRequest&) {
            return TestResponse{200, vydtest::sourceBundleFile("vy_logo.png"), "image/png", {}};
        });
    }

    std::unique_ptr<TestServer> server = TestServer::startHTTP();
    std::shared_ptr<vyd::NetworkService> network = std::make_shared<vyd::NetworkService>(
        std::make_shared<vyd::CertificatesService>(std::vector<security::SecCertificate>{}));
};

} // namespace

TEST_F(NetworkServiceTest, PNGBecomesAnImageOfItsSize) {
    serveLogo(*server);
    const auto image = imageOf(load(server->url("/logo.png")));
    ASSERT_NE(image, nullptr);
    const auto expected =
        uikit::UIImage::fromData(foundation::dataFromString(vydtest::sourceBundleFile("vy_logo.png")));
    ASSERT_NE(expected, nullptr);
    EXPECT_EQ(image->size().width, expected->size().width);
    EXPECT_EQ(image->size().height, expected->size().height);
}

TEST_F(NetworkServiceTest, HTMLPageSucceedsWithoutAnImage) {
    server->handle("GET", "/page", [](const TestRequest&) {
        return TestResponse{200, "<html><body>Not an image</body></html>", "text/html", {}};
    });
    const auto result = load(server->url("/page"));
    ASSERT_FALSE(errorOf(result).has_value());
    EXPECT_EQ(imageOf(result), nullptr);
}

TEST_F(NetworkServiceTest, RefusedConnectionIsAnInternetConnectionError) {
    const std::string link = server->url("/logo.png");
    server.reset(); // nothing listens on the port any more
    const auto error = errorOf(load(link));
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->kind(), Kind::internetConnectionError);
}

TEST_F(NetworkServiceTest, HTTPErrorIsABackendErrorWithTheServersModel) {
    server->handle("GET", "/missing", [](const TestRequest&) {
        return TestResponse{404, R"({"code": "IMG-404", "description": "No such image"})", "application/json", {}};
    });
    server->handle("GET", "/broken", [](const TestRequest&) {
        return TestResponse{503, "<h1>down</h1>", "text/html", {}};
    });

    const auto missing = errorOf(load(server->url("/missing")));
    ASSERT_TRUE(missing.has_value());
    EXPECT_EQ(missing->kind(), Kind::backendError);
    EXPECT_EQ(missing->model(), (vyd::ErrorModel{404, "IMG-404", "No such image"}));

    const auto broken = errorOf(load(server->url("/broken")));
    ASSERT_TRUE(broken.has_value());
    EXPECT_EQ(broken->model(), (vyd::ErrorModel{503, std::nullopt, std::nullopt}));
}

TEST_F(NetworkServiceTest, LinkThatIsNotAURLIsAnInvalidRequestWithoutARequest) {
    for (const char* link : {"", "not a link", "ftp://127.0.0.1/x"}) {
        const auto error = errorOf(load(link));
        ASSERT_TRUE(error.has_value()) << link;
        EXPECT_EQ(error->kind(), Kind::invalidRequest) << link;
    }
    EXPECT_EQ(server->requestCount(), 0u);
}

// Through a real TLS connection: the network service asks the certificates service.
TEST_F(NetworkServiceTest, ImageLoadsOnlyFromAServerTheCertificatesServiceTrusts) {
    network = std::make_shared<vyd::NetworkService>(std::make_shared<vyd::CertificatesService>(
        std::vector<security::SecCertificate>{TestCertificates::shared().authority.certificate()}));
    for (const bool trusted : {true, false}) {
        const auto& identity = trusted ? TestCertificates::shared().localhost : TestCertificates::shared().untrusted;
        auto tlsServer = TestServer::startHTTPS(identity);
        serveLogo(*tlsServer);

        const auto result = load(tlsServer->localhostURL("/logo.png"));

        if (trusted) {
            EXPECT_NE(imageOf(result), nullptr);
            EXPECT_EQ(tlsServer->requestCount(), 1u);
        } else {
            const auto error = errorOf(result);
            ASSERT_TRUE(error.has_value());
            EXPECT_EQ(error->kind(), Kind::unknown);
            EXPECT_EQ(tlsServer->requestCount(), 0u) << "no request byte leaves for a refused server";
        }
    }
}

TEST_F(NetworkServiceTest, LoadStartedOnAWorkerCompletesOnTheMainQueue) {
    server->handle("GET", "/page", [](const TestRequest&) { return TestResponse{200, "x", "text/plain", {}}; });
    std::optional<bool> onMain;
    std::thread worker([&] {
        network->loadImage(server->url("/page"), [&](vyd::ImageResult) { onMain = foundation::isMainThread(); });
    });
    worker.join();
    ASSERT_TRUE(foundation::RunLoop::main().runUntil([&] { return onMain.has_value(); }, 20));
    EXPECT_TRUE(*onMain);
}

TEST(NetworkRequestErrorTest, TransportErrorsMapByCause) {
    const std::vector<std::pair<int, Kind>> table{
        {foundation::NSURLErrorNotConnectedToInternet, Kind::internetConnectionError},
        {foundation::NSURLErrorCannotConnectToHost, Kind::internetConnectionError},
        {foundation::NSURLErrorCannotFindHost, Kind::internetConnectionError},
        {foundation::NSURLErrorNetworkConnectionLost, Kind::internetConnectionError},
        {foundation::NSURLErrorTimedOut, Kind::internetConnectionError},
        {foundation::NSURLErrorBadURL, Kind::invalidRequest},
        {foundation::NSURLErrorUnsupportedURL, Kind::invalidRequest},
        {foundation::NSURLErrorCancelled, Kind::unknown},
        {foundation::NSURLErrorServerCertificateUntrusted, Kind::unknown},
        {foundation::NSURLErrorSecureConnectionFailed, Kind::unknown},
    };
    for (const auto& [code, kind] : table) {
        EXPECT_EQ(vyd::NetworkRequestError::fromTransportError(foundation::makeURLError(code)).kind(), kind) << code;
    }
    EXPECT_EQ(vyd::NetworkRequestError::fromTransportError({"OtherDomain", foundation::NSURLErrorTimedOut, ""}).kind(),
              Kind::unknown);
}
