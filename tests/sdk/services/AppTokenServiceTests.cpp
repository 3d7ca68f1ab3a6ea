#include "sdk/services/AppTokenService.hpp"

#include "sdk/services/SharedKeychainService.hpp"
#include "sdk/services/StaticStorageService.hpp"
#include "support/sdk/TemporaryKeychain.hpp"

#include <gtest/gtest.h>

using namespace vyd;
namespace {

class AppTokenServiceTest : public ::testing::Test {
protected:
    SSOResult relogin(std::optional<std::string> link, std::optional<std::string> clientId = "partner-7") {
        storage->liteELKModel()->partnerWebLinkELKLite = std::move(link);
        storage->liteELKModel()->partnerClientIdElkLite = std::move(clientId);
        std::optional<SSOResult> result;
        service->reloginSSOELKLite([&result](SSOResult value) { result = std::move(value); });
        EXPECT_TRUE(result.has_value()) << "completes before returning";
        return result.value_or(VYDError{});
    }

    vydtest::TemporaryKeychain keychain;
    std::shared_ptr<StaticStorageService> storage = std::make_shared<StaticStorageService>(nullptr);
    std::shared_ptr<AppTokenService> service =
        std::make_shared<AppTokenService>(storage, SharedKeychainService::make());
};

} // namespace

TEST_F(AppTokenServiceTest, SavedTokenIsKeptWithItsDateAndTheSingleSignOnAddressCarriesItEncoded) {
    const auto before = foundation::Date::now();
    service->saveAppToken("token-1");
    const auto stored = SharedKeychainService::make()->appTokenData();
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->token, "token-1");
    EXPECT_GE(stored->dateOfReceipt, before);
    EXPECT_LE(stored->dateOfReceipt, foundation::Date::now());
    service->deleteAppToken();
    EXPECT_FALSE(service->appToken().has_value());

    // The single sign-on address carries the client identifier and the token, encoded.
    using Items = std::vector<foundation::URLQueryItem>;
    service->saveAppToken("a+b/c=d&e");
    const auto link = "https://lk.partner.example/account?tab=main";
    for (const auto& [clientId, expected] : std::vector<std::pair<std::optional<std::string>, Items>>{
             {"partner-7", {{"tab", "main"}, {"client_id", "partner-7"}, {"app_token", "a+b/c=d&e"}}},
             {std::nullopt, {{"tab", "main"}, {"app_token", "a+b/c=d&e"}}}}) {
        const auto address = std::get<foundation::URL>(relogin(link, clientId));
        EXPECT_EQ(address.absoluteString().rfind("https://lk.partner.example/account?", 0), 0u);
        EXPECT_EQ(address.queryItems(), expected);
    }
}

// The token travels in the address, so a link without TLS is as invalid as one that is no link.
TEST_F(AppTokenServiceTest, NoAddressWithoutAStoredTokenOrForALinkThatIsNotASecureWebAddress) {
    // std::get throws, and so fails the test, when the result is an address.
    EXPECT_EQ(std::get<VYDError>(relogin("https://lk.partner.example/")).type, VYDErrorType::appTokenNotFound);

    service->saveAppToken("token-1");
    for (const std::optional<std::string>& link : std::vector<std::optional<std::string>>{
             std::nullopt, "not a link", "https://", "partner-app://account", "http://lk.partner.example/account"}) {
        EXPECT_EQ(std::get<VYDError>(relogin(link)), (VYDError{VYDErrorType::linkIsNotValid, "The link is invalid"}))
            << link.value_or("(none)");
    }
}
