#include "sdk/base/AuthType.hpp"
#include "sdk/base/VYDOpenInType.hpp"
#include "sdk/base/VYDStandType.hpp"

#include <gtest/gtest.h>

TEST(AuthTypeTest, RawValuesRoundTripExactly) {
    using vyd::AuthType;
    const std::vector<std::pair<AuthType, std::string>> table{{AuthType::app2app, "app2app"},
                                                              {AuthType::oidc2app, "oidc2app"},
                                                              {AuthType::app2web, "app2web"},
                                                              {AuthType::app2otp, "app2otp"},
                                                              {AuthType::vyID, "vyID"}};
    for (const auto& [type, raw] : table) {
        EXPECT_EQ(vyd::rawValue(type), raw);
        EXPECT_EQ(vyd::fromRawValue<AuthType>(raw), type);
    }
    EXPECT_FALSE(vyd::fromRawValue<AuthType>("vyid").has_value());
    EXPECT_FALSE(vyd::fromRawValue<AuthType>("").has_value());
}

TEST(VYDStandTypeTest, FiveStandsByNumberAndName) {
    using vyd::VYDStandType;
    const std::vector<std::pair<std::int64_t, std::string>> table{
        {0, "prom"}, {1, "ift"}, {2, "psi"}, {3, "ift-cloud"}, {4, "psi-cloud"}};
    for (const auto& [raw, name] : table) {
        const auto stand = vyd::fromRawValue<VYDStandType>(raw);
        ASSERT_TRUE(stand.has_value()) << raw;
        EXPECT_EQ(vyd::standName(*stand), name);
        EXPECT_EQ(vyd::rawValue(*stand), raw);
    }
    EXPECT_FALSE(vyd::fromRawValue<VYDStandType>(-1).has_value());
    EXPECT_FALSE(vyd::fromRawValue<VYDStandType>(5).has_value());
    EXPECT_EQ(vyd::fromRawValue<vyd::VYDOpenInType>(1), vyd::VYDOpenInType::browser);
    EXPECT_FALSE(vyd::fromRawValue<vyd::VYDOpenInType>(2).has_value());
}
