#pragma once

// The view: a rectangle in a tree of views, backed by a layer.
//
// Views are reference types held by std::shared_ptr and made with `make(frame)` (or, for a
// subclass, `UIView::create<T>(args...)`), which constructs the view and then runs `didInit()`,
// the step that may use shared_from_this and overridable members (adding subviews, gesture
// recognisers, constraints). A subclass that overrides `didInit()` calls the base first.
//
// A view owns its subviews (in order, back to front) and its layer; its superview is a weak
// reference. The layer tree follows the view tree: a view's layer is a sublayer of its
// superview's layer, in the same order as the subviews (other sublayers the code adds stay where
// they were put). Frame, bounds, centre, transform, alpha and hidden live in the layer.
//
// Layout: Auto Layout constraints (see NSLayoutConstraint) are solved for the whole tree by
// `layoutIfNeeded()`, which then writes frames top-down and calls `layoutSubviews()` of every
// view that needs it. Views made in code translate their frame into constraints
// (`translatesAutoresizingMaskIntoConstraints`, true by default) and follow their autoresizing
// mask when their superview is resized.
//
// Everything here is main-thread only. Bad calls that raise on the platform (a view added to
// itself or to one of its descendants, a non-finite frame) print a message on standard error and
// change nothing.

#include "platform/coregraphics/CGAffineTransform.hpp"
#include "platform/coregraphics/CGGeometry.hpp"
#include "platform/foundation/NSObject.hpp"
#include "platform/foundation/OptionSet.hpp"
#include "platform/quartzcore/CALayer.hpp"
#include "platform/uikit/NSLayoutAnchor.hpp"
#include "platform/uikit/NSLayoutConstraint.hpp"
#include "platform/uikit/UIColor.hpp"
#include "platform/uikit/UIEdgeInsets.hpp"
#include "platform/uikit/UIEvent.hpp"
#include "platform/uikit/UILayoutGuide.hpp"
#include "platform/uikit/UITouch.hpp"
#include "platform/uikit/UITraitCollection.hpp"
#include "platform/uikit/UIViewAnimation.hpp"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace uikit {

using coregraphics::CGAffineTransform;
using coregraphics::CGPoint;
using coregraphics::CGRect;
using coregraphics::CGSize;

class UIWindow;
class UIGestureRecognizer;
class LayoutSystem;

// The platform's raw values.
enum class UIViewContentMode : int {
    scaleToFill = 0,
    scaleAspectFit = 1,
    scaleAspectFill = 2,
    redraw = 3,
    center = 4,
    top = 5,
    bottom = 6,
    left = 7,
    right = 8,
    topLeft = 9,
    topRight = 10,
    bottomLeft = 11,
    bottomRight = 12,
};

enum class UIViewAutoresizing : unsigned {
    none = 0,
    flexibleLeftMargin = 1u << 0,
    flexibleWidth = 1u << 1,
    flexibleRightMargin = 1u << 2,
    flexibleTopMargin = 1u << 3,
    flexibleHeight = 1u << 4,
    flexibleBottomMargin = 1u << 5,
};

VYD_OPTION_SET(UIViewAutoresizing)

