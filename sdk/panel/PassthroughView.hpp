#pragma once

// The full-size root view of a panel. Touches that land on it and on none of its subviews (the
// area around the surface when no backdrop covers it) go on to `eventForwardingView`, the view
// underneath, so that the screen behind a panel stays usable; with no such view they fall
// through.

#include "platform/uikit/UIView.hpp"

#include <memory>

namespace vyd {

class PassthroughView : public uikit::UIView {
public:
    static std::shared_ptr<PassthroughView> make(const uikit::CGRect& frame = uikit::CGRect::zero()) {
        return create<PassthroughView>(frame);
    }

    using UIView::UIView;

    std::string className() const override { return "PassthroughView"; }

    // Held weakly: the view underneath belongs to someone else.
    std::shared_ptr<uikit::UIView> eventForwardingView() const { return eventForwardingView_.lock(); }
    void setEventForwardingView(const std::shared_ptr<uikit::UIView>& view) { eventForwardingView_ = view; }

    std::shared_ptr<uikit::UIView> hitTest(const uikit::CGPoint& point, const uikit::UIEvent* event = nullptr) override;

private:
    std::weak_ptr<uikit::UIView> eventForwardingView_;
};

} // namespace vyd
