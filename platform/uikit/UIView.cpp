#include "platform/uikit/UIView.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/uikit/LayoutEngine.hpp"
#include "platform/uikit/UIViewAnimationContext.hpp"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <sstream>

namespace uikit {

namespace {

bool isFinite(const CGRect& r) {
    return std::isfinite(r.origin.x) && std::isfinite(r.origin.y) && std::isfinite(r.size.width) &&
           std::isfinite(r.size.height);
}

std::string formatNumber(CGFloat value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%g", value);
    return buffer;
}

std::string address(const void* pointer) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%p", pointer);
    return buffer;
}

CGPoint boundsCenter(const CGRect& bounds) {
    return {bounds.origin.x + bounds.size.width / 2, bounds.origin.y + bounds.size.height / 2};
}

void forEachInSubtree(UIView& view, const std::function<void(UIView&)>& body) {
    body(view);
    const auto subviews = view.subviews(); // a hook may change the tree
    for (const auto& subview : subviews) {
        forEachInSubtree(*subview, body);
    }
}

} // namespace

UIView::UIView(const CGRect& frame) : UIView(frame, quartzcore::CALayer::make()) {}

UIView::UIView(const CGRect& frame, std::shared_ptr<quartzcore::CALayer> layer)
    : layer_(layer ? std::move(layer) : quartzcore::CALayer::make()), lastTraits_(UITraitCollection::current()) {
    const CGRect f = isFinite(frame) ? frame.standardized() : CGRect::zero();
    layer_->setBounds({0, 0, f.size.width, f.size.height});
    layer_->setPosition({f.midX(), f.midY()});
}

UIView::~UIView() = default;

void UIView::runDidInit() {
    layer_->setDelegate(std::static_pointer_cast<quartzcore::CALayerDelegate>(shared_from_this()));
    didInit();
}

void UIView::layerWillChange(quartzcore::CALayer& layer, const std::string& key,
                             const quartzcore::CAAnimationValue& from, const quartzcore::CAAnimationValue& to) {
    if (&layer == layer_.get()) {
        animation::willChange(*this, key, from, to);
    }
}

std::string UIView::description() const {
    const CGRect f = frame();
    return "<" + className() + ": " + address(this) + "; frame = (" + formatNumber(f.origin.x) + " " +
           formatNumber(f.origin.y) + "; " + formatNumber(f.size.width) + " " + formatNumber(f.size.height) + ")>";
}

std::string UIView::layoutDescription() const { return className() + ":" + address(this); }

std::shared_ptr<UIView> UIView::owningViewForLayout() const {
    return std::const_pointer_cast<UIView>(shared_from_this());
}

// MARK: Geometry

CGRect UIView::frame() const { return layer_->frame(); }

void UIView::setFrame(const CGRect& frame) {
    if (!isFinite(frame)) {
        std::cerr << "UIView: refusing a frame with a non-finite value for " << description() << "\n";
        return;
    }
    const CGRect f = frame.standardized();
    const CGRect oldBounds = layer_->bounds();
    const CGPoint oldPosition = layer_->position();
    const CGRect newBounds{oldBounds.origin, f.size};
    const CGPoint newPosition{f.midX(), f.midY()};
    animation::willChange(*this, "bounds", oldBounds, newBounds);
    animation::willChange(*this, "position", oldPosition, newPosition);
    layer_->setBounds(newBounds);
    layer_->setPosition(newPosition);
    if (translatesAutoresizingMask_ && (oldPosition != newPosition || oldBounds.size != newBounds.size)) {
        LayoutEngine::frameChanged(*this);
    }
    if (oldBounds.size != newBounds.size) {
        boundsSizeChanged(oldBounds.size);
    }
}

CGRect UIView::bounds() const { return layer_->bounds(); }

void UIView::setBounds(const CGRect& bounds) {
    if (!isFinite(bounds)) {
        std::cerr << "UIView: refusing bounds with a non-finite value for " << description() << "\n";
        return;
    }
    const CGRect old = layer_->bounds();
    const CGRect b{bounds.origin, {std::fabs(bounds.size.width), std::fabs(bounds.size.height)}};
    animation::willChange(*this, "bounds", old, b);
    layer_->setBounds(b);
    if (old.size != b.size) {
        if (translatesAutoresizingMask_) {
            LayoutEngine::frameChanged(*this);
        }
        boundsSizeChanged(old.size);
    }
}

