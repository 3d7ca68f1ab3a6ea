#pragma once

#include "platform/foundation/HTTPURLResponse.hpp"

namespace webkit {

enum class WKNavigationResponsePolicy : int { cancel = 0, allow = 1 };

// The response a navigation received, before it commits.
class WKNavigationResponse {
public:
    explicit WKNavigationResponse(foundation::HTTPURLResponse response) : response_(std::move(response)) {}

    const foundation::HTTPURLResponse& response() const { return response_; }

private:
    foundation::HTTPURLResponse response_;
};

} // namespace webkit
