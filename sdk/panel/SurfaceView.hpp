#pragma once

// The sheet of a panel: a rounded container that holds the content, with a grabber handle at
// its top edge. The panel's core gives it its frame; the content follows the container by
// constraints.

#include "platform/uikit/UIView.hpp"

#include <memory>
#include <optional>

namespace vyd {

struct SurfaceAppearance {
    std::optional<uikit::UIColor> backgroundColor;
    // The top two corners are rounded; the bottom ones lie off screen or on the screen's edge.
    coregraphics::CGFloat cornerRadius = 0;
};

class SurfaceView : public uikit::UIView {
public:
    static constexpr coregraphics::CGSize grabberHandleSize{36, 5};
    // From the top edge of the surface to the top of the handle.
    static constexpr coregraphics::CGFloat grabberHandlePadding = 6;

    static std::shared_ptr<SurfaceView> make() { return create<SurfaceView>(); }

    using UIView::UIView;

    std::string className() const override { return "SurfaceView"; }

    // A small capsule; its background colour is the handle's colour.
    const std::shared_ptr<uikit::UIView>& grabberHandle() const { return grabberHandle_; }
    // Holds the content and draws the surface's background and corners.
    const std::shared_ptr<uikit::UIView>& containerView() const { return containerView_; }
    // The view set with `setContentView`, pinned to the container's edges.
    std::shared_ptr<uikit::UIView> contentView() const { return contentView_.lock(); }
    // Takes any previous content out; null leaves the surface empty.
    void setContentView(const std::shared_ptr<uikit::UIView>& view);

    const SurfaceAppearance& appearance() const { return appearance_; }
    void setAppearance(SurfaceAppearance appearance);

protected:
    void didInit() override;

private:
    std::shared_ptr<uikit::UIView> containerView_;
    std::shared_ptr<uikit::UIView> grabberHandle_;
    std::weak_ptr<uikit::UIView> contentView_;
    SurfaceAppearance appearance_;
};

} // namespace vyd
