#include "sdk/catalogue/Scrambling.hpp"

#include <gtest/gtest.h>

#include <string>

using vyd::scramble;
using vyd::unscramble;

// Round trips of real texts are guarded by the bundle's table test; these are the values a
// hand edit leaves behind.
TEST(ScramblingTest, BrokenValuesOrValuesOfAnotherKeyGiveTheEmptyString) {
    const std::string key = "common.kw-b64";
    const std::string good = scramble("VY Bank", key);
    ASSERT_EQ(unscramble(good, key), "VY Bank");
    std::string flipped = good;
    flipped[2] = flipped[2] == 'A' ? 'B' : 'A';
    for (const std::string& value :
         {std::string("VY Bank"), flipped, good.substr(0, 4), good.substr(0, good.find('=')), good + "AAAA", " " + good,
          std::string("QR=="), scramble("VY Bank", "common.none")}) {
        EXPECT_EQ(unscramble(value, key), "") << "value: " << value;
    }
    EXPECT_TRUE(vyd::isScrambledKey("common.kw-b64"));
    EXPECT_FALSE(vyd::isScrambledKey("common.kw-B64"));
    EXPECT_FALSE(vyd::isScrambledKey("common.kw-b64 "));
}
