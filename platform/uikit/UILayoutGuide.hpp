#pragma once

// A rectangle that takes part in Auto Layout without being a view: it has anchors, is placed by
// constraints, and draws and receives nothing. A guide belongs to one view (`addLayoutGuide`),
// which holds it; the guide refers back to its owning view weakly.

#include "platform/coregraphics/CGGeometry.hpp"
#include "platform/uikit/NSLayoutAnchor.hpp"

#include <memory>
#include <string>

namespace uikit {

using coregraphics::CGRect;

class UILayoutGuide : public LayoutItem, public std::enable_shared_from_this<UILayoutGuide> {
public:
    static std::shared_ptr<UILayoutGuide> make() { return std::shared_ptr<UILayoutGuide>(new UILayoutGuide()); }

    std::shared_ptr<UIView> owningView() const { return owningView_.lock(); }
    const std::string& identifier() const { return identifier_; }
    void setIdentifier(std::string identifier) { identifier_ = std::move(identifier); }

    // Where the last layout pass put the guide, in its owning view's coordinates.
    CGRect layoutFrame() const { return layoutFrame_; }

    std::shared_ptr<UIView> owningViewForLayout() const override { return owningView(); }
    std::string layoutDescription() const override;

protected:
    UILayoutGuide() = default;
    std::weak_ptr<LayoutItem> weakLayoutItem() const override;

private:
    friend class UIView;
    friend class LayoutSystem;

    std::weak_ptr<UIView> owningView_;
    std::string identifier_;
    CGRect layoutFrame_;
};

} // namespace uikit
