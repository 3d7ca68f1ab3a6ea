#include "platform/security/SHA256.hpp"
#include "platform/security/SecRandom.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>

namespace {

std::string hex(const security::SHA256Digest& digest) {
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (auto byte : digest) {
        text += digits[byte >> 4];
        text += digits[byte & 15];
    }
    return text;
}

TEST(SHA256, MatchesPublishedVectors) {
    const std::pair<std::string, const char*> cases[] = {
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {std::string(1'000'000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    for (const auto& [input, digest] : cases) {
        EXPECT_EQ(hex(security::sha256(input)), digest) << input.substr(0, 60);
    }
}

TEST(SecRandomCopyBytes, FillsFreshBytes) {
    std::array<std::uint8_t, 32> first{};
    std::array<std::uint8_t, 32> second{};
    ASSERT_EQ(security::SecRandomCopyBytes(first.size(), first.data()), security::errSecSuccess);
    ASSERT_EQ(security::SecRandomCopyBytes(second.size(), second.data()), security::errSecSuccess);
    // Either of these failing by chance has a probability of 2^-256.
    EXPECT_NE(first, second);
    EXPECT_TRUE(std::any_of(first.begin(), first.end(), [](auto byte) { return byte != 0; }));
}

TEST(SecRandomCopyBytes, RejectsMissingBufferButAllowsNothingToFill) {
    EXPECT_EQ(security::SecRandomCopyBytes(16, nullptr), security::errSecParam);
    EXPECT_EQ(security::SecRandomCopyBytes(0, nullptr), security::errSecSuccess);
}

} // namespace
