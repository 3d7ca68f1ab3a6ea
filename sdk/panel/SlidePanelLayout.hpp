#pragma once

// Where the panel's surface rests in each of its states.
//
// A layout names the states the panel can rest in, each with an anchor that says where the top
// edge of the surface then lies in the panel's view, and the state the panel shows first.
// `hidden` needs no anchor: a hidden surface lies just below the bottom of the panel's view.
// Anchors are kept by state identity (see SlidePanelState), so a layout answers only for the
// very state objects it hands out.

#include "platform/coregraphics/CGGeometry.hpp"
#include "platform/uikit/UIEdgeInsets.hpp"
#include "sdk/panel/SlidePanelState.hpp"

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace vyd {

using coregraphics::CGFloat;

// What the anchors measure from: the panel view's bounds, or its safe area within them.
enum class SlidePanelReferenceGuide { superview, safeArea };
// Which edge of the reference an absolute anchor measures its inset from.
enum class SlidePanelReferenceEdge { top, bottom };

// The geometry an anchor is resolved in.
struct SlidePanelLayoutContext {
    coregraphics::CGRect bounds;
    uikit::UIEdgeInsets safeAreaInsets;
    // The height the content needs at a given width (its compressed fitting height). Absent
    // when the panel has no content: the content then needs no height.
    std::function<CGFloat(CGFloat width)> contentFittingHeight;

    coregraphics::CGRect reference(SlidePanelReferenceGuide guide) const;
};

class SlidePanelLayoutAnchoring {
public:
    virtual ~SlidePanelLayoutAnchoring() = default;
    // The y of the surface's top edge in the panel view's coordinates.
    virtual CGFloat surfaceTop(const SlidePanelLayoutContext& context) const = 0;
};

// A fixed distance from the top or the bottom of the reference.
class SlidePanelLayoutAnchor final : public SlidePanelLayoutAnchoring {
public:
    SlidePanelLayoutAnchor(CGFloat absoluteInset, SlidePanelReferenceEdge edge, SlidePanelReferenceGuide referenceGuide)
        : absoluteInset_(absoluteInset), edge_(edge), referenceGuide_(referenceGuide) {}

    CGFloat surfaceTop(const SlidePanelLayoutContext& context) const override;

    CGFloat absoluteInset() const { return absoluteInset_; }
    SlidePanelReferenceEdge edge() const { return edge_; }
    SlidePanelReferenceGuide referenceGuide() const { return referenceGuide_; }

private:
    CGFloat absoluteInset_;
    SlidePanelReferenceEdge edge_;
    SlidePanelReferenceGuide referenceGuide_;
};

// As high above the bottom of the reference as the content needs, less `absoluteOffset`
// points (0: the whole content shows).
class SlidePanelIntrinsicLayoutAnchor final : public SlidePanelLayoutAnchoring {
public:
    explicit SlidePanelIntrinsicLayoutAnchor(
        CGFloat absoluteOffset = 0, SlidePanelReferenceGuide referenceGuide = SlidePanelReferenceGuide::safeArea)
        : absoluteOffset_(absoluteOffset), referenceGuide_(referenceGuide) {}

    CGFloat surfaceTop(const SlidePanelLayoutContext& context) const override;

    CGFloat absoluteOffset() const { return absoluteOffset_; }
    SlidePanelReferenceGuide referenceGuide() const { return referenceGuide_; }

private:
    CGFloat absoluteOffset_;
    SlidePanelReferenceGuide referenceGuide_;
};

using SlidePanelAnchors = std::vector<std::pair<SlidePanelStateRef, std::shared_ptr<const SlidePanelLayoutAnchoring>>>;

class SlidePanelLayout {
public:
    virtual ~SlidePanelLayout() = default;

    virtual SlidePanelStateRef initialState() const = 0;
    // One anchor per state; an anchor given for `hidden` is ignored.
    virtual SlidePanelAnchors anchors() const = 0;
    // How dark the backdrop is in a state: 0.3 when full, clear otherwise.
    virtual CGFloat backdropAlpha(const SlidePanelStateRef& state) const;
};

// Full 18 points below the top of the safe area, half 262 and tip 69 points above its bottom;
// it starts at half. The panel's layout until it is given another.
class SlidePanelBottomLayout : public SlidePanelLayout {
public:
    SlidePanelStateRef initialState() const override { return SlidePanelState::half(); }
    SlidePanelAnchors anchors() const override;
};

// One state with one anchor: the layouts the SDK's own panels use.
class SlidePanelSingleStateLayout : public SlidePanelLayout {
public:
    SlidePanelSingleStateLayout(SlidePanelStateRef state, std::shared_ptr<const SlidePanelLayoutAnchoring> anchor)
        : state_(std::move(state)), anchor_(std::move(anchor)) {}

    SlidePanelStateRef initialState() const override { return state_; }
    SlidePanelAnchors anchors() const override { return {{state_, anchor_}}; }

private:
    SlidePanelStateRef state_;
    std::shared_ptr<const SlidePanelLayoutAnchoring> anchor_;
};

// The positions a layout gives in one geometry: what the panel's core works with.
class SlidePanelLayoutPositions {
public:
    SlidePanelLayoutPositions(const SlidePanelLayout& layout, const SlidePanelLayoutContext& context);

    // The states the panel can rest in, `hidden` always among them, from the least expanded to
    // the most (by `order`; a layout's own order breaks ties).
    const std::vector<SlidePanelStateRef>& states() const { return states_; }
    // The same without `hidden`: where a drag may leave the panel.
    std::vector<SlidePanelStateRef> visibleStates() const;
    bool contains(const SlidePanelStateRef& state) const;
    // The state of the layout nearest in rank to `state`: `state` itself when the layout has it.
    SlidePanelStateRef validState(const SlidePanelStateRef& state) const;

    // Where the surface's top edge lies in a state (of the layout or not: see validState).
    CGFloat surfaceTop(const SlidePanelStateRef& state) const;
    // The highest resting place of the surface (smallest y) and the hidden one.
    CGFloat topMost() const { return topMost_; }
    CGFloat hiddenTop() const { return hiddenTop_; }
    // The resting state whose position is nearest to `y` (the more expanded one on a tie).
    SlidePanelStateRef nearestState(CGFloat y, bool includeHidden) const;

private:
    std::vector<SlidePanelStateRef> states_;
    std::vector<CGFloat> tops_;
    CGFloat topMost_ = 0;
    CGFloat hiddenTop_ = 0;
};

} // namespace vyd