CGPoint UIView::center() const { return layer_->position(); }

void UIView::setCenter(const CGPoint& center) {
    if (!std::isfinite(center.x) || !std::isfinite(center.y)) {
        std::cerr << "UIView: refusing a non-finite centre for " << description() << "\n";
        return;
    }
    const CGPoint old = layer_->position();
    animation::willChange(*this, "position", old, center);
    layer_->setPosition(center);
    if (translatesAutoresizingMask_ && old != center) {
        LayoutEngine::frameChanged(*this);
    }
}

CGAffineTransform UIView::transform() const { return layer_->affineTransform(); }

void UIView::setTransform(const CGAffineTransform& transform) {
    animation::willChange(*this, "transform", layer_->affineTransform(), transform);
    layer_->setAffineTransform(transform);
}

void UIView::boundsSizeChanged(const CGSize& oldSize) {
    resizeSubviews(oldSize);
    setNeedsLayout();
}

void UIView::resizeSubviews(const CGSize& oldSize) {
    if (!autoresizesSubviews_) {
        return;
    }
    const CGSize newSize = bounds().size;
    // The change of the superview's length is shared among the flexible parts of each axis in
    // proportion to their current lengths (equally when they are all zero).
    const auto resizeAxis = [](CGFloat& origin, CGFloat& length, CGFloat oldParent, CGFloat newParent, bool flexMin,
                               bool flexLength, bool flexMax) {
        const CGFloat delta = newParent - oldParent;
        const int count = int(flexMin) + int(flexLength) + int(flexMax);
        if (delta == 0 || count == 0) {
            return;
        }
        const CGFloat minMargin = origin;
        const CGFloat maxMargin = oldParent - origin - length;
        const CGFloat total = (flexMin ? minMargin : 0) + (flexLength ? length : 0) + (flexMax ? maxMargin : 0);
        const auto share = [&](CGFloat part) { return total > 0 ? delta * part / total : delta / count; };
        const CGFloat minShare = flexMin ? share(std::max<CGFloat>(minMargin, 0)) : 0;
        const CGFloat lengthShare = flexLength ? share(std::max<CGFloat>(length, 0)) : 0;
        origin += minShare;
        length = std::max<CGFloat>(0, length + lengthShare);
    };
    const auto subviews = subviews_;
    for (const auto& subview : subviews) {
        const UIViewAutoresizing mask = subview->autoresizingMask_;
        if (!subview->translatesAutoresizingMask_ || mask == UIViewAutoresizing::none) {
            continue;
        }
        const CGSize size = subview->bounds().size;
        const CGPoint c = subview->center();
        CGFloat x = c.x - size.width / 2;
        CGFloat y = c.y - size.height / 2;
        CGFloat w = size.width;
        CGFloat h = size.height;
        resizeAxis(x, w, oldSize.width, newSize.width, contains(mask, UIViewAutoresizing::flexibleLeftMargin),
                   contains(mask, UIViewAutoresizing::flexibleWidth),
                   contains(mask, UIViewAutoresizing::flexibleRightMargin));
        resizeAxis(y, h, oldSize.height, newSize.height, contains(mask, UIViewAutoresizing::flexibleTopMargin),
                   contains(mask, UIViewAutoresizing::flexibleHeight),
                   contains(mask, UIViewAutoresizing::flexibleBottomMargin));
        subview->setCenter({x + w / 2, y + h / 2});
        subview->setBounds({subview->bounds().origin, {w, h}});
    }
}

// MARK: Hierarchy

void UIView::addSubview(const std::shared_ptr<UIView>& view) { insertSubviewChecked(view, subviews_.size()); }

void UIView::insertSubview(const std::shared_ptr<UIView>& view, std::size_t at) { insertSubviewChecked(view, at); }

void UIView::insertSubview(const std::shared_ptr<UIView>& view, const std::shared_ptr<UIView>& sibling, bool above) {
    if (!view) {
        return;
    }
    if (view == sibling) {
        return;
    }
    auto others = subviews_;
    others.erase(std::remove(others.begin(), others.end(), view), others.end());
    const auto it = std::find(others.begin(), others.end(), sibling);
    std::size_t index = others.size();
    if (it != others.end()) {
        index = static_cast<std::size_t>(it - others.begin()) + (above ? 1 : 0);
    }
    insertSubviewChecked(view, index);
}

