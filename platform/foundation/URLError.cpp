#include "platform/foundation/URLError.hpp"

namespace foundation {

namespace {

const char* sentenceFor(int code) {
    switch (code) {
    case NSURLErrorCancelled:
        return "The request was cancelled.";
    case NSURLErrorBadURL:
        return "The URL is malformed.";
    case NSURLErrorTimedOut:
        return "The request timed out.";
    case NSURLErrorUnsupportedURL:
        return "The URL's scheme is not supported.";
    case NSURLErrorCannotFindHost:
        return "No server with that host name could be found.";
    case NSURLErrorCannotConnectToHost:
        return "The server refused the connection.";
    case NSURLErrorNetworkConnectionLost:
        return "The network connection was lost.";
    case NSURLErrorHTTPTooManyRedirects:
        return "The server redirected too many times.";
    case NSURLErrorNotConnectedToInternet:
        return "The device is not connected to a network.";
    case NSURLErrorBadServerResponse:
        return "The server sent a response that could not be read.";
    case NSURLErrorDataLengthExceedsMaximum:
        return "The server sent more data than a response may hold.";
    case NSURLErrorAppTransportSecurityRequiresSecureConnection:
        return "A secure connection is required, and the address is not secure.";
    case NSURLErrorSecureConnectionFailed:
        return "A secure connection to the server could not be made.";
    case NSURLErrorServerCertificateUntrusted:
        return "The server's certificate is not trusted.";
    default:
        return "An unknown network error occurred.";
    }
}

} // namespace

Error makeURLError(int code, std::string description) {
    if (description.empty()) {
        description = sentenceFor(code);
    }
    return Error{NSURLErrorDomain, code, std::move(description)};
}

} // namespace foundation
