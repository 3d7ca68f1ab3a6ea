#include "sdk/catalogue/Scrambling.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

namespace vyd {
namespace {

constexpr std::string_view kSdkKey = "VYDCore/catalogue/1";
constexpr std::size_t kCheckSize = 4;
constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

std::uint64_t fnv1a64(std::string_view a, std::string_view b) {
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    auto mix = [&hash](std::string_view part) {
        for (unsigned char c : part) {
            hash ^= c;
            hash *= 0x100000001b3ULL;
        }
    };
    mix(a);
    mix(std::string_view("\0", 1)); // keeps ("ab", "c") apart from ("a", "bc")
    mix(b);
    return hash;
}

// splitmix64: small, well mixed, and the same on every platform.
class Keystream {
public:
    explicit Keystream(std::string_view key) : state_(fnv1a64(kSdkKey, key)) {}

    unsigned char next() {
        if (available_ == 0) {
            state_ += 0x9e3779b97f4a7c15ULL;
            std::uint64_t z = state_;
            z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
            z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
            block_ = z ^ (z >> 31);
            available_ = 8;
        }
        --available_;
        auto byte = static_cast<unsigned char>(block_ & 0xff);
        block_ >>= 8;
        return byte;
    }

private:
    std::uint64_t state_;
    std::uint64_t block_ = 0;
    int available_ = 0;
};

std::array<unsigned char, kCheckSize> checkValue(std::string_view plain, std::string_view key) {
    const std::uint64_t hash = fnv1a64(key, plain);
    std::array<unsigned char, kCheckSize> check{};
    for (std::size_t i = 0; i < kCheckSize; ++i) {
        check[i] = static_cast<unsigned char>((hash >> (8 * i)) & 0xff);
    }
    return check;
}

std::string toBase64(const std::string& bytes) {
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        const std::uint32_t n = (std::uint32_t(static_cast<unsigned char>(bytes[i])) << 16) |
                                (std::uint32_t(static_cast<unsigned char>(bytes[i + 1])) << 8) |
                                std::uint32_t(static_cast<unsigned char>(bytes[i + 2]));
        out += kAlphabet[(n >> 18) & 63];
        out += kAlphabet[(n >> 12) & 63];
        out += kAlphabet[(n >> 6) & 63];
        out += kAlphabet[n & 63];
    }
    const std::size_t rest = bytes.size() - i;
    if (rest > 0) {
        std::uint32_t n = std::uint32_t(static_cast<unsigned char>(bytes[i])) << 16;
        if (rest == 2) {
            n |= std::uint32_t(static_cast<unsigned char>(bytes[i + 1])) << 8;
        }
        out += kAlphabet[(n >> 18) & 63];
        out += kAlphabet[(n >> 12) & 63];
        out += rest == 2 ? kAlphabet[(n >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

int sextet(char c) {
    const auto position = kAlphabet.find(c);
    return position == std::string_view::npos ? -1 : static_cast<int>(position);
}

// Strict decoding: padded, canonical, nothing but the alphabet. A value edited by hand is far
// more likely to be caught here than to decode into something that passes the check.
std::optional<std::string> fromBase64(std::string_view text) {
    if (text.size() % 4 != 0) {
        return std::nullopt;
    }
    std::string out;
    out.reserve(text.size() / 4 * 3);
    for (std::size_t i = 0; i < text.size(); i += 4) {
        const bool last = i + 4 == text.size();
        const int padding = last ? (text[i + 3] == '=') + (text[i + 2] == '=' && text[i + 3] == '=') : 0;
        int values[4];
        for (int j = 0; j < 4 - padding; ++j) {
            values[j] = sextet(text[i + j]);
            if (values[j] < 0) {
                return std::nullopt;
            }
        }
        for (int j = 4 - padding; j < 4; ++j) {
            values[j] = 0;
        }
        const std::uint32_t n = (std::uint32_t(values[0]) << 18) | (std::uint32_t(values[1]) << 12) |
                                (std::uint32_t(values[2]) << 6) | std::uint32_t(values[3]);
        if ((padding == 1 && (n & 0xff) != 0) || (padding == 2 && (n & 0xffff) != 0)) {
            return std::nullopt; // bits after the last byte must be zero
        }
        out += static_cast<char>((n >> 16) & 0xff);
        if (padding < 2) {
            out += static_cast<char>((n >> 8) & 0xff);
        }
        if (padding < 1) {
            out += static_cast<char>(n & 0xff);
        }
    }
    return out;
}

std::string applyKeystream(std::string bytes, std::string_view key) {
    Keystream stream(key);
    for (char& c : bytes) {
        c = static_cast<char>(static_cast<unsigned char>(c) ^ stream.next());
    }
    return bytes;
}

} // namespace

std::string scramble(std::string_view plain, std::string_view key) {
    const auto check = checkValue(plain, key);
    std::string bytes(check.begin(), check.end());
    bytes.append(plain);
    return toBase64(applyKeystream(std::move(bytes), key));
}

std::string unscramble(std::string_view stored, std::string_view key) noexcept {
    try {
        auto decoded = fromBase64(stored);
        if (!decoded || decoded->size() < kCheckSize) {
            return {};
        }
        std::string bytes = applyKeystream(std::move(*decoded), key);
        std::string plain = bytes.substr(kCheckSize);
        const auto check = checkValue(plain, key);
        if (!std::equal(check.begin(), check.end(), bytes.begin(), [](unsigned char expected, char actual) {
                return expected == static_cast<unsigned char>(actual);
            })) {
            return {};
        }
        return plain;
    } catch (...) {
        return {}; // only allocation can fail here; a lookup must not throw
    }
}

bool isScrambledKey(std::string_view key) noexcept {
    constexpr std::string_view suffix = "-b64";
    return key.size() >= suffix.size() && key.substr(key.size() - suffix.size()) == suffix;
}

} // namespace vyd