void UIView::insertSubviewChecked(const std::shared_ptr<UIView>& view, std::size_t index) {
    assert(foundation::isMainThread());
    if (!view) {
        return;
    }
    if (view.get() == this) {
        std::cerr << "UIView: Can't add self as subview (" << description() << ")\n";
        return;
    }
    if (isDescendant(*view)) {
        std::cerr << "UIView: can't add " << view->description() << " as a subview of " << description()
                  << ": it is one of its ancestors\n";
        return;
    }
    const auto self = weak_from_this().lock();
    if (!self) {
        std::cerr << "UIView: a view can take subviews once it is made (add them in didInit, not in a constructor)\n";
        return;
    }
    const auto keepAlive = view;

    if (view->superview().get() == this) {
        // Only the order changes: no hierarchy callbacks, as on the platform.
        subviews_.erase(std::remove(subviews_.begin(), subviews_.end(), view), subviews_.end());
        index = std::min(index, subviews_.size());
        subviews_.insert(subviews_.begin() + static_cast<std::ptrdiff_t>(index), view);
        placeLayer(view, index);
        setNeedsLayout();
        return;
    }

    UIWindow* const oldWindow = view->window().get();
    UIWindow* const newWindow = window().get();
    view->willMoveToSuperview(self);
    if (oldWindow != newWindow) {
        forEachInSubtree(*view, [&](UIView& v) { v.willMoveToWindow(newWindow); });
    }
    if (const auto old = view->superview()) {
        old->willRemoveSubview(view);
        view->deactivateConstraintsLeavingSubtree();
        view->detachFromSuperview(false);
        old->setNeedsLayout();
        old->markLayoutDirty();
    }
    index = std::min(index, subviews_.size());
    subviews_.insert(subviews_.begin() + static_cast<std::ptrdiff_t>(index), view);
    view->superview_ = self;
    view->layoutSystem_.reset(); // no longer the root of a hierarchy
    placeLayer(view, index);

    view->didMoveToSuperview();
    if (oldWindow != newWindow) {
        forEachInSubtree(*view, [](UIView& v) { v.didMoveToWindow(); });
    }
    didAddSubview(view);
    if (!view->tintColor_) {
        view->notifyTintColorChange();
    }
    view->updateTraitsIfNeeded();
    setNeedsLayout();
    setNeedsUpdateConstraints();
    markLayoutDirty();
}

void UIView::placeLayer(const std::shared_ptr<UIView>& view, std::size_t index) {
    if (index + 1 < subviews_.size()) {
        layer_->insertSublayerBelow(view->layer_, subviews_[index + 1]->layer_);
    } else {
        layer_->addSublayer(view->layer_);
    }
}

void UIView::detachFromSuperview(bool /*notify*/) {
    if (const auto parent = superview_.lock()) {
        auto& siblings = parent->subviews_;
        siblings.erase(std::remove_if(siblings.begin(), siblings.end(),
                                      [this](const std::shared_ptr<UIView>& v) { return v.get() == this; }),
                       siblings.end());
    }
    superview_.reset();
    layer_->removeFromSuperlayer();
}

void UIView::removeFromSuperview() {
    assert(foundation::isMainThread());
    const auto parent = superview();
    if (!parent) {
        return;
    }
    const auto self = shared_from_this();
    UIWindow* const oldWindow = window().get();
    willMoveToSuperview(nullptr);
    if (oldWindow) {
        forEachInSubtree(*this, [](UIView& v) { v.willMoveToWindow(nullptr); });
    }
    parent->willRemoveSubview(self);
    deactivateConstraintsLeavingSubtree();
    detachFromSuperview(true);
    didMoveToSuperview();
    if (oldWindow) {
        forEachInSubtree(*this, [](UIView& v) { v.didMoveToWindow(); });
    }
    if (!tintColor_) {
        notifyTintColorChange();
    }
    updateTraitsIfNeeded();
    parent->setNeedsLayout();
    parent->setNeedsUpdateConstraints();
    parent->markLayoutDirty();
}

