#include "sdk/base/DIContainer.hpp"

#include "sdk/services/StaticStorageServiceProtocol.hpp"
#include "support/sdk/FakeAppMethodsWrapper.hpp"
#include "support/sdk/ScopedServices.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

using vyd::DIContainer;

namespace {

template <class Protocol>
using Setter = std::shared_ptr<Protocol> (*)(std::shared_ptr<Protocol>);

// Made on first use and shared; a replacement is handed out until it is taken away, each setter
// handing back what it replaced, and then a fresh one is made.
template <class Protocol>
void expectSharedAndReplaceable(std::shared_ptr<Protocol> (*get)(), Setter<Protocol> set) {
    set(nullptr);
    const auto replacement = get(); // the entry's own product, handed back as a replacement
    set(nullptr);
    const auto first = get(); // never null: `fresh` below would equal it
    EXPECT_NE(first, replacement);
    EXPECT_EQ(get(), first);
    EXPECT_EQ(set(replacement), first);
    EXPECT_EQ(get(), replacement);
    EXPECT_EQ(set(nullptr), replacement);
    const auto fresh = get();
    EXPECT_NE(fresh, replacement);
    EXPECT_NE(fresh, first);
}

#define EXPECT_ENTRY(Name, Setter) expectSharedAndReplaceable(&DIContainer::Name, &DIContainer::Setter)

} // namespace

TEST(ServiceContainerTest, EveryServiceIsSharedAndReplaceable) {
    EXPECT_ENTRY(delegateManager, setDelegateManager);
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

TEST(ServiceContainerTest, FirstUseFromManyThreadsMakesOneInstance) {
    DIContainer::setDelegateManager(nullptr);
    std::vector<std::shared_ptr<vyd::DelegateManagerProtocol>> seen(8);
    std::vector<std::jthread> threads;
    for (std::size_t i = 0; i < seen.size(); ++i) {
        threads.emplace_back([&seen, i] { seen[i] = DIContainer::delegateManager(); });
    }
    threads.clear(); // joins them
    EXPECT_EQ(std::count(seen.begin(), seen.end(), DIContainer::delegateManager()), 8);
}

TEST(ServiceContainerTest, SessionStoreReportsToTheContainersAnalyticsService) {
    DIContainer::setStaticStorageService(nullptr);
    DIContainer::setAnalyticsService(nullptr);
    EXPECT_EQ(DIContainer::staticStorageService()->analyticsService(), DIContainer::analyticsService());
    DIContainer::setStaticStorageService(nullptr);
}

TEST(ServiceContainerTest, TheTwoApplicationWrappersAreSeparateEntries) {
    EXPECT_NE(DIContainer::appMethodsWrapper(), DIContainer::appMethodWrapper());
    vydtest::ScopedServices services;
    const auto second = std::make_shared<vydtest::FakeAppMethodsWrapper>();
    services.replace(&DIContainer::setAppMethodWrapper, second);
    services.replace(&DIContainer::setAppMethodsWrapper, std::make_shared<vydtest::FakeAppMethodsWrapper>());
    EXPECT_EQ(DIContainer::appMethodWrapper(), second);
}
