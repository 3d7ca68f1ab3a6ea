#pragma once

// The linear system of one view tree, and what it keeps between solves (how a tree becomes a
// system: see LayoutEngine.hpp).
//
// Who owns what: the root of a hierarchy that has been laid out owns its system in layout mode;
// a view asked for its fitting size owns one in fitting mode for its own subtree. A system keeps
// the solver holding its tree's constraints, the views and constraints it was collected from,
// and what changed since it last solved, as the views report it (through LayoutEngine) to the
// system of their root and to the fitting systems of their ancestors:
// - nothing: laying out does no work, and a fitting size asked again for the same target is
//   the one already found;
// - constants or priorities of active constraints, or frames of views that translate them (and
//   the root's size): those constraints are updated in the solver;
// - anything else (views, constraints activated or deactivated, intrinsic sizes, guides, safe
//   areas): the system is collected and solved again.
// A change in one tree therefore leaves the systems of every other tree as they are.
//
// Main thread only, like the views.

#include "platform/uikit/UIView.hpp"
#include "platform/uikit/layout/Solver.hpp"

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

namespace uikit {

class LayoutSystem {
public:
    enum class Mode { layout, fitting };
    enum class Change { none, constants, structure };

    LayoutSystem(UIView& root, Mode mode) : root_(root), mode_(mode) {}
    LayoutSystem(const LayoutSystem&) = delete;
    LayoutSystem& operator=(const LayoutSystem&) = delete;

    // What the views report. `constraint` names the constraint whose constant or priority
    // changed, so that only it is looked at again.
    void structureChanged();
    void constantChanged(const NSLayoutConstraint& constraint);
    // A view of the tree that translates its frame moved or was resized.
    void frameChanged();
    // Some view of the tree waits for `layoutSubviews`.
    void subviewsNeedLayout() { subviewsNeedLayout_ = true; }
    bool takeSubviewsNeedLayout() { return std::exchange(subviewsNeedLayout_, false); }
    bool hasSubviewsWaiting() const { return subviewsNeedLayout_; }

    Change change() const { return change_; }
    bool isClean() const { return change_ == Change::none; }
    // How many changes were reported: a test's way to see that something invalidated the tree.
    std::uint64_t changeCount() const { return changeCount_; }

    // Layout mode: brings the solution up to date with what changed, then writes the frames.
    void layout();
    // Fitting mode: the root's size with the target as a wish at the given priorities.
    CGSize fittingSize(const CGSize& target, UILayoutPriority horizontal, UILayoutPriority vertical);

    // True while a system is being solved: a view asked for its intrinsic size may call
    // layoutIfNeeded (as a table sized by its content does); that call must not start a pass.
    static bool isSolving();

private:
    struct Node {
        UIView* view;
        UIView* parent;
        // Where the parent is among the nodes, which list parents before their children.
        std::size_t parentIndex;
        // The insets the safe-area guide's constraints were made with.
        UIEdgeInsets safeArea;
    };

    // A constraint as it went into the solver, with its constant and priority at the time.
    struct Entry {
        std::weak_ptr<NSLayoutConstraint> source;
        layout::Constraint solved;
        bool inSolver;
        CGFloat constant;
        float priority;
    };

    // The intrinsic size constraints of a view measured by width, as they went into the solver.
    struct MeasuredEntry {
        std::size_t node;
        std::vector<layout::Constraint> solved;
    };

    // A frame that went into the solver as fixed (a view that translates it, or the root's size
    // in layout mode), with the constraints made of it.
    struct FrameEntry {
        std::size_t node;
        CGPoint center;
        CGSize size;
        std::vector<layout::Constraint> solved;
    };

    Change takeChange();
    void collect();
    void collect(UIView& view, std::size_t parentIndex);
    // The nodes' safe area insets as their frames are now, worked out parents first.
    const std::vector<UIEdgeInsets>& currentSafeAreas();
    bool needsSolver() const;
    bool guidesMoved() const;
    bool updateIncrementally(const std::vector<const NSLayoutConstraint*>& changed, bool framesMoved);
    bool update(Entry& entry);
    bool update(FrameEntry& entry);
    std::vector<layout::Constraint> frameConstraints(const Node& node) const;
    void solve();
    void solveOnce();
    void apply();
    CGSize rootSize() const;
    bool widthsSettled();
    bool participatesWithIntrinsicSize(const Node& node) const;
    void report(NSLayoutConstraint& constraint, const layout::SolverResult& result);
    void addStays();
    void addFittingTarget(UIView& view);
    static std::vector<layout::Constraint> intrinsicConstraints(const UIView& view, const CGSize& intrinsic);
    bool remeasure();
    void add(const layout::Constraint& constraint);

    UIView& root_;
    Mode mode_;
    Change change_ = Change::structure;
    std::vector<const NSLayoutConstraint*> changed_;
    bool framesMoved_ = false;
    bool subviewsNeedLayout_ = true;
    std::uint64_t changeCount_ = 0;

    std::vector<Node> nodes_;
    std::vector<UIEdgeInsets> safeAreas_;
    // The nodes whose intrinsic height depends on the width they get.
    std::vector<std::size_t> measuredByWidth_;
    std::vector<MeasuredEntry> measured_;
    std::vector<NSLayoutConstraint*> constraints_;
    // Whether the solver holds the system of the views collected last.
    bool solved_ = false;
    layout::Solver solver_;
    std::vector<Entry> entries_;
    std::unordered_map<const NSLayoutConstraint*, std::size_t> entryIndex_;
    std::vector<FrameEntry> frames_;
    // The widths that views measuring by width were last given.
    std::unordered_map<const UIView*, CGFloat> widthHints_;

    struct FittingTarget {
        CGSize size;
        double horizontal;
        double vertical;
        friend bool operator==(const FittingTarget&, const FittingTarget&) = default;
    };
    std::optional<FittingTarget> target_;
    CGSize fittedSize_;
};

} // namespace uikit
