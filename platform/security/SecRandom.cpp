#include "platform/security/SecRandom.hpp"

#include <algorithm>
#include <climits>
#include <cstring>

#include <openssl/rand.h>

namespace security {

OSStatus SecRandomCopyBytes(std::size_t count, void* bytes) {
    if (count == 0) {
        return errSecSuccess;
    }
    if (bytes == nullptr) {
        return errSecParam;
    }
    auto* cursor = static_cast<unsigned char*>(bytes);
    std::size_t left = count;
    while (left > 0) {
        int chunk = static_cast<int>(std::min<std::size_t>(left, INT_MAX));
        if (RAND_bytes(cursor, chunk) != 1) {
            // Never hand out partly filled output that a caller might use as a key.
            std::memset(bytes, 0, count);
            return errSecIO;
        }
        cursor += chunk;
        left -= static_cast<std::size_t>(chunk);
    }
    return errSecSuccess;
}

} // namespace security
