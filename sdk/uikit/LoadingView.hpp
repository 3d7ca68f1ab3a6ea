#pragma once

// A full-size loading view: a spinner that turns at a constant speed (one turn in 2 s) in the
// middle, over an optional dimming overlay.
//
// The turning is a loop of view animations. It ends when the view is stopped or taken out of
// its superview (and starts again when it is put back), so that a loading view that is gone
// neither keeps itself alive nor keeps turning.

#include "platform/uikit/UIImageView.hpp"
#include "platform/uikit/UIView.hpp"

#include <cstdint>
#include <memory>
#include <optional>

namespace vyd {

class LoadingView : public uikit::UIView {
public:
    static std::shared_ptr<LoadingView> make(const coregraphics::CGRect& frame = coregraphics::CGRect::zero()) {
        return create<LoadingView>(frame);
    }

    using UIView::UIView;

    std::string className() const override { return "LoadingView"; }

    // The spinner's colour: the asset's own colours when absent (as a new view shows it), the
    // asset drawn as a stencil in this colour otherwise.
    virtual const std::optional<uikit::UIColor>& activityColor() const { return activityColor_; }
    virtual void setActivityColor(std::optional<uikit::UIColor> color);
    // The spinner: the SDK's "spinner" image, 40 x 40 points in the middle.
    virtual std::shared_ptr<uikit::UIImageView> spinnerImageView();
    // True: the overlay dims what lies under the view, and the view itself lets touches
    // through to it. False (as a new view is): no overlay, and the view takes the touches on
    // its area.
    virtual bool isBlockingSuperview() const { return isBlockingSuperview_; }
    virtual void setBlockingSuperview(bool blocking);
    // Hidden unless blocking; the palette's overlay colour.
    virtual std::shared_ptr<uikit::UIView> overlayView();

    virtual void startAnimating();
    // Ends the turning: the running step is removed and no further step starts.
    virtual void stopAnimating();
    bool isAnimating() const { return animating_; }

protected:
    void didInit() override;
    void didMoveToSuperview() override;

private:
    void makeConstraints();
    void rotateLoader();
    // One half turn to `angle`, then the other half, then again, while `generation` is current.
    void rotateStep(double angle, std::uint64_t generation);

    std::optional<uikit::UIColor> activityColor_;
    std::shared_ptr<uikit::UIImageView> spinnerImageView_;
    bool isBlockingSuperview_ = false;
    std::shared_ptr<uikit::UIView> overlayView_;
    bool animating_ = false;
    bool stoppedByRemoval_ = false;
    std::uint64_t loopGeneration_ = 0;
};

} // namespace vyd