void UIView::deactivateConstraintsLeavingSubtree() {
    std::vector<NSLayoutConstraint::Pointer> leaving;
    for (auto ancestor = superview(); ancestor; ancestor = ancestor->superview()) {
        for (const auto& constraint : ancestor->constraints_) {
            for (const auto& item : {constraint->firstItem(), constraint->secondItem()}) {
                const auto owner = item ? item->owningViewForLayout() : nullptr;
                if (owner && owner->isDescendant(*this)) {
                    leaving.push_back(constraint);
                    break;
                }
            }
        }
    }
    NSLayoutConstraint::deactivate(leaving);
}

bool UIView::isDescendant(const UIView& of) const {
    for (const UIView* v = this; v != nullptr;) {
        if (v == &of) {
            return true;
        }
        const auto parent = v->superview_.lock();
        v = parent.get();
    }
    return false;
}

std::shared_ptr<UIWindow> UIView::window() const {
    for (auto v = std::const_pointer_cast<UIView>(weak_from_this().lock()); v; v = v->superview()) {
        if (UIWindow* w = v->asWindow()) {
            return std::shared_ptr<UIWindow>(v, w);
        }
    }
    return nullptr;
}

// MARK: Appearance

bool UIView::isHidden() const { return layer_->isHidden(); }

void UIView::setHidden(bool hidden) {
    if (layer_->isHidden() == hidden) {
        return;
    }
    layer_->setHidden(hidden);
    // A hidden view keeps its place among the constraints: only a superview that arranges its
    // subviews by whether they show (a stack view) has anything to solve again.
    if (const auto parent = superview()) {
        parent->subviewHiddenChanged(*this);
    }
}

CGFloat UIView::alpha() const { return alpha_; }

void UIView::setAlpha(CGFloat alpha) {
    if (!std::isfinite(alpha)) {
        return;
    }
    const CGFloat clamped = std::clamp<CGFloat>(alpha, 0, 1);
    animation::willChange(*this, "opacity", static_cast<double>(alpha_), static_cast<double>(clamped));
    alpha_ = clamped;
    layer_->setOpacity(static_cast<float>(clamped));
}

void UIView::setBackgroundColor(std::optional<UIColor> color) {
    const auto old = layer_->backgroundColor();
    backgroundColor_ = std::move(color);
    applyBackgroundColor();
    if (old && layer_->backgroundColor()) {
        animation::willChange(*this, "backgroundColor", *old, *layer_->backgroundColor());
    }
}

void UIView::applyBackgroundColor() {
    if (backgroundColor_) {
        layer_->setBackgroundColor(backgroundColor_->resolvedColor(traitCollection()).cgColor());
    } else {
        layer_->setBackgroundColor(std::nullopt);
    }
}

bool UIView::clipsToBounds() const { return layer_->masksToBounds(); }

void UIView::setClipsToBounds(bool clips) { layer_->setMasksToBounds(clips); }

UIColor UIView::tintColor() const {
    if (tintColor_) {
        return *tintColor_;
    }
    if (const auto parent = superview()) {
        return parent->tintColor();
    }
    return UIColor::systemBlue();
}

void UIView::setTintColor(std::optional<UIColor> color) {
    tintColor_ = std::move(color);
    notifyTintColorChange();
}

void UIView::notifyTintColorChange() {
    tintColorDidChange();
    const auto subviews = subviews_;
    for (const auto& subview : subviews) {
        if (!subview->tintColor_) {
            subview->notifyTintColorChange();
        }
    }
}

UITraitCollection UIView::traitCollection() const {
    if (const auto parent = superview()) {
        return parent->traitCollection();
    }
    return UITraitCollection::current();
}

void UIView::updateTraitsIfNeeded() {
    const UITraitCollection traits = traitCollection();
    if (traits != lastTraits_) {
        const UITraitCollection previous = lastTraits_;
        lastTraits_ = traits;
        applyBackgroundColor();
        traitCollectionDidChange(previous);
    }
    const auto subviews = subviews_;
    for (const auto& subview : subviews) {
        subview->updateTraitsIfNeeded();
    }
}

// MARK: Hit testing and coordinates

bool UIView::point(const CGPoint& inside, const UIEvent*) const { return bounds().contains(inside); }

std::shared_ptr<UIView> UIView::hitTest(const CGPoint& point, const UIEvent* with) {
    if (isHidden() || !userInteractionEnabled_ || alpha() < 0.01) {
        return nullptr;
    }
    if (!this->point(point, with)) {
        return nullptr;
    }
    const auto subviews = subviews_;
    for (auto it = subviews.rbegin(); it != subviews.rend(); ++it) {
        if (auto hit = (*it)->hitTest((*it)->fromSuperview(point), with)) {
            return hit;
        }
    }
    return shared_from_this();
}

