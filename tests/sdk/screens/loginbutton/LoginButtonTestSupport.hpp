#pragma once
// What the login button's tests share: a session store, analytics and parameter maker of their
// own, a keychain file per test, the log captured, and the main queue drained.
#include "platform/foundation/Dispatch.hpp"
#include "platform/security/Keychain.hpp"
#include "sdk/base/DIContainer.hpp"
#include "sdk/base/Logger.hpp"
#include "sdk/services/AnalyticsParamsMaker.hpp"
#include "sdk/services/AnalyticsService.hpp"
#include "sdk/services/StaticStorageService.hpp"
#include "support/sdk/RecordingAnalyticsSink.hpp"
#include "support/sdk/ScopedServices.hpp"
#include "support/sdk/TemporaryKeychain.hpp"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace vydtest {

inline constexpr const char* testSdkVersion = "2.3.0";
inline constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();
inline constexpr double infinity = std::numeric_limits<double>::infinity();

class LoginButtonTestBase : public ::testing::Test {
protected:
    vydtest::ScopedServices services;

    void SetUp() override {
        foundation::RunLoop::main().discardPending();
        vyd::Logger::setOutput([this](std::string_view text) { printed.emplace_back(text); });
        services.replace(&vyd::DIContainer::setStaticStorageService, store);
        services.replace(&vyd::DIContainer::setAnalyticsService, analytics);
        services.replace(&vyd::DIContainer::setAnalyticsParamsMaker, paramsMaker);
    }

    void TearDown() override {
        foundation::RunLoop::main().runUntilIdle();
        vyd::Logger::setOutput({});
    }

    // What a VY Bank app leaves in the keychain it shares with the SDK.
    void storeBankRecord(const std::string& content) {
        security::Keychain keychain(temporaryKeychain.file());
        const security::KeychainItem item{"VYBank.VYID.shared", "personalizedButtonData", "VYBank.shared",
                                          security::Bytes(content.begin(), content.end())};
        ASSERT_EQ(keychain.set(item), security::errSecSuccess);
    }
    void storeMaskedName(const std::string& name) { storeBankRecord(R"({"maskedName": ")" + name + R"("})"); }

    void drainMainQueue() { foundation::RunLoop::main().runUntilIdle(); }

    std::vector<vyd::AnalyticsEvent> eventsNamed(vyd::AnalyticsEventAction action) const {
        std::vector<vyd::AnalyticsEvent> found;
        for (const auto& event : sink->events()) {
            if (event.name == vyd::eventName(action)) {
                found.push_back(event);
            }
        }
        return found;
    }

    TemporaryKeychain temporaryKeychain;
    std::vector<std::string> printed;
    std::shared_ptr<RecordingAnalyticsSink> sink = std::make_shared<RecordingAnalyticsSink>();
    std::shared_ptr<vyd::AnalyticsService> analytics = std::make_shared<vyd::AnalyticsService>(sink);
    std::shared_ptr<vyd::StaticStorageService> store = std::make_shared<vyd::StaticStorageService>(analytics);
    std::shared_ptr<vyd::AnalyticsParamsMaker> paramsMaker =
        std::make_shared<vyd::AnalyticsParamsMaker>(store, nullptr, [] { return std::string(testSdkVersion); });
};

} // namespace vydtest
