#include "sdk/uikit/ImageLoading.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/uikit/UIImageView.hpp"
#include "sdk/base/DIContainer.hpp"
#include "sdk/services/CertificatesService.hpp"
#include "sdk/services/FileService.hpp"
#include "sdk/services/ImageCache.hpp"
#include "sdk/services/NetworkService.hpp"
#include "sdk/uikit/ViewShimmer.hpp"
#include "support/TestServer.hpp"
#include "support/sdk/ScopedServices.hpp"
#include "support/sdk/TemporaryBundle.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <thread>

namespace {

using namespace testsupport;
using uikit::UIImage;
using Kind = vyd::NetworkRequestError::Kind;

bool hasShimmer(const uikit::UIView& view) {
    const auto& layers = view.layer()->sublayers();
    return std::any_of(layers.begin(), layers.end(),
                       [](const auto& l) { return l->name() == vyd::ShimmerKey::shimmer; });
}

class ImageLoadingTest : public ::testing::Test {
protected:
    void SetUp() override {
        foundation::RunLoop::main().discardPending();
        useNetwork(foundation::URLSessionConfiguration::defaultConfiguration());
        services.replace(&vyd::DIContainer::setImageCache, cache);
        services.replace(&vyd::DIContainer::setFileService, files);
        serve("/logo.png", logo(), "image/png");
    }
    void TearDown() override {
        server.reset();
        foundation::RunLoop::main().discardPending();
    }

    void useNetwork(foundation::URLSessionConfiguration configuration) {
        services.replace(
            &vyd::DIContainer::setNetworkService,
            std::make_shared<vyd::NetworkService>(
                std::make_shared<vyd::CertificatesService>(std::vector<security::SecCertificate>{}), configuration));
    }
    static std::string logo() { return vydtest::sourceBundleFile("vy_logo.png"); }
    void serve(const std::string& path, std::string body, std::string type) {
        server->handle("GET", path, [body, type](const TestRequest&) { return TestResponse{200, body, type, {}}; });
    }
    static void waitFor(const std::function<bool()>& done) {
        ASSERT_TRUE(foundation::RunLoop::main().runUntil(done, 20));
    }
    std::shared_ptr<UIImage> cacheableImage(const std::optional<std::string>& link) {
        std::optional<std::shared_ptr<UIImage>> result;
        vyd::loadCacheableImage(link, [&](std::shared_ptr<UIImage> image) { result = std::move(image); });
        waitFor([&] { return result.has_value(); });
        return result.value_or(nullptr);
    }
    std::size_t filesOnDisk() const {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder.path()), {}));
    }

    vydtest::ScopedServices services;
    vydtest::TemporaryBundle folder;
    std::unique_ptr<testsupport::TestServer> server = testsupport::TestServer::startHTTP();
    std::shared_ptr<vyd::ImageCache> cache = std::make_shared<vyd::ImageCache>();
    std::shared_ptr<vyd::FileService> files = std::make_shared<vyd::FileService>(folder.path());
};

TEST_F(ImageLoadingTest, CacheableLoadGoesToMemoryThenDiskThenNetworkAndTheViewShowsIt) {
    const auto link = server->url("/logo.png");
    const auto loaded = cacheableImage(link); // not null: the file below would be missing
    EXPECT_EQ(cache->image(link), loaded);
    EXPECT_NE(files->loadImage(link), nullptr);
    EXPECT_EQ(cacheableImage(link), loaded) << "served from memory: disk and network would make another image";

    services.replace(&vyd::DIContainer::setImageCache, cache = std::make_shared<vyd::ImageCache>()); // a new launch
    const auto fromDisk = cacheableImage(link);
    ASSERT_NE(fromDisk, nullptr);
    EXPECT_EQ(cache->image(link), fromDisk) << "a disk hit fills the memory cache";
    EXPECT_EQ(server->requestCount(), 1u);

    // An image view shows the network's image in its rendering mode once the shimmer ends.
    const auto view = uikit::UIImageView::make(uikit::CGRect(0, 0, 40, 40));
    view->setHidden(true);
    vyd::setImage(view, link, uikit::UIImageRenderingMode::alwaysTemplate);
    EXPECT_FALSE(view->isHidden());
    EXPECT_TRUE(hasShimmer(*view));
    waitFor([&] { return view->image() != nullptr; });
    EXPECT_FALSE(hasShimmer(*view));
    EXPECT_EQ(view->image()->renderingMode(), uikit::UIImageRenderingMode::alwaysTemplate);
}

