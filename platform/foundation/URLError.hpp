#pragma once

#include "platform/foundation/Error.hpp"

#include <string>

namespace foundation {

inline constexpr const char* NSURLErrorDomain = "NSURLErrorDomain";

// The platform's codes for transport failures, with their numeric values.
inline constexpr int NSURLErrorUnknown = -1;
inline constexpr int NSURLErrorCancelled = -999;
inline constexpr int NSURLErrorBadURL = -1000;
inline constexpr int NSURLErrorTimedOut = -1001;
inline constexpr int NSURLErrorUnsupportedURL = -1002;
inline constexpr int NSURLErrorCannotFindHost = -1003;
inline constexpr int NSURLErrorCannotConnectToHost = -1004;
inline constexpr int NSURLErrorNetworkConnectionLost = -1005;
inline constexpr int NSURLErrorHTTPTooManyRedirects = -1007;
inline constexpr int NSURLErrorNotConnectedToInternet = -1009;
inline constexpr int NSURLErrorBadServerResponse = -1011;
inline constexpr int NSURLErrorAppTransportSecurityRequiresSecureConnection = -1022;
inline constexpr int NSURLErrorDataLengthExceedsMaximum = -1103;
inline constexpr int NSURLErrorSecureConnectionFailed = -1200;
inline constexpr int NSURLErrorServerCertificateUntrusted = -1202;

// An NSURLErrorDomain error; without a description the code's usual sentence is used.
Error makeURLError(int code, std::string description = {});

} // namespace foundation