CGPoint UIView::toSuperview(const CGPoint& point) const {
    const CGPoint c = boundsCenter(bounds());
    const CGPoint offset = CGPoint{point.x - c.x, point.y - c.y}.applying(transform());
    const CGPoint position = center();
    return {position.x + offset.x, position.y + offset.y};
}

CGPoint UIView::fromSuperview(const CGPoint& point) const {
    const CGPoint position = center();
    const CGPoint local = CGPoint{point.x - position.x, point.y - position.y}.applying(transform().inverted());
    const CGPoint c = boundsCenter(bounds());
    return {local.x + c.x, local.y + c.y};
}

CGPoint UIView::convert(const CGPoint& point, const UIView* to) const {
    CGPoint p = point;
    for (const UIView* v = this; v != nullptr;) {
        const auto parent = v->superview_.lock();
        if (!parent) {
            break;
        }
        p = v->toSuperview(p);
        v = parent.get();
    }
    return to ? to->convertFrom(p, nullptr) : p;
}

CGPoint UIView::convertFrom(const CGPoint& point, const UIView* from) const {
    const CGPoint rootPoint = from ? from->convert(point, nullptr) : point;
    std::vector<const UIView*> chain;
    for (const UIView* v = this; v != nullptr;) {
        const auto parent = v->superview_.lock();
        if (!parent) {
            break;
        }
        chain.push_back(v);
        v = parent.get();
    }
    CGPoint p = rootPoint;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        p = (*it)->fromSuperview(p);
    }
    return p;
}

namespace {

template <class Convert>
CGRect convertRect(const CGRect& rect, Convert convert) {
    const CGRect r = rect.standardized();
    const CGPoint corners[] = {{r.minX(), r.minY()}, {r.maxX(), r.minY()}, {r.minX(), r.maxY()}, {r.maxX(), r.maxY()}};
    CGFloat minX = INFINITY, minY = INFINITY, maxX = -INFINITY, maxY = -INFINITY;
    for (const CGPoint& corner : corners) {
        const CGPoint p = convert(corner);
        minX = std::min(minX, p.x);
        minY = std::min(minY, p.y);
        maxX = std::max(maxX, p.x);
        maxY = std::max(maxY, p.y);
    }
    return {minX, minY, maxX - minX, maxY - minY};
}

} // namespace

CGRect UIView::convert(const CGRect& rect, const UIView* to) const {
    return convertRect(rect, [&](const CGPoint& p) { return convert(p, to); });
}

CGRect UIView::convertFrom(const CGRect& rect, const UIView* from) const {
    return convertRect(rect, [&](const CGPoint& p) { return convertFrom(p, from); });
}

// MARK: Layout

void UIView::markLayoutDirty() { LayoutEngine::structureChanged(*this); }

void UIView::markConstantsDirty(const NSLayoutConstraint& constraint) {
    LayoutEngine::constantChanged(*this, constraint);
}

void UIView::setNeedsLayout() {
    needsLayout_ = true;
    LayoutEngine::subviewsNeedLayout(*this);
}

void UIView::setNeedsUpdateConstraints() {
    needsUpdateConstraints_ = true;
    markLayoutDirty();
}

void UIView::invalidateIntrinsicContentSize() {
    markLayoutDirty();
    if (const auto parent = superview()) {
        parent->setNeedsLayout();
    }
}

CGSize UIView::sizeThatFits(const CGSize&) const { return bounds().size; }

void UIView::sizeToFit() {
    const CGRect f = frame();
    const CGSize size = sizeThatFits(bounds().size);
    setFrame({f.origin, size});
}

UILayoutPriority UIView::contentHuggingPriority(UILayoutConstraintAxis axis) const {
    return hugging_[static_cast<std::size_t>(axis)];
}

void UIView::setContentHuggingPriority(UILayoutPriority priority, UILayoutConstraintAxis axis) {
    hugging_[static_cast<std::size_t>(axis)] = std::clamp<float>(priority.rawValue, 1, 1000);
    markLayoutDirty();
}

UILayoutPriority UIView::contentCompressionResistancePriority(UILayoutConstraintAxis axis) const {
    return compression_[static_cast<std::size_t>(axis)];
}

