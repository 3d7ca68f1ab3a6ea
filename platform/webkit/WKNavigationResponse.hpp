#pragma once

#include "platform/foundation/HTTPURLResponse.hpp"

namespace webkit {

enum class WKNavigationResponsePolicy : int { cancel = 0, allow = 1 };

// The response a navigation received, before it commits.
class WKNavigationResponse {
public:
    WKNavigationResponse(foundation::HTTPURLResponse response, bool isForMainFrame, bool canShowMIMEType)
        : response_(std::move(response)), isForMainFrame_(isForMainFrame), canShowMIMEType_(canShowMIMEType) {}

    const foundation::HTTPURLResponse& response() const { return response_; }
    bool isForMainFrame() const { return isForMainFrame_; }
    bool canShowMIMEType() const { return canShowMIMEType_; }

private:
    foundation::HTTPURLResponse response_;
    bool isForMainFrame_;
    bool canShowMIMEType_;
};

} // namespace webkit
