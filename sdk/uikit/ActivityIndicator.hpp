#pragma once

// The loading view and error views over any view controller's content.
//
// The host is the view controller's own view, or, for a slide panel, its surface (whose content
// mode then fits the visible part while a loading or error view is up, and is static again once
// the loading view is stopped); over the full screen it is the key window, or the view
// controller's own view when there is none. Whether a loading view is shown is read from the
// host's direct subviews each time. Main thread only.

#include "platform/uikit/UIColor.hpp"

#include <memory>
#include <optional>

namespace uikit {
class UIView;
class UIViewController;
} // namespace uikit

namespace vyd {

// Puts a new loading view over the host, pinned to its edges, unless one is already there.
void startActivityIndicator(uikit::UIViewController& viewController, std::optional<uikit::UIColor> activityColor,
                            bool overFullScreen = false, bool blockSuperview = false);
// Takes the host's first loading view away (others, and deeper ones, stay).
void stopActivityIndicator(uikit::UIViewController& viewController, bool overFullScreen = false);
// Puts `errorView` over the host, pinned to its edges, unless it is there already. Nothing
// takes it away again: the caller does.
void startErrorView(uikit::UIViewController& viewController, const std::shared_ptr<uikit::UIView>& errorView,
                    bool overFullScreen = false);

} // namespace vyd
