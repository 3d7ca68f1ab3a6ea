#pragma once

// The layer tree. Layers draw nothing here; they keep every property the UI code sets so that
// it can be read back, and run animations on the clock.
//
// Layers are reference types made by `make()`. A layer owns its sublayers (in order) and its
// mask; its superlayer is a weak reference. Sublayers keep the order in which they were added
// or inserted; `zPosition` does not reorder them, it only decides the drawing order, which
// `sublayersInDrawingOrder()` gives.
//
// Animations: `add(animation, key)` stores a copy under the key (replacing, as not finished,
// one already there). An animation stops when its active duration has passed on the clock
// (foundation::Clock, through the main queue) and is then removed; one that repeats for ever
// stays until removed. An animation's delegate hears of every stop, finished or not,
// synchronously, after the layer's own state has changed. All of this is main-thread only.

#include "platform/coregraphics/CGAffineTransform.hpp"
#include "platform/coregraphics/CGColor.hpp"
#include "platform/coregraphics/CGGeometry.hpp"
#include "platform/foundation/OptionSet.hpp"
#include "platform/quartzcore/CAAnimation.hpp"
#include "platform/quartzcore/CABasicAnimation.hpp"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quartzcore {

using coregraphics::CGAffineTransform;
using coregraphics::CGColor;
using coregraphics::CGPoint;
using coregraphics::CGRect;
using coregraphics::CGSize;

// Which corners `cornerRadius` rounds, with the platform's bit values.
enum class CACornerMask : unsigned {
    none = 0,
    layerMinXMinYCorner = 1,
    layerMaxXMinYCorner = 2,
    layerMinXMaxYCorner = 4,
    layerMaxXMaxYCorner = 8,
    all = 15,
};

VYD_OPTION_SET(CACornerMask)

class CALayer;

// The platform's CALayerDelegate as far as a view needs it: the view that a layer backs hears of
// a change of an animatable property of the layer (here the corner radius) before it happens, so
// that a change made inside a view animation is animated, and undone when a property animator
// goes back to its start.
class CALayerDelegate {
public:
    virtual ~CALayerDelegate() = default;
    virtual void layerWillChange(CALayer& layer, const std::string& key, const CAAnimationValue& from,
                                 const CAAnimationValue& to) = 0;
};

class CALayer : public std::enable_shared_from_this<CALayer> {
public:
    using Sublayers = std::vector<std::shared_ptr<CALayer>>;

    static std::shared_ptr<CALayer> make() { return std::shared_ptr<CALayer>(new CALayer()); }
    virtual ~CALayer();

    CALayer(const CALayer&) = delete;
    CALayer& operator=(const CALayer&) = delete;

    const std::optional<std::string>& name() const { return name_; }
    void setName(std::optional<std::string> name) { name_ = std::move(name); }

    // Geometry: the frame is derived from bounds, position (of the bounds' centre) and transform,
    // in the superlayer's coordinates. Setting a frame keeps the bounds' origin and ignores the
    // transform (the platform leaves that case undefined).
    CGRect bounds() const { return bounds_; }
    void setBounds(const CGRect& bounds) { bounds_ = bounds; }
    CGPoint position() const { return position_; }
    void setPosition(const CGPoint& position) { position_ = position; }
    CGRect frame() const;
    void setFrame(const CGRect& frame);
    CGAffineTransform affineTransform() const { return transform_; }
    void setAffineTransform(const CGAffineTransform& transform) { transform_ = transform; }
    CGFloat zPosition() const { return zPosition_; }
    void setZPosition(CGFloat zPosition) { zPosition_ = zPosition; }

    bool isHidden() const { return hidden_; }
    void setHidden(bool hidden) { hidden_ = hidden; }
    float opacity() const { return opacity_; }
    void setOpacity(float opacity) { opacity_ = opacity; }
    bool masksToBounds() const { return masksToBounds_; }
    void setMasksToBounds(bool masks) { masksToBounds_ = masks; }

    CGFloat cornerRadius() const { return cornerRadius_; }
    // Tells the delegate first when the radius changes.
    void setCornerRadius(CGFloat radius);
    CACornerMask maskedCorners() const { return maskedCorners_; }
    void setMaskedCorners(CACornerMask corners) { maskedCorners_ = corners; }

