#pragma once

#include "platform/foundation/URL.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace foundation {

// The response to an HTTP request: the final URL (after redirects), the status code and the
// header fields. Fields that came several times are joined with ", " as on the platform.
class HTTPURLResponse {
public:
    HTTPURLResponse(URL url, int statusCode, std::vector<std::pair<std::string, std::string>> headerFields);

    const URL& url() const { return url_; }
    int statusCode() const { return statusCode_; }
    // Names compare without regard to case.
    std::optional<std::string> value(const std::string& headerField) const;

    // The Content-Type's media type in lower case, without parameters.
    std::optional<std::string> mimeType() const;

private:
    URL url_;
    int statusCode_;
    std::vector<std::pair<std::string, std::string>> headers_;
};

} // namespace foundation