TEST_F(ImageLoadingTest, OverlappingLoadsOfOneLinkMakeOneRequestAndStoreOneImage) {
    const auto link = server->url("/logo.png");
    std::vector<std::shared_ptr<UIImage>> results; // network results arrive on the main queue
    const auto collect = [&](std::shared_ptr<UIImage> image) { results.push_back(std::move(image)); };
    server->holdResponses();
    std::thread([&] { vyd::loadCacheableImage(link, collect); }).join();
    vyd::loadCacheableImage(link, collect);
    server->releaseResponses();
    waitFor([&] { return results.size() == 2; });
    EXPECT_EQ(results[0], results[1]); // not both null: no file would be stored
    EXPECT_EQ(server->requestCount(), 1u);
    EXPECT_EQ(filesOnDisk(), 1u);
}

// Whatever the server does wrong, nothing is stored, the shimmering view settles and nothing
// crashes: data that is no image is a success without one, the rest are failures.
TEST_F(ImageLoadingTest, BadAnswersStoreNothing) {
    const std::string png = logo();
    std::string huge = png;
    huge.resize(50 * 1024 * 1024, '\x7f');
    const std::tuple<std::string, std::string, std::optional<Kind>> table[] = {
        {"/page", "<html><body>VY Bank</body></html>", std::nullopt},
        {"/truncated.png", png.substr(0, png.size() / 2), std::nullopt},
        {"/huge.png", std::move(huge), Kind::decodingFailed},
        {"/never.png", "", Kind::internetConnectionError},
    };
    for (const auto& [path, body, failure] : table) {
        serve(path, body, path == "/page" ? "text/html" : "image/png");
        if (path == "/never.png") {
            server->holdResponses();
            foundation::URLSessionConfiguration impatient;
            impatient.timeoutIntervalForRequest = 0.5;
            useNetwork(impatient);
        }
        const auto link = server->url(path);
        std::optional<vyd::ImageResult> result;
        vyd::loadImage(link, [&](vyd::ImageResult value) { result = std::move(value); });
        waitFor([&] { return result.has_value(); });
        if (failure) { // std::get throws, failing the test, on an image
            EXPECT_EQ(std::get<vyd::NetworkRequestError>(*result).kind(), *failure) << path;
        } else {
            EXPECT_EQ(std::get<std::shared_ptr<UIImage>>(*result), nullptr) << path;
        }
        EXPECT_EQ(cacheableImage(link), nullptr) << path;

        // A success without an image clears the view; a failure hides it and leaves its image.
        const auto view = uikit::UIImageView::make(UIImage::fromData(foundation::dataFromString(png)));
        vyd::setImage(view, link, true, uikit::UIImageRenderingMode::alwaysTemplate);
        waitFor([&] { return !hasShimmer(*view); });
        EXPECT_EQ(view->isHidden(), failure.has_value()) << path;
        EXPECT_EQ(view->image() == nullptr, !failure) << path;
    }
    server->releaseResponses();
    EXPECT_EQ(cache->count(), 0u);
    EXPECT_EQ(filesOnDisk(), 0u);
}

TEST_F(ImageLoadingTest, WithoutALinkNothingIsRequested) {
    std::optional<vyd::ImageResult> result;
    vyd::loadImage(std::nullopt, [&](vyd::ImageResult value) { result = std::move(value); });
    ASSERT_TRUE(result.has_value()) << "on the caller's thread, before the call returns";
    EXPECT_EQ(std::get<vyd::NetworkRequestError>(*result).kind(), Kind::invalidRequest);
    EXPECT_EQ(cacheableImage(std::nullopt), nullptr);

    // The shimmer lasts one pass of the main queue; the view keeps its image.
    const auto previous = UIImage::fromData(foundation::dataFromString(logo()));
    for (const bool hideOnFailure : {true, false}) {
        const auto view = uikit::UIImageView::make(previous);
        vyd::setImage(view, std::nullopt, hideOnFailure, uikit::UIImageRenderingMode::automatic);
        EXPECT_TRUE(hasShimmer(*view));
        foundation::RunLoop::main().runUntilIdle();
        EXPECT_FALSE(hasShimmer(*view));
        EXPECT_EQ(view->isHidden(), hideOnFailure);
        EXPECT_EQ(view->image(), previous);
    }
    EXPECT_EQ(server->requestCount(), 0u);

    EXPECT_EQ(vyd::imageWithSymbolName("no_such_image"), nullptr);
    const auto bundled = vyd::imageWithSymbolName("vy_logo");
    ASSERT_NE(bundled, nullptr);
    EXPECT_EQ(vyd::scaleToSize(bundled, {0, 0}), bundled) << "no context for an empty size: the image itself";
}

} // namespace
