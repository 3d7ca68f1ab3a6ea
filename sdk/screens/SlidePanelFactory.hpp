#pragma once

// Makes the panels of the SDK's sheets and web pages, all with the same look: a rounded surface
// (corner radius 24) in the secondary background colour, a faint white grabber, a backdrop that
// takes the panel away when tapped, and removal by a downward flick.

#include "sdk/panel/SlidePanelBehavior.hpp"
#include "sdk/panel/SlidePanelController.hpp"

#include <memory>

namespace vyd {

class SlidePanelFactoryProtocol {
public:
    // Where the panel's surface rests.
    enum class PanelStyle {
        // Full, 16 points below the top of the safe area: a web page.
        web,
        // Full, as high as the content needs above the bottom of the safe area: a sheet.
        contentSize,
    };
    enum class PanelBehavior {
        // The panel stays in its state; a flick down still takes it away.
        noDrag,
        default_,
    };

    virtual ~SlidePanelFactoryProtocol() = default;

    // A new panel, not yet shown, with the given delegate (held weakly; may be null).
    virtual std::shared_ptr<SlidePanelController>
    createSlidePanel(PanelStyle style, PanelBehavior behavior,
                     const std::shared_ptr<SlidePanelControllerDelegate>& delegate) = 0;
};

class SlidePanelFactory : public SlidePanelFactoryProtocol {
public:
    static constexpr coregraphics::CGFloat cornerRadius = 24;
    static constexpr coregraphics::CGFloat grabberAlpha = 0.25;
    static constexpr coregraphics::CGFloat webTopInset = 16;

    std::shared_ptr<SlidePanelController>
    createSlidePanel(PanelStyle style, PanelBehavior behavior,
                     const std::shared_ptr<SlidePanelControllerDelegate>& delegate) override;
};

// The behaviour of `PanelBehavior::noDrag`.
class SlidePanelNoDragBehavior : public SlidePanelBehavior {
public:
    bool allowsStateChangeByDrag() const override { return false; }
    double removalInteractionVelocityThreshold() const override { return 5.5; }
};

} // namespace vyd
