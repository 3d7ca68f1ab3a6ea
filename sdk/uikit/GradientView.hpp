#pragma once
#include "platform/quartzcore/CAGradientLayer.hpp"
#include "platform/uikit/UIColor.hpp"
#include "platform/uikit/UIView.hpp"

#include <memory>

namespace vyd {

// A view whose layer is a gradient layer painting a linear gradient over its bounds, from
// `startColor` at `startLocation` to `endColor` at `endLocation` (black at 5 % to white at 95 %
// until set otherwise). Every property is mirrored onto the layer as soon as it is set (even to
// the value it had) and again at each layout pass, so the gradient follows both property and
// size changes; making the view leaves the layer alone until the first layout pass.
class GradientView : public uikit::UIView {
public:
    // The view's layer.
    std::shared_ptr<quartzcore::CAGradientLayer> gradientLayer() const;

    const uikit::UIColor& startColor() const { return startColor_; }
    void setStartColor(const uikit::UIColor& color);
    const uikit::UIColor& endColor() const { return endColor_; }
    void setEndColor(const uikit::UIColor& color);
    double startLocation() const { return startLocation_; }
    void setStartLocation(double location);
    double endLocation() const { return endLocation_; }
    void setEndLocation(double location);

    // The direction: top to bottom by default, left to right when horizontal, top-left to
    // bottom-right when diagonal, top-right to bottom-left when both.
    bool horizontalMode() const { return horizontalMode_; }
    void setHorizontalMode(bool horizontalMode);
    bool diagonalMode() const { return diagonalMode_; }
    void setDiagonalMode(bool diagonalMode);

    void updatePoints();
    // The colours and locations, in their order, as the layer's.
    virtual void updateLocations() = 0;
    virtual void updateColors() = 0;

protected:
    explicit GradientView(const uikit::CGRect& frame);
    // The base's layout, then points, locations and colours.
    void layoutSubviews() override;

private:
    uikit::UIColor startColor_ = uikit::UIColor::black();
    uikit::UIColor endColor_ = uikit::UIColor::white();
    double startLocation_ = 0.05;
    double endLocation_ = 0.95;
    bool horizontalMode_ = false;
    bool diagonalMode_ = false;
};

// Two colours.
class TwoGradientView : public GradientView {
public:
    static std::shared_ptr<TwoGradientView> make(const uikit::CGRect& frame = uikit::CGRect::zero()) {
        return create<TwoGradientView>(frame);
    }
    explicit TwoGradientView(const uikit::CGRect& frame) : GradientView(frame) {}
    std::string className() const override { return "TwoGradientView"; }

    void updateLocations() override;
    void updateColors() override;
};

// Three colours: grey at 45 % between the other two until set otherwise.
class ThreeGradientView : public GradientView {
public:
    static std::shared_ptr<ThreeGradientView> make(const uikit::CGRect& frame = uikit::CGRect::zero()) {
        return create<ThreeGradientView>(frame);
    }
    explicit ThreeGradientView(const uikit::CGRect& frame) : GradientView(frame) {}
    std::string className() const override { return "ThreeGradientView"; }

    const uikit::UIColor& midColor() const { return midColor_; }
    void setMidColor(const uikit::UIColor& color);
    double midLocation() const { return midLocation_; }
    void setMidLocation(double location);

    void updateLocations() override;
    void updateColors() override;

private:
    uikit::UIColor midColor_ = uikit::UIColor::gray();
    double midLocation_ = 0.45;
};

} // namespace vyd
