#pragma once

namespace webkit {

// One navigation of a web view, from its start to its finish or failure. The delegate calls of
// a navigation all carry the same object, so it can be told from the others by identity.
class WKNavigation {
public:
    WKNavigation() = default;
    WKNavigation(const WKNavigation&) = delete;
    WKNavigation& operator=(const WKNavigation&) = delete;
};

} // namespace webkit
