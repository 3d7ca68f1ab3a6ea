#include "sdk/catalogue/Scrambling.hpp"

#include <gtest/gtest.h>

#include <string>

using vyd::scramble;
using vyd::unscramble;

TEST(ScramblingTest, RoundTripsTextOfEveryLengthAndByte) {
    // Lengths around the base64 block size and bytes above 0x7f (UTF-8, raw binary).
    const std::string samples[] = {"",
                                   "a",
                                   "ab",
                                   "abc",
                                   "abcd",
                                   "VY ID",
                                   "Log in with VY ID",
                                   "🆔 VY Bank — вход",
                                   std::string("\x00\xff\x80\x7f", 4)};
    for (const auto& plain : samples) {
        const std::string stored = scramble(plain, "ui.common.vy-id-b64");
        EXPECT_NE(stored, plain);
        EXPECT_EQ(unscramble(stored, "ui.common.vy-id-b64"), plain) << stored;
    }
}

TEST(ScramblingTest, StoredFormIsPaddedBase64AndHidesThePlainText) {
    const std::string stored = scramble("Continue with VY ID", "ui.login-button.continue-with-vy-id-b64");
    EXPECT_EQ(stored.size() % 4, 0u);
    EXPECT_EQ(stored.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/="),
              std::string::npos);
    EXPECT_EQ(stored.find("VY"), std::string::npos);
    // Deterministic, so the bundle's table and the compiled-in fallbacks can be regenerated.
    EXPECT_EQ(stored, scramble("Continue with VY ID", "ui.login-button.continue-with-vy-id-b64"));
}

TEST(ScramblingTest, ValueOfAnotherKeyDoesNotUnscramble) {
    const std::string stored = scramble("VY ID", "ui.login-button.vy-id-b64");
    EXPECT_EQ(unscramble(stored, "ui.common.vy-id-b64"), "");
    EXPECT_NE(stored, scramble("VY ID", "ui.common.vy-id-b64"));
}

TEST(ScramblingTest, BrokenValuesGiveTheEmptyString) {
    const std::string key = "common.kw-b64";
    const std::string good = scramble("VY Bank", key);
    ASSERT_EQ(unscramble(good, key), "VY Bank");

    std::string flipped = good;
    flipped[2] = flipped[2] == 'A' ? 'B' : 'A';
    std::string noPadding = good.substr(0, good.find('='));
    ASSERT_NE(noPadding, good) << "sample must need padding";

    const std::string broken[] = {
        "",                // nothing
        "VY Bank",         // plain text put in by hand
        flipped,           // one character changed
        good.substr(0, 4), // truncated to the check value
        noPadding,         // padding removed
        good + "AAAA",     // trailing garbage
        " " + good,        // whitespace
        "QUJD=A==",        // padding in the middle
        "QR==",            // non-zero bits after the last byte
        "====",
        std::string("\0\0\0\0", 4),
    };
    for (const auto& value : broken) {
        EXPECT_EQ(unscramble(value, key), "") << "value: " << value;
    }
}

TEST(ScramblingTest, OnlyKeysEndingInB64AreScrambled) {
    EXPECT_TRUE(vyd::isScrambledKey("common.kw-b64"));
    EXPECT_TRUE(vyd::isScrambledKey("-b64"));
    EXPECT_FALSE(vyd::isScrambledKey("common.kw-b64 "));
    EXPECT_FALSE(vyd::isScrambledKey("common.kw-B64"));
    EXPECT_FALSE(vyd::isScrambledKey("b64"));
    EXPECT_FALSE(vyd::isScrambledKey("common.none"));
}
