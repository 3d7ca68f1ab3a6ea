#pragma once

#include "platform/security/SecBase.hpp"

#include <cstddef>

namespace security {

// Fills `bytes` with `count` bytes from the cryptographically secure generator; errSecSuccess,
// or errSecIO (and zeroed bytes) when the generator fails.
OSStatus SecRandomCopyBytes(std::size_t count, void* bytes);

} // namespace security
