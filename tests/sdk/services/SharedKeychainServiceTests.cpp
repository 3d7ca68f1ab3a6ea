#include "sdk/services/PersonalizedButtonData.hpp"
#include "sdk/services/SharedKeychainService.hpp"

#include "platform/security/Keychain.hpp"
#include "support/sdk/TemporaryKeychain.hpp"

#include <gtest/gtest.h>

namespace {

using foundation::dataFromString;

class SharedKeychainServiceTest : public ::testing::Test {
protected:
    // What a VY Bank app leaves behind: the item in the shared service and group.
    void storeRecord(const std::string& content, const std::string& accessGroup = "VYBank.shared") {
        security::Keychain keychain(temporary.file());
        const security::KeychainItem item{"VYBank.VYID.shared", "personalizedButtonData", accessGroup,
                                          security::Bytes(content.begin(), content.end())};
        ASSERT_EQ(keychain.set(item), security::errSecSuccess);
    }

    vydtest::TemporaryKeychain temporary;
};

} // namespace

TEST_F(SharedKeychainServiceTest, MaskedNameOnlyOfARecordThatDecodesInTheSharedGroupAndTheAppTokenRoundTrips) {
    EXPECT_EQ(vyd::SharedKeychainService::make()->getPersonalizedButtonMaskedName(), std::nullopt) << "no item";
    const std::string shared = "VYBank.shared";
    const std::tuple<std::string, std::optional<std::string>, std::string> cases[] = {
        {R"({"maskedName": "Ivan I."})", std::nullopt, "OtherBank.shared"},
        {R"({"maskedName": "Ivan I.", "issuedBy": "VY Bank"})", "Ivan I.", shared},
        {R"({"maskedName": ""})", "", shared},
        {"Ivan I.", std::nullopt, shared},
        {R"(["Ivan I."])", std::nullopt, shared},
        {R"({"maskedname": "Ivan I."})", std::nullopt, shared},
        {R"({"maskedName": null})", std::nullopt, shared},
        {R"({"maskedName": 42})", std::nullopt, shared},
        {"{\"maskedName\": \"\xc3\x28\"}", std::nullopt, shared},
    };
    // One service for all: each read sees the keychain as it is now.
    const auto service = vyd::SharedKeychainService::make();
    for (const auto& [content, name, accessGroup] : cases) {
        storeRecord(content, accessGroup);
        EXPECT_EQ(service->getPersonalizedButtonMaskedName(), name) << content;
    }

    // The app token record round-trips and deletes.
    EXPECT_FALSE(service->appTokenData().has_value());
    const vyd::AppTokenDataModel model{"token-1", foundation::Date(1'800'000'000.5)};
    ASSERT_TRUE(service->saveAppTokenData(model));
    EXPECT_EQ(service->appTokenData(), model);
    EXPECT_TRUE(service->deleteAppTokenData());
    EXPECT_FALSE(service->appTokenData().has_value());
    EXPECT_TRUE(service->deleteAppTokenData()) << "deleting what is gone is no failure";
}

TEST(PersonalizedButtonDataTest, JsonDataRoundTripsAndRefusesANameThatIsNotUTF8) {
    const vyd::PersonalizedButtonData record{"Иван \"И.\" / 😀"};
    EXPECT_EQ(vyd::PersonalizedButtonData::decode(record.jsonData().value()), record);
    EXPECT_FALSE(vyd::PersonalizedButtonData{"\xff\xfe"}.jsonData().has_value());
}

TEST(AppTokenDataModelTest, RecordsWithoutBothTypedMembersDoNotDecode) {
    for (const char* content : {R"({"token": "t"})", R"({"dateOfReceipt": 1})", R"({"token": 1, "dateOfReceipt": 1})",
                                R"({"token": "t", "dateOfReceipt": "yesterday"})", "[]", "t"}) {
        EXPECT_FALSE(vyd::AppTokenDataModel::decode(dataFromString(content)).has_value()) << content;
    }
    EXPECT_EQ(vyd::AppTokenDataModel::decode(dataFromString(R"({"token": "t", "dateOfReceipt": 5})")),
              (vyd::AppTokenDataModel{"t", foundation::Date(5)}));
}
