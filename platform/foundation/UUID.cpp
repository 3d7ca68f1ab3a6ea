#include "platform/foundation/UUID.hpp"

#include <openssl/rand.h>

#include <cstdio>
#include <stdexcept>

namespace foundation {
namespace {

// A duplicate UUID would merge two identities: better to read the kernel directly than to go
// on without randomness.
void fillRandom(UUID::Bytes& bytes) {
    if (RAND_bytes(bytes.data(), static_cast<int>(bytes.size())) == 1)
        return;
    if (std::FILE* f = std::fopen("/dev/urandom", "rb")) {
        std::size_t got = std::fread(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
        if (got == bytes.size())
            return;
    }
    throw std::runtime_error("no secure random source for a UUID");
}

} // namespace

UUID::UUID() {
    fillRandom(bytes_);
    bytes_[6] = static_cast<std::uint8_t>((bytes_[6] & 0x0F) | 0x40); // version 4
    bytes_[8] = static_cast<std::uint8_t>((bytes_[8] & 0x3F) | 0x80); // RFC 4122 variant
}

std::string UUID::uuidString() const {
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string s;
    s.reserve(36);
    for (std::size_t i = 0; i < bytes_.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10)
            s += '-';
        s += hex[bytes_[i] >> 4];
        s += hex[bytes_[i] & 0xF];
    }
    return s;
}

} // namespace foundation
