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
// Each root keeps its system (see LayoutSystem.hpp) and what changed in its tree since it was
// solved: a pass over a tree in which nothing changed does no work, one after changes of
// constraint constants or priorities, or of frames that views translate, only updates those
// constraints in the solver, and any other change builds the system again. Changes in one tree
// never cost another tree anything.

#include "platform/uikit/UIView.hpp"

#include <cstdint>

namespace uikit {

class LayoutEngine {
public:
    // What changed at `view`, reported to its root's system and to the fitting systems of the
    // view and its ancestors. Both ask the root to schedule a pass.
    static void structureChanged(UIView& view);
    static void constantChanged(UIView& view, const NSLayoutConstraint& constraint);
    // A view that translates its frame into constraints moved or was resized.
    static void frameChanged(UIView& view);
    // `view` waits for `layoutSubviews`.
    static void subviewsNeedLayout(UIView& view);
    // How many changes were reported to the tree `view` is in since its root was last made one.
    static std::uint64_t version(const UIView& view);

    static void layoutIfNeeded(UIView& view);
    static void updateConstraintsIfNeeded(UIView& view);
    static CGSize fittingSize(const UIView& view, const CGSize& target, UILayoutPriority horizontal,
                              UILayoutPriority vertical);

private:
    enum class Mark { structure, constants, frame, subviews };
    static std::shared_ptr<UIView> mark(UIView& view, Mark what, const NSLayoutConstraint* constraint);
};

} // namespace uikit