    CGFloat borderWidth() const { return borderWidth_; }
    void setBorderWidth(CGFloat width) { borderWidth_ = width; }
    // Colours are absent by default, except the shadow's, which is opaque black.
    const std::optional<CGColor>& borderColor() const { return borderColor_; }
    void setBorderColor(std::optional<CGColor> color) { borderColor_ = std::move(color); }
    const std::optional<CGColor>& backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(std::optional<CGColor> color) { backgroundColor_ = std::move(color); }

    const std::optional<CGColor>& shadowColor() const { return shadowColor_; }
    void setShadowColor(std::optional<CGColor> color) { shadowColor_ = std::move(color); }
    CGSize shadowOffset() const { return shadowOffset_; }
    void setShadowOffset(const CGSize& offset) { shadowOffset_ = offset; }
    CGFloat shadowRadius() const { return shadowRadius_; }
    void setShadowRadius(CGFloat radius) { shadowRadius_ = radius; }
    float shadowOpacity() const { return shadowOpacity_; }
    void setShadowOpacity(float opacity) { shadowOpacity_ = opacity; }

    // Held weakly.
    std::shared_ptr<CALayerDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::shared_ptr<CALayerDelegate>& delegate) { delegate_ = delegate; }

    const std::shared_ptr<CALayer>& mask() const { return mask_; }
    void setMask(std::shared_ptr<CALayer> mask) { mask_ = std::move(mask); }

    // Tree. Adding a layer takes it out of its previous superlayer first. A layer cannot become
    // a sublayer of itself or of one of its own sublayers: such a call changes nothing.
    const Sublayers& sublayers() const { return sublayers_; }
    std::shared_ptr<CALayer> superlayer() const { return superlayer_.lock(); }
    void addSublayer(const std::shared_ptr<CALayer>& layer);
    // A sibling that is not a sublayer of this layer makes this append.
    void insertSublayerBelow(const std::shared_ptr<CALayer>& layer, const std::shared_ptr<CALayer>& sibling);
    void removeFromSuperlayer();
    // Sublayers sorted by zPosition, keeping their order for equal positions: back to front.
    Sublayers sublayersInDrawingOrder() const;

    // Animations. An empty key adds an animation that only removeAllAnimations() reaches.
    void add(const std::shared_ptr<CAAnimation>& animation, const std::string& key);
    std::shared_ptr<const CAAnimation> animation(const std::string& key) const;
    // Keys in the order their animations were added.
    std::vector<std::string> animationKeys() const;
    void removeAnimation(const std::string& key);
    void removeAllAnimations();

protected:
    CALayer() = default;

private:
    struct RunningAnimation {
        std::string key;
        std::shared_ptr<CAAnimation> animation;
        std::uint64_t id;
    };

    bool isAncestorOrSelf(const CALayer& layer) const;
    // An index past the end appends.
    void insertSublayer(const std::shared_ptr<CALayer>& layer, std::size_t index);
    void detachFromSuperlayer();
    void complete(std::uint64_t id);
    void notifyStopped(std::vector<RunningAnimation> stopped, bool finished);

    std::optional<std::string> name_;
    CGRect bounds_;
    CGPoint position_;
    CGAffineTransform transform_;
    CGFloat zPosition_ = 0;
    bool hidden_ = false;
    float opacity_ = 1;
    bool masksToBounds_ = false;
    CGFloat cornerRadius_ = 0;
    CACornerMask maskedCorners_ = CACornerMask::all;
    CGFloat borderWidth_ = 0;
    std::optional<CGColor> borderColor_;
    std::optional<CGColor> backgroundColor_;
    std::optional<CGColor> shadowColor_ = CGColor::black();
    CGSize shadowOffset_{0, -3};
    CGFloat shadowRadius_ = 3;
    float shadowOpacity_ = 0;
    std::weak_ptr<CALayerDelegate> delegate_;
    std::shared_ptr<CALayer> mask_;

    Sublayers sublayers_;
    std::weak_ptr<CALayer> superlayer_;

    std::vector<RunningAnimation> animations_;
};

} // namespace quartzcore
