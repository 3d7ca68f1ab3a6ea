#pragma once

// The simulated user: taps and drags views the way a finger would, through the hit test, the
// gesture recognisers and the controls of the view tree (uikit::UITouchSequence).
//
// Locations are in the coordinates of the root of the view's hierarchy (the window's once there
// is one). Time stamps of the touches count from the clock's current time in steps of a 60th of
// a second; the clock itself is not moved, so timers do not fire during a gesture.

#include "platform/foundation/URL.hpp"
#include "platform/uikit/UIView.hpp"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace webkit {
class WKWebView;
}
namespace safariservices {
class SFSafariViewController;
}

namespace testing {

class SimulatedUser {
public:
    // Taps the centre of the view as it shows on screen. Returns the view the touch hit (the
    // view itself, one of its subviews, or whatever covers it), or none when nothing there
    // takes touches. A tap recogniser on the way recognises; a control hit sends touchUpInside.
    static std::shared_ptr<uikit::UIView> tap(const std::shared_ptr<uikit::UIView>& view);
    // Taps a point given in the view's own coordinates.
    static std::shared_ptr<uikit::UIView> tap(const std::shared_ptr<uikit::UIView>& view,
                                              const uikit::CGPoint& location);

    // Taps, where it shows on screen, the first view under `root` (depth first) that carries the
    // accessibility identifier or shows the text: a declarative view inside a hosting view (a
    // button's label, a view with a tap gesture, or anything inside them) or a platform view
    // with that identifier. Returns the view the touch hit, or none when nothing matched.
    static std::shared_ptr<uikit::UIView> tap(const std::shared_ptr<uikit::UIView>& root,
                                              std::string_view textOrIdentifier);

    // Puts a finger on the centre of the view, moves it by `translation` (root coordinates) in
    // `steps` moves and lifts it, moving at `velocity` (points per second) over the last move.
    // Pan recognisers on the way go through began, changed and ended (a drag shorter than their
    // 10-point threshold does not begin them). Returns the view the touch hit.
    static std::shared_ptr<uikit::UIView> drag(const std::shared_ptr<uikit::UIView>& view,
                                               const uikit::CGPoint& translation, const uikit::CGPoint& velocity = {},
                                               int steps = 10);

    // On the web view's committed page. Taps the first link whose text is `text` (a link with
    // target "_blank" asks for a new window); false when the page has no such link.
    static bool tapLink(webkit::WKWebView& webView, const std::string& text);
    // Fills the page's form at `formIndex` with `values` (by field name) and submits it; false
    // when the page has no such form.
    static bool submitForm(webkit::WKWebView& webView, const std::vector<std::pair<std::string, std::string>>& values,
                           std::size_t formIndex = 0);
    // A script of the page sets its location to `url` (any URL, deep links included).
    static void navigateByScript(webkit::WKWebView& webView, const foundation::URL& url);

    // Taps the browser view's "Done"; false when something covers it.
    static bool pressDone(safariservices::SFSafariViewController& browser);

    static constexpr double frameInterval = 1.0 / 60.0;
};

} // namespace testing
