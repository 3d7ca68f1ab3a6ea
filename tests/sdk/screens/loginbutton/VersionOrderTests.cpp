#include "sdk/screens/loginbutton/VersionOrder.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Row {
    const char* a;
    const char* b;
    std::strong_ordering order;
};

const char* name(std::strong_ordering order) { return order < 0 ? "less" : order > 0 ? "greater" : "equal"; }

} // namespace

TEST(VersionOrderTest, ComparesComponentsAsNumbers) {
    const Row rows[] = {
        {"1.9.0", "1.10.0", std::strong_ordering::less},
        {"1.10.0", "1.9.0", std::strong_ordering::greater},
        {"2.3.0", "2.3.0", std::strong_ordering::equal},
        {"2.3.0", "2.2.9", std::strong_ordering::greater},
        {"2.3.0", "2.4.0", std::strong_ordering::less},
        {"10.0.0", "9.99.99", std::strong_ordering::greater},
        {"1.0.10", "1.0.9", std::strong_ordering::greater},
        // A missing component counts as 0.
        {"1.2", "1.2.0", std::strong_ordering::equal},
        {"1.2", "1.2.1", std::strong_ordering::less},
        {"2", "1.99", std::strong_ordering::greater},
        {"1.", "1.0", std::strong_ordering::equal},
        {"", "0.0.0", std::strong_ordering::equal},
        {"", "0.0.1", std::strong_ordering::less},
        // Leading zeros and numbers too large for any integer type.
        {"1.02", "1.2", std::strong_ordering::equal},
        {"1.000", "1", std::strong_ordering::equal},
        {"99999999999999999999999.1", "99999999999999999999998.9", std::strong_ordering::greater},
        // Suffixes: a pre-release comes before its release; suffixes compare as text.
        {"2.0.0-beta", "2.0.0", std::strong_ordering::less},
        {"2.0.0-alpha", "2.0.0-beta", std::strong_ordering::less},
        {"2.0.1-beta", "2.0.0", std::strong_ordering::greater},
        {"abc", "0", std::strong_ordering::less},
        {"abc", "0.0.1", std::strong_ordering::less},
        {"1.x", "1.0", std::strong_ordering::less},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(name(vyd::compareVersions(row.a, row.b)), std::string(name(row.order)))
            << '"' << row.a << "\" vs \"" << row.b << '"';
        // The order is antisymmetric.
        EXPECT_EQ(name(vyd::compareVersions(row.b, row.a)), std::string(name(0 <=> row.order)))
            << '"' << row.b << "\" vs \"" << row.a << '"';
    }
}
