#pragma once

// The glue between views and the constraint solver (platform/uikit/layout).
//
// A layout pass turns a whole view tree into one linear system and solves it:
// - every view and layout guide has four unknowns (left, top, width, height) in the root's
//   coordinates, untranslated by scroll offsets;
// - the root keeps its frame (a root that does not translate its frame keeps its position and
//   only prefers its size); a view that translates its autoresizing mask keeps its frame;
// - safe-area guides sit inside their view by its safe-area insets;
// - the active constraints follow in activation order, so that of two contradicting required
//   constraints the later one is the one left out (with the platform's message);
// - intrinsic content sizes give hugging (size <= intrinsic) and compression resistance
//   (size >= intrinsic) at the view's priorities;
// - a very weak preference keeps each view where it was, so that an ambiguous layout does not
//   jump to the origin.
// The solution is written into the frames of the views that do not translate their mask,
// parents before children, and `layoutSubviews` runs for every view that needs it. Hooks that
// change constraints or frames cause another pass, a bounded number of times.
//
// The root keeps its solved system. A pass after changes of constraint constants or priorities
// only (an animated constraint, a chain moved by its first constant) updates those constraints
// in the solver incrementally; any other change (views, constraints activated or deactivated,
// frames of translating views, intrinsic sizes) builds the system again. A pass with no change
// at all only calls the pending `layoutSubviews`.

#include "platform/uikit/UIView.hpp"

#include <cstdint>

namespace uikit {

class LayoutEngine {
public:
    // Something that the layout depends on changed somewhere.
    static void invalidate();
    // Only constants or priorities of active constraints changed.
    static void constantsChanged();
    static std::uint64_t version();

    static void layoutIfNeeded(UIView& view);
    static void updateConstraintsIfNeeded(UIView& view);
    static CGSize fittingSize(const UIView& view, const CGSize& target, UILayoutPriority horizontal,
                              UILayoutPriority vertical);
};

} // namespace uikit
