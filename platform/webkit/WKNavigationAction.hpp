#pragma once

#include "platform/foundation/URLRequest.hpp"

#include <memory>
#include <optional>

namespace webkit {

// Raw values as on the platform.
enum class WKNavigationType : int {
    linkActivated = 0,
    formSubmitted = 1,
    backForward = 2,
    reload = 3,
    formResubmitted = 4,
    other = -1,
};

enum class WKNavigationActionPolicy : int { cancel = 0, allow = 1 };

// A frame of a page; the web view has only its main frame.
class WKFrameInfo {
public:
    WKFrameInfo(bool isMainFrame, foundation::URLRequest request)
        : isMainFrame_(isMainFrame), request_(std::move(request)) {}

    bool isMainFrame() const { return isMainFrame_; }
    const foundation::URLRequest& request() const { return request_; }

private:
    bool isMainFrame_;
    foundation::URLRequest request_;
};

// What a navigation is about to do: the request, how it came about and the frame it targets
// (none when it asks for a new window).
class WKNavigationAction {
public:
    WKNavigationAction(foundation::URLRequest request, WKNavigationType navigationType,
                       std::optional<WKFrameInfo> targetFrame, std::optional<WKFrameInfo> sourceFrame = std::nullopt)
        : request_(std::move(request)), navigationType_(navigationType), targetFrame_(std::move(targetFrame)),
          sourceFrame_(std::move(sourceFrame)) {}

    const foundation::URLRequest& request() const { return request_; }
    WKNavigationType navigationType() const { return navigationType_; }
    const std::optional<WKFrameInfo>& targetFrame() const { return targetFrame_; }
    // The frame the navigation started from: the page's for a link or form, none for a load.
    const std::optional<WKFrameInfo>& sourceFrame() const { return sourceFrame_; }

private:
    foundation::URLRequest request_;
    WKNavigationType navigationType_;
    std::optional<WKFrameInfo> targetFrame_;
    std::optional<WKFrameInfo> sourceFrame_;
};

} // namespace webkit
