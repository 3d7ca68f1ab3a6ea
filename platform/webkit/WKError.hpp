#pragma once

#include "platform/foundation/Error.hpp"

namespace webkit {

inline constexpr const char* WKErrorDomain = "WebKitErrorDomain";

// The platform's codes of WebKitErrorDomain.
inline constexpr int WebKitErrorCannotShowURL = 101;
inline constexpr int WebKitErrorFrameLoadInterruptedByPolicyChange = 102;

inline foundation::Error frameLoadInterruptedError() {
    return {WKErrorDomain, WebKitErrorFrameLoadInterruptedByPolicyChange, "Frame load interrupted"};
}

} // namespace webkit
