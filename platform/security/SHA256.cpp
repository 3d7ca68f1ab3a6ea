#include "platform/security/SHA256.hpp"

#include <cstdlib>

#include <openssl/evp.h>

namespace security {

SHA256Digest sha256(std::span<const std::uint8_t> data) {
    SHA256Digest digest{};
    unsigned int length = 0;
    // SHA-256 is always present in OpenSSL's default provider; a failure here means the library
    // itself is broken, and an all-zero digest would silently weaken every caller.
    if (EVP_Digest(data.data(), data.size(), digest.data(), &length, EVP_sha256(), nullptr) != 1 ||
        length != digest.size()) {
        std::abort();
    }
    return digest;
}

SHA256Digest sha256(std::string_view text) {
    return sha256(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

} // namespace security