// A view is its layer's delegate, as on the platform.
class UIView : public foundation::NSObject,
               public LayoutItem,
               public quartzcore::CALayerDelegate,
               public std::enable_shared_from_this<UIView> {
public:
    using Pointer = std::shared_ptr<UIView>;

    // The platform's UIViewNoIntrinsicMetric: no intrinsic size along that axis.
    static constexpr CGFloat noIntrinsicMetric = -1;
    // The platform's layoutFittingCompressedSize and layoutFittingExpandedSize.
    static CGSize layoutFittingCompressedSize() { return {0, 0}; }
    static CGSize layoutFittingExpandedSize() { return {10000000, 10000000}; }

    static Pointer make(const CGRect& frame = CGRect::zero()) { return create<UIView>(frame); }

    // Constructs a T and runs its second initialisation step (`didInit()`).
    template <class T, class... Args>
    static std::shared_ptr<T> create(Args&&... args) {
        auto view = std::make_shared<T>(std::forward<Args>(args)...);
        static_cast<UIView&>(*view).runDidInit();
        return view;
    }

    // Public so that `create` can reach it; make views with `make` or `create`.
    explicit UIView(const CGRect& frame = CGRect::zero());
    ~UIView() override;
    UIView(const UIView&) = delete;
    UIView& operator=(const UIView&) = delete;

    // The class name the platform prints in messages ("UIView", "UILabel", ...).
    virtual std::string className() const { return "UIView"; }
    // "<UIView: 0x...; frame = (0 0; 320 44)>"
    std::string description() const;

    // Geometry. The frame is in the superview's coordinates; with a transform it is the box
    // around the transformed bounds. Setting a frame sets the centre and the bounds' size; a
    // non-finite value is refused with a message; a negative size is read in standardized form.
    CGRect frame() const;
    void setFrame(const CGRect& frame);
    CGRect bounds() const;
    void setBounds(const CGRect& bounds);
    CGPoint center() const;
    void setCenter(const CGPoint& center);
    CGAffineTransform transform() const;
    void setTransform(const CGAffineTransform& transform);

    // Hierarchy.
    std::shared_ptr<UIView> superview() const { return superview_.lock(); }
    const std::vector<std::shared_ptr<UIView>>& subviews() const { return subviews_; }
    // Adding a view moves it from its previous superview; adding the view itself or one of its
    // ancestors is refused with a message. An index past the end appends.
    void addSubview(const std::shared_ptr<UIView>& view);
    void insertSubview(const std::shared_ptr<UIView>& view, std::size_t at);
    // A sibling that is not a subview makes these append.
    void insertSubview(const std::shared_ptr<UIView>& view, const std::shared_ptr<UIView>& aboveSubview, bool above);
    void insertSubviewBelow(const std::shared_ptr<UIView>& view, const std::shared_ptr<UIView>& sibling) {
        insertSubview(view, sibling, false);
    }
    void removeFromSuperview();
    // True for the view itself and for its descendants.
    bool isDescendant(const UIView& of) const;
    // The window the view is in, if any: the nearest ancestor (or the view) that is a window.
    std::shared_ptr<UIWindow> window() const;

    // Appearance and interaction.
    bool isHidden() const;
    void setHidden(bool hidden);
    CGFloat alpha() const;
    void setAlpha(CGFloat alpha);
    const std::optional<UIColor>& backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(std::optional<UIColor> color);
    bool isOpaque() const { return opaque_; }
    void setOpaque(bool opaque) { opaque_ = opaque; }
    bool clipsToBounds() const;
    void setClipsToBounds(bool clips);
    // The own tint colour, else the superview's, else the platform's system blue.
    UIColor tintColor() const;
    void setTintColor(std::optional<UIColor> color);
    bool hasOwnTintColor() const { return tintColor_.has_value(); }
    UIViewContentMode contentMode() const { return contentMode_; }
    void setContentMode(UIViewContentMode mode) { contentMode_ = mode; }
    bool isUserInteractionEnabled() const { return userInteractionEnabled_; }
    void setUserInteractionEnabled(bool enabled) { userInteractionEnabled_ = enabled; }
    const std::optional<std::string>& accessibilityIdentifier() const { return accessibilityIdentifier_; }
    void setAccessibilityIdentifier(std::optional<std::string> identifier) {
        accessibilityIdentifier_ = std::move(identifier);
    }
    const std::shared_ptr<quartzcore::CALayer>& layer() const { return layer_; }

    // Traits: a window's own; other views inherit their superview's; a view outside any window
    // has the simulated device's current traits.
    virtual UITraitCollection traitCollection() const;
    // Re-reads the traits of this view and its subtree and tells each view whose traits
    // changed (`traitCollectionDidChange`), re-resolving dynamic colours first. Windows and the
    // simulated device call it when the appearance changes.
    void updateTraitsIfNeeded();

    // Hit testing, in the view's own coordinates. `hitTest` ignores hidden views, views with
    // alpha below 0.01 and views with user interaction off, and asks subviews front to back.
    virtual bool point(const CGPoint& inside, const UIEvent* with = nullptr) const;
    virtual std::shared_ptr<UIView> hitTest(const CGPoint& point, const UIEvent* with = nullptr);

    // The touches of a finger that hit this view (see UITouch.hpp). The base ignores them.
    virtual void touchesBegan(const UITouchSet& /*touches*/, const UIEvent* /*event*/) {}
    virtual void touchesMoved(const UITouchSet& /*touches*/, const UIEvent* /*event*/) {}
    virtual void touchesEnded(const UITouchSet& /*touches*/, const UIEvent* /*event*/) {}
    virtual void touchesCancelled(const UITouchSet& /*touches*/, const UIEvent* /*event*/) {}

    // Asked, for a gesture recogniser about to recognise touches that hit this view, whether it
    // may (the platform's UIView member). Controls refuse other views' taps on them.
    virtual bool gestureRecognizerShouldBegin(UIGestureRecognizer& /*recognizer*/) { return true; }

    // Conversions between coordinate systems; a null view means the root of this view's
    // hierarchy (the window's coordinates once the view is in a window).
    CGPoint convert(const CGPoint& point, const UIView* to) const;
    CGPoint convertFrom(const CGPoint& point, const UIView* from) const;
    CGRect convert(const CGRect& rect, const UIView* to) const;
    CGRect convertFrom(const CGRect& rect, const UIView* from) const;

    // Layout.
    void setNeedsLayout();
    bool needsLayout() const { return needsLayout_; }
    void layoutIfNeeded();
    void setNeedsUpdateConstraints();
    void updateConstraintsIfNeeded();
    virtual CGSize intrinsicContentSize() const { return {noIntrinsicMetric, noIntrinsicMetric}; }
    void invalidateIntrinsicContentSize();
    // The size that fits best in `size`; the base answers the current size.
    virtual CGSize sizeThatFits(const CGSize& size) const;
    void sizeToFit();
    // The smallest (compressed) or largest (expanded) size that satisfies the view's
    // constraints, solving them with the target size as a preference at the fitting priorities
    // (required: that dimension is fixed to the target's). The view's frame does not change.
    CGSize systemLayoutSizeFitting(const CGSize& targetSize) const;
    CGSize systemLayoutSizeFitting(const CGSize& targetSize, UILayoutPriority withHorizontalFittingPriority,
                                   UILayoutPriority verticalFittingPriority) const;

    UILayoutPriority contentHuggingPriority(UILayoutConstraintAxis axis) const;
    void setContentHuggingPriority(UILayoutPriority priority, UILayoutConstraintAxis axis);
    UILayoutPriority contentCompressionResistancePriority(UILayoutConstraintAxis axis) const;
    void setContentCompressionResistancePriority(UILayoutPriority priority, UILayoutConstraintAxis axis);

    bool translatesAutoresizingMaskIntoConstraints() const { return translatesAutoresizingMask_; }
    void setTranslatesAutoresizingMaskIntoConstraints(bool translates);
    UIViewAutoresizing autoresizingMask() const { return autoresizingMask_; }
    void setAutoresizingMask(UIViewAutoresizing mask);
    bool autoresizesSubviews() const { return autoresizesSubviews_; }
    void setAutoresizesSubviews(bool autoresizes) { autoresizesSubviews_ = autoresizes; }

    // The active constraints installed on this view, in activation order.
    const std::vector<NSLayoutConstraint::Pointer>& constraints() const { return constraints_; }

    void addLayoutGuide(const std::shared_ptr<UILayoutGuide>& guide);
    void removeLayoutGuide(const std::shared_ptr<UILayoutGuide>& guide);
    const std::vector<std::shared_ptr<UILayoutGuide>>& layoutGuides() const { return layoutGuides_; }

    // Safe area: a root view (a window, or a view that a view controller's container gives
    // insets) has the insets set on it; every other view has the part of its superview's safe
    // area insets that overlaps it, plus any additional insets (a view controller's
    // additionalSafeAreaInsets).
    UIEdgeInsets safeAreaInsets() const;
    void setSafeAreaInsetsOverride(std::optional<UIEdgeInsets> insets);
    const std::optional<UIEdgeInsets>& safeAreaInsetsOverride() const { return safeAreaInsetsOverride_; }
    const UIEdgeInsets& additionalSafeAreaInsets() const { return additionalSafeAreaInsets_; }
    void setAdditionalSafeAreaInsets(const UIEdgeInsets& insets);
    // The rectangle of the bounds inside the safe area, as a guide for constraints.
    std::shared_ptr<UILayoutGuide> safeAreaLayoutGuide();

    // Gesture recognisers. A recogniser belongs to at most one view: adding it to another view
    // takes it from the first.
    void addGestureRecognizer(const std::shared_ptr<UIGestureRecognizer>& recognizer);
    void removeGestureRecognizer(const std::shared_ptr<UIGestureRecognizer>& recognizer);
    const std::vector<std::shared_ptr<UIGestureRecognizer>>& gestureRecognizers() const { return gestureRecognizers_; }

    // Animations (see UIViewAnimation.hpp).
    static void animate(double withDuration, UIViewAnimations animations, UIViewAnimationCompletion completion = {});
    static void animate(double withDuration, double delay, UIViewAnimationOptions options, UIViewAnimations animations,
                        UIViewAnimationCompletion completion = {});
    static void animate(double withDuration, double delay, CGFloat usingSpringWithDamping,
                        CGFloat initialSpringVelocity, UIViewAnimationOptions options, UIViewAnimations animations,
                        UIViewAnimationCompletion completion = {});
    static void performWithoutAnimation(const UIViewAnimations& actions);
    // True while an animation block runs.
    static bool isInAnimationBlock();

    // CALayerDelegate: changes of the layer's animatable properties join the animation that is
    // being described, as the view's own do.
    void layerWillChange(quartzcore::CALayer& layer, const std::string& key, const quartzcore::CAAnimationValue& from,
                         const quartzcore::CAAnimationValue& to) override;

    // LayoutItem
    std::shared_ptr<UIView> owningViewForLayout() const override;
    std::string layoutDescription() const override;

    // Hooks of a window (and, later, of other containers). A window answers itself.
    virtual UIWindow* asWindow() { return nullptr; }

protected:
    // For subclasses that need another kind of layer (e.g. a gradient layer).
    UIView(const CGRect& frame, std::shared_ptr<quartzcore::CALayer> layer);

    // Second initialisation step, run once by `create`. Overrides call the base first.
    virtual void didInit() {}

    virtual void layoutSubviews() {}
    virtual void updateConstraints() {}
    virtual void willMoveToSuperview(const std::shared_ptr<UIView>& /*newSuperview*/) {}
    virtual void didMoveToSuperview() {}
    virtual void willMoveToWindow(UIWindow* /*newWindow*/) {}
    virtual void didMoveToWindow() {}
    virtual void didAddSubview(const std::shared_ptr<UIView>& /*subview*/) {}
    virtual void willRemoveSubview(const std::shared_ptr<UIView>& /*subview*/) {}
    // A subview was hidden or shown: the view lays its subviews out again.
    virtual void subviewHiddenChanged(UIView& /*subview*/) { setNeedsLayout(); }
    virtual void traitCollectionDidChange(const UITraitCollection& /*previous*/) {}
    virtual void tintColorDidChange() {}
    virtual void safeAreaInsetsDidChange() {}
    // Views whose intrinsic height depends on the width they get (wrapping text) answer true
    // and measure themselves for a given width: the layout engine solves once with
    // `intrinsicContentSize()`, then again with the widths that solve gave them, until the
    // widths settle. `lastLayoutWidth()` is the width of the last such pass.
    virtual bool intrinsicSizeDependsOnWidth() const { return false; }
    virtual CGSize intrinsicContentSizeForLayoutWidth(CGFloat /*width*/) const { return intrinsicContentSize(); }
    std::optional<CGFloat> lastLayoutWidth() const { return lastLayoutWidth_; }
    // Called on the root of a hierarchy when something in it needs a layout pass: a window
    // schedules one on the main queue, as the platform does at the end of a run-loop turn.
    virtual void hierarchyNeedsLayout() {}

    std::weak_ptr<LayoutItem> weakLayoutItem() const override {
        return std::const_pointer_cast<UIView>(weak_from_this().lock());
    }

private:
    friend class LayoutEngine;
    friend class LayoutSystem;
    friend class LayoutPasses;
    friend class NSLayoutConstraint;
    friend class UIGestureRecognizer;

    void runDidInit();
    void insertSubviewChecked(const std::shared_ptr<UIView>& view, std::size_t index);
    void placeLayer(const std::shared_ptr<UIView>& view, std::size_t index);
    void detachFromSuperview(bool notify);
    void applyBackgroundColor();
    void notifyTintColorChange();
    void boundsSizeChanged(const CGSize& oldSize);
    void resizeSubviews(const CGSize& oldSize);
    void moveToWindow(UIWindow* oldWindow, UIWindow* newWindow);
    void deactivateConstraintsLeavingSubtree();
    CGPoint toSuperview(const CGPoint& point) const;
    CGPoint fromSuperview(const CGPoint& point) const;
    // The safe area insets given the superview and its insets, which a walk down a tree knows.
    UIEdgeInsets safeAreaInsets(const UIView* parent, const UIEdgeInsets& outer) const;
    void markLayoutDirty();
    // Only the constant or priority of an active constraint changed: the engine can update its
    // solution without building the system again.
    void markConstantsDirty(const NSLayoutConstraint& constraint);

    std::shared_ptr<quartzcore::CALayer> layer_;
    std::weak_ptr<UIView> superview_;
    std::vector<std::shared_ptr<UIView>> subviews_;

    // Kept in full precision: the layer's opacity is a float, and 0.01 must stay 0.01 for hit tests.
    CGFloat alpha_ = 1;
    std::optional<UIColor> backgroundColor_;
    std::optional<UIColor> tintColor_;
    UITraitCollection lastTraits_;
    bool opaque_ = true;
    bool userInteractionEnabled_ = true;
    UIViewContentMode contentMode_ = UIViewContentMode::scaleToFill;
    std::optional<std::string> accessibilityIdentifier_;

    bool needsLayout_ = true;
    bool needsUpdateConstraints_ = true;
    bool translatesAutoresizingMask_ = true;
    bool autoresizesSubviews_ = true;
    UIViewAutoresizing autoresizingMask_ = UIViewAutoresizing::none;
    std::array<UILayoutPriority, 2> hugging_{UILayoutPriority::defaultLow, UILayoutPriority::defaultLow};
    std::array<UILayoutPriority, 2> compression_{UILayoutPriority::defaultHigh, UILayoutPriority::defaultHigh};
    std::vector<NSLayoutConstraint::Pointer> constraints_;
    std::vector<std::shared_ptr<UILayoutGuide>> layoutGuides_;
    std::shared_ptr<UILayoutGuide> safeAreaGuide_;
    std::optional<UIEdgeInsets> safeAreaInsetsOverride_;
    UIEdgeInsets additionalSafeAreaInsets_;
    std::optional<UIEdgeInsets> lastSafeAreaInsets_;
    std::optional<CGFloat> lastLayoutWidth_;
    // The system of the hierarchy while this view is its root, and the one that answers this
    // view's fitting sizes (see LayoutSystem.hpp).
    std::shared_ptr<LayoutSystem> layoutSystem_;
    std::shared_ptr<LayoutSystem> fittingSystem_;

    std::vector<std::shared_ptr<UIGestureRecognizer>> gestureRecognizers_;
};

} // namespace uikit
