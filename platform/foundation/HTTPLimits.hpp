#pragma once

#include <cstddef>

namespace foundation {

// Bounds on what a server may send, the same for every HTTP client of the platform (URLSession
// and the web view): a response past them fails instead of growing without end.
struct HTTPLimits {
    // Header fields of one response, and their bytes (status line included).
    std::size_t maximumHeaderFields = 256;
    std::size_t maximumHeaderBytes = 256 * 1024;
    // The body, counted after decompression.
    std::size_t maximumBodyBytes = 64 * 1024 * 1024;

    static HTTPLimits standard() { return {}; }
};

} // namespace foundation
