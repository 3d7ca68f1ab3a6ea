#include "sdk/base/AuthType.hpp"
#include "sdk/base/VYDOpenInType.hpp"
#include "sdk/base/VYDStandType.hpp"

#include <gtest/gtest.h>

// Raw values come from the host app and from links: every value reads back as itself, and
// values of no case are refused rather than taken for a neighbour.
TEST(RawValueTest, EveryCaseRoundTripsAndOthersAreRefused) {
    using vyd::AuthType;
    for (const auto type :
         {AuthType::app2app, AuthType::oidc2app, AuthType::app2web, AuthType::app2otp, AuthType::vyID}) {
        EXPECT_EQ(vyd::fromRawValue<AuthType>(vyd::rawValue(type)), type) << vyd::rawValue(type);
    }
    EXPECT_FALSE(vyd::fromRawValue<AuthType>("vyid").has_value());
    for (std::int64_t raw = 0; raw < 5; ++raw) {
        EXPECT_EQ(vyd::rawValue(vyd::fromRawValue<vyd::VYDStandType>(raw).value()), raw);
    }
    EXPECT_FALSE(vyd::fromRawValue<vyd::VYDStandType>(-1).has_value());
    EXPECT_FALSE(vyd::fromRawValue<vyd::VYDStandType>(5).has_value());
    EXPECT_EQ(vyd::fromRawValue<vyd::VYDOpenInType>(1), vyd::VYDOpenInType::browser);
    EXPECT_FALSE(vyd::fromRawValue<vyd::VYDOpenInType>(2).has_value());
}