void UIView::setContentCompressionResistancePriority(UILayoutPriority priority, UILayoutConstraintAxis axis) {
    compression_[static_cast<std::size_t>(axis)] = std::clamp<float>(priority.rawValue, 1, 1000);
    markLayoutDirty();
}

void UIView::setTranslatesAutoresizingMaskIntoConstraints(bool translates) {
    if (translatesAutoresizingMask_ == translates) {
        return;
    }
    translatesAutoresizingMask_ = translates;
    markLayoutDirty();
}

void UIView::setAutoresizingMask(UIViewAutoresizing mask) { autoresizingMask_ = mask; }

void UIView::addLayoutGuide(const std::shared_ptr<UILayoutGuide>& guide) {
    if (!guide) {
        return;
    }
    if (const auto owner = guide->owningView()) {
        if (owner.get() == this) {
            return;
        }
        owner->removeLayoutGuide(guide);
    }
    guide->owningView_ = weak_from_this();
    layoutGuides_.push_back(guide);
    markLayoutDirty();
}

void UIView::removeLayoutGuide(const std::shared_ptr<UILayoutGuide>& guide) {
    const auto it = std::find(layoutGuides_.begin(), layoutGuides_.end(), guide);
    if (it == layoutGuides_.end()) {
        return;
    }
    const auto keep = guide;
    layoutGuides_.erase(it);
    std::vector<NSLayoutConstraint::Pointer> referencing;
    for (auto v = shared_from_this(); v; v = v->superview()) {
        for (const auto& constraint : v->constraints_) {
            if (constraint->firstItem() == guide || constraint->secondItem() == guide) {
                referencing.push_back(constraint);
            }
        }
    }
    NSLayoutConstraint::deactivate(referencing);
    guide->owningView_.reset();
    if (safeAreaGuide_ == guide) {
        safeAreaGuide_.reset();
    }
    markLayoutDirty();
}

UIEdgeInsets UIView::safeAreaInsets() const {
    const auto parent = superview();
    return safeAreaInsets(parent.get(),
                          parent && !safeAreaInsetsOverride_ ? parent->safeAreaInsets() : UIEdgeInsets::zero());
}

UIEdgeInsets UIView::safeAreaInsets(const UIView* parent, const UIEdgeInsets& outer) const {
    UIEdgeInsets insets;
    if (safeAreaInsetsOverride_) {
        insets = *safeAreaInsetsOverride_;
    } else if (parent) {
        if (outer != UIEdgeInsets::zero()) {
            const CGRect safe = inset(parent->bounds(), outer);
            const CGSize size = bounds().size;
            const CGPoint c = center();
            const CGRect f{c.x - size.width / 2, c.y - size.height / 2, size.width, size.height};
            insets.top = std::clamp<CGFloat>(safe.origin.y - f.origin.y, 0, size.height);
            insets.left = std::clamp<CGFloat>(safe.origin.x - f.origin.x, 0, size.width);
            insets.bottom =
                std::clamp<CGFloat>(f.origin.y + f.size.height - (safe.origin.y + safe.size.height), 0, size.height);
            insets.right =
                std::clamp<CGFloat>(f.origin.x + f.size.width - (safe.origin.x + safe.size.width), 0, size.width);
        }
    }
    insets.top += additionalSafeAreaInsets_.top;
    insets.left += additionalSafeAreaInsets_.left;
    insets.bottom += additionalSafeAreaInsets_.bottom;
    insets.right += additionalSafeAreaInsets_.right;
    return insets;
}

void UIView::setSafeAreaInsetsOverride(std::optional<UIEdgeInsets> insets) {
    safeAreaInsetsOverride_ = insets;
    setNeedsLayout();
    markLayoutDirty();
}

void UIView::setAdditionalSafeAreaInsets(const UIEdgeInsets& insets) {
    additionalSafeAreaInsets_ = insets;
    setNeedsLayout();
    markLayoutDirty();
}

std::shared_ptr<UILayoutGuide> UIView::safeAreaLayoutGuide() {
    if (!safeAreaGuide_) {
        safeAreaGuide_ = UILayoutGuide::make();
        safeAreaGuide_->setIdentifier("UIViewSafeAreaLayoutGuide");
        addLayoutGuide(safeAreaGuide_);
    }
    return safeAreaGuide_;
}

} // namespace uikit
