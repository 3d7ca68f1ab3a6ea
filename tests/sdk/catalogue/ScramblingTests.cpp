#include "sdk/catalogue/Scrambling.hpp"

#include <gtest/gtest.h>

#include <string>

using vyd::scramble;
using vyd::unscramble;

TEST(ScramblingTest, RoundTripsAnyTextAsPaddedBase64ThatHidesIt) {
    // Lengths around the base64 block size and bytes above 0x7f (UTF-8, raw binary).
    for (const std::string& plain : {std::string(), std::string("a"), std::string("abcd"),
                                     std::string("🆔 VY Bank — вход"), std::string("\x00\xff\x80\x7f", 4)}) {
        const std::string stored = scramble(plain, "ui.common.vy-id-b64");
        EXPECT_EQ(unscramble(stored, "ui.common.vy-id-b64"), plain) << stored;
        EXPECT_EQ(stored.size() % 4, 0u);
        EXPECT_EQ(stored.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/="),
                  std::string::npos);
    }
    EXPECT_EQ(scramble("Continue with VY ID", "k-b64").find("VY"), std::string::npos);
    // Deterministic, so the bundle's table and the compiled-in fallbacks can be regenerated.
    EXPECT_EQ(scramble("Continue with VY ID", "k-b64"), scramble("Continue with VY ID", "k-b64"));
}

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
