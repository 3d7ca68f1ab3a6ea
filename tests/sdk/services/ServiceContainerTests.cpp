#include "sdk/core/DIContainer.hpp"

#include "sdk/core/AppMethodsWrapperProtocol.hpp"
#include "sdk/core/KWPresenceCheckerProtocol.hpp"
#include "sdk/core/RootViewControllerStorageProtocol.hpp"
#include "sdk/screens/web/WebSceneOpenerProtocol.hpp"
#include "sdk/services/AnalyticsParamsMakerProtocol.hpp"
#include "sdk/services/AppTokenServiceProtocol.hpp"
#include "sdk/services/CertificatesServiceProtocol.hpp"
#include "sdk/services/FileServiceProtocol.hpp"
#include "sdk/services/ImageCacheProtocol.hpp"
#include "sdk/services/NetworkServiceProtocol.hpp"
#include "sdk/services/StaticStorageServiceProtocol.hpp"
#include "sdk/services/UserDefaultsServiceProtocol.hpp"
#include "support/sdk/FakeAppMethodsWrapper.hpp"

#include <gtest/gtest.h>

using vyd::DIContainer;

namespace {

// Made on first use and shared; a replacement is handed out until it is taken away, and then a
// fresh one is made.
template <class Protocol>
void expectSharedAndReplaceable(std::shared_ptr<Protocol> (*get)(), void (*set)(std::shared_ptr<Protocol>),
                                std::shared_ptr<Protocol> replacement) {
    const auto first = get();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(get(), first);
    set(replacement);
    EXPECT_EQ(get(), replacement);
    set(nullptr);
    const auto fresh = get();
    ASSERT_NE(fresh, nullptr);
    EXPECT_NE(fresh, replacement);
    EXPECT_NE(fresh, first);
}

// A container entry's own product, to hand back as a replacement.
template <class Protocol>
std::shared_ptr<Protocol> madeBy(std::shared_ptr<Protocol> (*get)(), void (*set)(std::shared_ptr<Protocol>)) {
    set(nullptr);
    auto made = get();
    set(nullptr);
    return made;
}

#define EXPECT_ENTRY(Name, Setter)                                                                                     \
    expectSharedAndReplaceable(&DIContainer::Name, &DIContainer::Setter, madeBy(&DIContainer::Name, &DIContainer::Setter))

} // namespace

TEST(ServiceContainerTest, EveryServiceIsSharedAndReplaceable) {
    EXPECT_ENTRY(staticStorageService, setStaticStorageService);
    EXPECT_ENTRY(analyticsService, setAnalyticsService);
    EXPECT_ENTRY(analyticsParamsMaker, setAnalyticsParamsMaker);
    EXPECT_ENTRY(certificatesService, setCertificatesService);
    EXPECT_ENTRY(networkService, setNetworkService);
    EXPECT_ENTRY(imageCache, setImageCache);
    EXPECT_ENTRY(fileService, setFileService);
    EXPECT_ENTRY(appTokenService, setAppTokenService);
    EXPECT_ENTRY(userDefaultsService, setUserDefaultsService);
    EXPECT_ENTRY(kwPresenceChecker, setKwPresenceChecker);
    EXPECT_ENTRY(rootViewControllerStorage, setRootViewControllerStorage);
    EXPECT_ENTRY(appMethodsWrapper, setAppMethodsWrapper);
    EXPECT_ENTRY(appMethodWrapper, setAppMethodWrapper);
}

TEST(ServiceContainerTest, SessionStoreReportsToTheContainersAnalyticsService) {
    DIContainer::setStaticStorageService(nullptr);
    DIContainer::setAnalyticsService(nullptr);
    EXPECT_EQ(DIContainer::staticStorageService()->analyticsService(), DIContainer::analyticsService());
    DIContainer::setStaticStorageService(nullptr);
}

TEST(ServiceContainerTest, TheTwoApplicationWrappersAreSeparateEntries) {
    EXPECT_NE(DIContainer::appMethodsWrapper(), DIContainer::appMethodWrapper());
    auto first = std::make_shared<vydtest::FakeAppMethodsWrapper>();
    auto second = std::make_shared<vydtest::FakeAppMethodsWrapper>();
    DIContainer::setAppMethodsWrapper(first);
    DIContainer::setAppMethodWrapper(second);
    EXPECT_EQ(DIContainer::appMethodsWrapper(), first);
    EXPECT_EQ(DIContainer::appMethodWrapper(), second);
    DIContainer::setAppMethodsWrapper(nullptr);
    EXPECT_EQ(DIContainer::appMethodWrapper(), second);
    DIContainer::setAppMethodWrapper(nullptr);
}

TEST(ServiceContainerTest, WebSceneOpenerIsWhateverWasSet) {
    class Opener : public vyd::WebSceneOpenerProtocol {
        void openScene(const foundation::URL&, const vyd::WebScenePresentationStyle&, bool,
                       const std::optional<uikit::UIColor>&,
                       const std::shared_ptr<vyd::VYDWebViewDelegateProtocol>&) override {}
    };
    auto opener = std::make_shared<Opener>();
    DIContainer::setWebSceneOpener(opener);
    EXPECT_EQ(DIContainer::webSceneOpener(), opener);
    DIContainer::setWebSceneOpener(nullptr);
}
