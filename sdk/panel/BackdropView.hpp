#pragma once

// The dimming layer between the screen underneath and a panel's surface. Its darkness follows
// the surface (see SlidePanelLayout::backdropAlpha); while it is clear it takes no touches, so
// the screen underneath stays usable. A tap on it may take the panel away.

#include "platform/uikit/UIGestureRecognizer.hpp"
#include "platform/uikit/UIView.hpp"

#include <memory>

namespace vyd {

class BackdropView : public uikit::UIView {
public:
    static std::shared_ptr<BackdropView> make() { return create<BackdropView>(); }

    using UIView::UIView;

    std::string className() const override { return "BackdropView"; }

    // Off until the panel's owner turns it on; its action is the panel's.
    const std::shared_ptr<uikit::UITapGestureRecognizer>& dismissalTapGestureRecognizer() const {
        return dismissalTapGestureRecognizer_;
    }

protected:
    void didInit() override;

private:
    std::shared_ptr<uikit::UITapGestureRecognizer> dismissalTapGestureRecognizer_;
};

} // namespace vyd
