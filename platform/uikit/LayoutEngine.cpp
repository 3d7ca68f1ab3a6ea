#include "platform/uikit/LayoutEngine.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/uikit/layout/Solver.hpp"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <iostream>
#include <optional>
#include <unordered_map>
#include <vector>

namespace uikit {

namespace {

using layout::Constraint;
using layout::Expression;
using layout::RelationalOperator;
using layout::Solver;
using layout::SolverStatus;

// Any change; changes other than constants and priorities.
std::uint64_t gVersion = 1;
std::uint64_t gStructureVersion = 1;
// Set while a system is being solved: a view asked for its intrinsic size may call
// layoutIfNeeded (as a table sized by its content does); that call must not start another pass.
int gSolving = 0;

struct SolvingScope {
    SolvingScope() { ++gSolving; }
    ~SolvingScope() { --gSolving; }
    SolvingScope(const SolvingScope&) = delete;
    SolvingScope& operator=(const SolvingScope&) = delete;
};

// Below every priority a constraint may have (1...1000): only decides what nothing else does.
constexpr double kStayPriority = 0.5;
// A root that lays out by constraints keeps its size unless its own constraints say otherwise.
constexpr double kRootSizePriority = 999.5;
constexpr int kMaxPasses = 12;
constexpr int kMaxWidthRounds = 4;

CGFloat snap(double value) {
    if (!std::isfinite(value)) {
        return 0;
    }
    const double snapped = std::round(value * 1e6) / 1e6;
    return snapped == 0 ? 0 : snapped; // no negative zero in frames
}

Expression attributeExpression(const LayoutItem& item, NSLayoutAttribute attribute) {
    const auto& v = item.layoutVariables();
    switch (attribute) {
    case NSLayoutAttribute::left:
    case NSLayoutAttribute::leading:
        return v.left;
    case NSLayoutAttribute::right:
    case NSLayoutAttribute::trailing:
        return v.left + v.width;
    case NSLayoutAttribute::top:
        return v.top;
    // Baselines are approximated by the bottom edge: nothing here draws text on a baseline.
    case NSLayoutAttribute::bottom:
    case NSLayoutAttribute::firstBaseline:
    case NSLayoutAttribute::lastBaseline:
        return v.top + v.height;
    case NSLayoutAttribute::width:
        return v.width;
    case NSLayoutAttribute::height:
        return v.height;
    case NSLayoutAttribute::centerX:
        return v.left + 0.5 * v.width;
    case NSLayoutAttribute::centerY:
        return v.top + 0.5 * v.height;
    case NSLayoutAttribute::notAnAttribute:
        break;
    }
    return 0.0;
}

RelationalOperator operatorOf(NSLayoutRelation relation) {
    switch (relation) {
    case NSLayoutRelation::lessThanOrEqual:
        return RelationalOperator::LessOrEqual;
    case NSLayoutRelation::greaterThanOrEqual:
        return RelationalOperator::GreaterOrEqual;
    case NSLayoutRelation::equal:
        break;
    }
    return RelationalOperator::Equal;
}

struct Node {
    UIView* view;
    UIView* parent;
    UIEdgeInsets safeArea;
};

enum class Mode { layout, fitting };

} // namespace

// What a root keeps between passes: the solver holding its system, the active constraints it
// was built from with their constants and priorities at the time, and the widths that views
// measuring by width were last given.
struct LayoutCache {
    struct Entry {
        std::weak_ptr<NSLayoutConstraint> source;
        layout::Constraint solved;
        bool inSolver;
        CGFloat constant;
        float priority;
    };

    Solver solver;
    std::uint64_t structureVersion = 0;
    std::vector<Entry> entries;
    std::unordered_map<const UIView*, CGFloat> widthHints;
};

// Friend of UIView: reads and writes the layout state of views.
class LayoutSystem {
public:
    LayoutSystem(UIView& root, Mode mode, LayoutCache& cache) : root_(root), mode_(mode), cache_(cache) {
        collect(root, nullptr);
    }

    // After changes of constants and priorities only: updates those constraints in the solver.
    // False when the result needs a full solve (a view measured by width got another width).
    bool updateIncrementally() {
        const SolvingScope scope;
        for (auto& entry : cache_.entries) {
            const auto source = entry.source.lock();
            if (!source || !source->isActive()) {
                return false;
            }
            if (source->constant() == entry.constant && source->priority().rawValue == entry.priority) {
                continue;
            }
            if (entry.inSolver) {
                cache_.solver.removeConstraint(entry.solved);
            }
            const auto rebuilt = solverConstraint(*source);
            if (!rebuilt) {
                return false;
            }
            entry.solved = *rebuilt;
            entry.constant = source->constant();
            entry.priority = source->priority().rawValue;
            entry.inSolver = addUser(*source, entry.solved);
        }
        cache_.solver.updateVariables();
        return widthsSettled();
    }

    void setFittingTarget(const CGSize& target, double horizontal, double vertical) {
        target_ = target;
        horizontalPriority_ = horizontal;
        verticalPriority_ = vertical;
    }

    // Frames set by hand all through, no constraint and no guide: nothing to solve.
    bool needsSolver() const {
        if (!constraints_.empty()) {
            return true;
        }
        return std::any_of(nodes_.begin(), nodes_.end(), [](const Node& node) {
            return !node.view->translatesAutoresizingMask_ || !node.view->layoutGuides_.empty();
        });
    }

    // Solves from scratch, then again for views whose intrinsic height depends on their width,
    // until their widths settle.
    void solve() {
        const SolvingScope scope;
        cache_.widthHints.clear();
        solveOnce();
        for (int round = 0; round < kMaxWidthRounds && !widthsSettled(); ++round) {
            solveOnce();
        }
    }

    // Writes frames and guide rectangles; tells views about new safe areas and widths.
    void apply() {
        for (const Node& node : nodes_) {
            UIView& view = *node.view;
            const auto& v = view.layoutVariables();
            const CGSize size{std::max<CGFloat>(0, snap(v.width.value())), std::max<CGFloat>(0, snap(v.height.value()))};
            if (!node.parent) {
                if (!view.translatesAutoresizingMask_ && view.bounds().size != size) {
                    const CGRect f = view.frame();
                    view.setBounds({view.bounds().origin, size});
                    view.setCenter({f.origin.x + size.width / 2, f.origin.y + size.height / 2});
                }
            } else if (!view.translatesAutoresizingMask_) {
                const auto& p = node.parent->layoutVariables();
                const CGFloat x = snap(v.left.value() - p.left.value());
                const CGFloat y = snap(v.top.value() - p.top.value());
                if (view.bounds().size != size) {
                    view.setBounds({view.bounds().origin, size});
                }
                const CGPoint center{x + size.width / 2, y + size.height / 2};
                if (view.center() != center) {
                    view.setCenter(center);
                }
            }
            const auto hint = cache_.widthHints.find(&view);
            if (hint != cache_.widthHints.end()) {
                view.lastLayoutWidth_ = hint->second;
            }
            for (const auto& guide : view.layoutGuides_) {
                const auto& g = guide->layoutVariables();
                guide->layoutFrame_ = {snap(g.left.value() - v.left.value()), snap(g.top.value() - v.top.value()),
                                       std::max<CGFloat>(0, snap(g.width.value())),
                                       std::max<CGFloat>(0, snap(g.height.value()))};
            }
        }
        // Safe areas depend on frames: compare with what the solve assumed.
        std::vector<UIView*> changedSafeArea;
        for (const Node& node : nodes_) {
            UIView& view = *node.view;
            const UIEdgeInsets now = view.safeAreaInsets();
            if (view.safeAreaGuide_ && now != node.safeArea) {
                LayoutEngine::invalidate();
            }
            if (now != view.lastSafeAreaInsets_.value_or(UIEdgeInsets::zero())) {
                changedSafeArea.push_back(&view);
            }
            view.lastSafeAreaInsets_ = now;
        }
        for (UIView* view : changedSafeArea) {
            view->safeAreaInsetsDidChange();
            view->setNeedsLayout();
        }
    }

    CGSize rootSize() const {
        const auto& v = root_.layoutVariables();
        return {std::max<CGFloat>(0, snap(v.width.value())), std::max<CGFloat>(0, snap(v.height.value()))};
    }

private:
    // Gives every view measured by width the width of the last solution; true when none needed
    // a new one (so that measuring again would give the same lines).
    bool widthsSettled() {
        bool settled = true;
        for (const Node& node : nodes_) {
            UIView& view = *node.view;
            if (!participatesWithIntrinsicSize(node) || !view.intrinsicSizeDependsOnWidth()) {
                continue;
            }
            const CGFloat width = std::max<CGFloat>(0, snap(view.layoutVariables().width.value()));
            const auto hint = cache_.widthHints.find(&view);
            if (hint != cache_.widthHints.end()) {
                // Stable when the text laid out for the hint fits the width it got and that
                // width is not wider than the hint.
                const CGSize measured = view.intrinsicContentSizeForLayoutWidth(hint->second);
                if (std::fabs(width - hint->second) < 1e-6 ||
                    (measured.width <= width + 1e-6 && width <= hint->second + 1e-6)) {
                    continue;
                }
            }
            cache_.widthHints[&view] = width;
            settled = false;
        }
        return settled;
    }

    static std::optional<Constraint> solverConstraint(const NSLayoutConstraint& constraint) {
        const auto first = constraint.firstItem();
        if (!first) {
            return std::nullopt;
        }
        Expression rhs = constraint.constant();
        if (constraint.secondAttribute() != NSLayoutAttribute::notAnAttribute) {
            const auto second = constraint.secondItem();
            if (!second) {
                return std::nullopt;
            }
            rhs = attributeExpression(*second, constraint.secondAttribute()) * constraint.multiplier() +
                  constraint.constant();
        }
        return Constraint(attributeExpression(*first, constraint.firstAttribute()), operatorOf(constraint.relation()),
                          rhs, constraint.priority().rawValue);
    }

    bool addUser(NSLayoutConstraint& constraint, const Constraint& solved) {
        const auto result = cache_.solver.addConstraint(solved);
        if (result.status == SolverStatus::UnsatisfiableConstraint && mode_ == Mode::layout) {
            reportUnsatisfiable(constraint, constraints_);
        }
        return result.ok();
    }

    void collect(UIView& view, UIView* parent) {
        nodes_.push_back({&view, parent, view.safeAreaInsets()});
        for (const auto& constraint : view.constraints_) {
            constraints_.push_back(constraint.get());
        }
        for (const auto& subview : view.subviews_) {
            collect(*subview, &view);
        }
    }

    bool participatesWithIntrinsicSize(const Node& node) const {
        if (!node.parent) {
            return mode_ == Mode::fitting || !node.view->translatesAutoresizingMask_;
        }
        return !node.view->translatesAutoresizingMask_;
    }

    void add(Solver& solver, const Constraint& constraint) {
        const auto result = solver.addConstraint(constraint);
        (void)result; // internal constraints on independent unknowns cannot conflict
    }

    void solveOnce() {
        cache_.solver.reset();
        cache_.entries.clear();
        Solver& solver = cache_.solver;
        // Frames that are fixed: the root's position, the root's size unless it lays out by
        // constraints, and every view that translates its frame.
        for (const Node& node : nodes_) {
            UIView& view = *node.view;
            const auto& v = view.layoutVariables();
            const CGSize size = view.bounds().size;
            if (!node.parent) {
                add(solver, Constraint(v.left, RelationalOperator::Equal, 0.0));
                add(solver, Constraint(v.top, RelationalOperator::Equal, 0.0));
                if (mode_ == Mode::fitting) {
                    addFittingTarget(solver, view);
                } else {
                    const double priority = view.translatesAutoresizingMask_ ? 1000.0 : kRootSizePriority;
                    add(solver, Constraint(v.width, RelationalOperator::Equal, size.width, priority));
                    add(solver, Constraint(v.height, RelationalOperator::Equal, size.height, priority));
                }
            } else if (view.translatesAutoresizingMask_) {
                const auto& p = node.parent->layoutVariables();
                const CGPoint c = view.center();
                add(solver, Constraint(v.left - p.left, RelationalOperator::Equal, c.x - size.width / 2));
                add(solver, Constraint(v.top - p.top, RelationalOperator::Equal, c.y - size.height / 2));
                add(solver, Constraint(v.width, RelationalOperator::Equal, size.width));
                add(solver, Constraint(v.height, RelationalOperator::Equal, size.height));
            }
            if (view.safeAreaGuide_) {
                const auto& g = view.safeAreaGuide_->layoutVariables();
                const UIEdgeInsets i = node.safeArea;
                const CGFloat right = std::min(i.right, std::max<CGFloat>(0, size.width - i.left));
                const CGFloat bottom = std::min(i.bottom, std::max<CGFloat>(0, size.height - i.top));
                add(solver, Constraint(g.left, RelationalOperator::Equal, v.left + i.left));
                add(solver, Constraint(g.top, RelationalOperator::Equal, v.top + i.top));
                add(solver, Constraint(g.width, RelationalOperator::Equal, v.width - (i.left + right)));
                add(solver, Constraint(g.height, RelationalOperator::Equal, v.height - (i.top + bottom)));
            }
        }

        // The active constraints, earliest activation first.
        std::vector<NSLayoutConstraint*> ordered = constraints_;
        std::stable_sort(ordered.begin(), ordered.end(), [](const NSLayoutConstraint* a, const NSLayoutConstraint* b) {
            return a->activationSequence() < b->activationSequence();
        });

        for (NSLayoutConstraint* constraint : ordered) {
            const auto solved = solverConstraint(*constraint);
            if (!solved) {
                continue;
            }
            const bool added = addUser(*constraint, *solved);
            cache_.entries.push_back({constraint->weak_from_this(), *solved, added, constraint->constant(),
                                      constraint->priority().rawValue});
        }

        // Intrinsic sizes, then the weak stays.
        for (const Node& node : nodes_) {
            UIView& view = *node.view;
            if (!participatesWithIntrinsicSize(node)) {
                continue;
            }
            const auto hint = cache_.widthHints.find(&view);
            const CGSize intrinsic = hint != cache_.widthHints.end() ? view.intrinsicContentSizeForLayoutWidth(hint->second)
                                                               : view.intrinsicContentSize();
            const auto& v = view.layoutVariables();
            addIntrinsic(solver, v.width, intrinsic.width, view, UILayoutConstraintAxis::horizontal);
            addIntrinsic(solver, v.height, intrinsic.height, view, UILayoutConstraintAxis::vertical);
        }
        if (mode_ == Mode::layout) {
            addStays(solver);
        }
        solver.updateVariables();
    }

    // Which of a view's unknowns its constraints mention at all: an x or y position, a width
    // or height, or two distinct edges of one axis (which fix the length too).
    struct Usage {
        unsigned xEdges = 0;
        unsigned yEdges = 0;
        bool width = false;
        bool height = false;
    };

    static void noteUse(std::unordered_map<const LayoutItem*, Usage>& usage, const LayoutItem* item,
                        NSLayoutAttribute attribute) {
        if (!item) {
            return;
        }
        Usage& use = usage[item];
        switch (attribute) {
        case NSLayoutAttribute::left:
        case NSLayoutAttribute::leading:
            use.xEdges |= 1u;
            break;
        case NSLayoutAttribute::right:
        case NSLayoutAttribute::trailing:
            use.xEdges |= 2u;
            break;
        case NSLayoutAttribute::centerX:
            use.xEdges |= 4u;
            break;
        case NSLayoutAttribute::top:
            use.yEdges |= 1u;
            break;
        case NSLayoutAttribute::bottom:
        case NSLayoutAttribute::firstBaseline:
        case NSLayoutAttribute::lastBaseline:
            use.yEdges |= 2u;
            break;
        case NSLayoutAttribute::centerY:
            use.yEdges |= 4u;
            break;
        case NSLayoutAttribute::width:
            use.width = true;
            break;
        case NSLayoutAttribute::height:
            use.height = true;
            break;
        case NSLayoutAttribute::notAnAttribute:
            break;
        }
    }

    // A view that no constraint places along an axis (or sizes) would land wherever the solver
    // leaves an unknown: a very weak wish keeps that unknown where the view already is. Views
    // that constraints do mention get no such wish, which keeps the system small and its
    // incremental updates cheap.
    void addStays(Solver& solver) {
        std::unordered_map<const LayoutItem*, Usage> usage;
        for (const NSLayoutConstraint* constraint : constraints_) {
            noteUse(usage, constraint->firstItem().get(), constraint->firstAttribute());
            noteUse(usage, constraint->secondItem().get(), constraint->secondAttribute());
        }
        const auto edgesFixLength = [](unsigned edges) { return edges != 0 && (edges & (edges - 1)) != 0; };
        for (const Node& node : nodes_) {
            if (!node.parent || node.view->translatesAutoresizingMask_) {
                continue;
            }
            UIView& view = *node.view;
            const Usage use = usage.count(&view) != 0 ? usage[&view] : Usage{};
            const bool widthUnset = !use.width && !edgesFixLength(use.xEdges);
            const bool heightUnset = !use.height && !edgesFixLength(use.yEdges);
            const CGSize intrinsic =
                widthUnset || heightUnset ? view.intrinsicContentSize() : CGSize{0, 0}; // measured only if needed
            const auto& v = view.layoutVariables();
            const auto& p = node.parent->layoutVariables();
            const CGSize size = view.bounds().size;
            const CGPoint c = view.center();
            if (use.xEdges == 0) {
                add(solver, Constraint(v.left - p.left, RelationalOperator::Equal, c.x - size.width / 2, kStayPriority));
            }
            if (use.yEdges == 0) {
                add(solver, Constraint(v.top - p.top, RelationalOperator::Equal, c.y - size.height / 2, kStayPriority));
            }
            if (widthUnset && !(intrinsic.width >= 0)) {
                add(solver, Constraint(v.width, RelationalOperator::Equal, size.width, kStayPriority));
            }
            if (heightUnset && !(intrinsic.height >= 0)) {
                add(solver, Constraint(v.height, RelationalOperator::Equal, size.height, kStayPriority));
            }
        }
    }

    void addFittingTarget(Solver& solver, UIView& view) {
        const auto& v = view.layoutVariables();
        add(solver, Constraint(v.width, RelationalOperator::Equal, target_.width, std::clamp(horizontalPriority_, 1.0, 1000.0)));
        add(solver, Constraint(v.height, RelationalOperator::Equal, target_.height, std::clamp(verticalPriority_, 1.0, 1000.0)));
    }

    static void addIntrinsic(Solver& solver, const layout::Variable& dimension, CGFloat intrinsic, const UIView& view,
                             UILayoutConstraintAxis axis) {
        if (!(intrinsic >= 0) || !std::isfinite(intrinsic)) {
            return; // no intrinsic metric along this axis
        }
        const auto index = static_cast<std::size_t>(axis);
        solver.addConstraint(
            Constraint(dimension, RelationalOperator::LessOrEqual, intrinsic, view.hugging_[index].rawValue));
        solver.addConstraint(
            Constraint(dimension, RelationalOperator::GreaterOrEqual, intrinsic, view.compression_[index].rawValue));
    }

    static void reportUnsatisfiable(NSLayoutConstraint& broken, const std::vector<NSLayoutConstraint*>& all) {
        if (broken.wasReportedUnsatisfiable()) {
            return;
        }
        broken.markReportedUnsatisfiable();
        // The required constraints on the same items are the likely partners of the conflict.
        const auto first = broken.firstItem();
        const auto second = broken.secondItem();
        std::string list;
        for (const NSLayoutConstraint* other : all) {
            if (other->priority() != UILayoutPriority::required) {
                continue;
            }
            const auto a = other->firstItem();
            const auto b = other->secondItem();
            const bool related = other == &broken || (a && (a == first || a == second)) || (b && (b == first || b == second));
            if (related) {
                list += "    \"" + other->description() + "\",\n";
            }
        }
        std::cerr << "[LayoutConstraints] Unable to simultaneously satisfy constraints.\n"
                     "\tProbably at least one of the constraints in the following list is one you don't want. \n"
                     "\tTry this: \n"
                     "\t\t(1) look at each constraint and try to figure out which you don't expect; \n"
                     "\t\t(2) find the code that added the unwanted constraint or constraints and fix it. \n"
                     "(\n"
                  << list << ")\n\nWill attempt to recover by breaking constraint \n"
                  << broken.description() << "\n";
    }

    UIView& root_;
    Mode mode_;
    LayoutCache& cache_;
    std::vector<Node> nodes_;
    std::vector<NSLayoutConstraint*> constraints_;
    CGSize target_;
    double horizontalPriority_ = 1000;
    double verticalPriority_ = 1000;
};

void LayoutEngine::invalidate() {
    ++gVersion;
    ++gStructureVersion;
}

void LayoutEngine::constantsChanged() { ++gVersion; }

std::uint64_t LayoutEngine::version() { return gVersion; }

namespace {

void updateConstraintsPass(UIView& view, std::vector<UIView*>& pending) {
    for (const auto& subview : view.subviews()) {
        updateConstraintsPass(*subview, pending);
    }
    pending.push_back(&view);
}

} // namespace

class LayoutPasses {
public:
    static void updateConstraints(UIView& root) {
        std::vector<UIView*> order;
        updateConstraintsPass(root, order);
        // Keep the views alive: updateConstraints may rearrange the tree.
        std::vector<std::shared_ptr<UIView>> views;
        views.reserve(order.size());
        for (UIView* view : order) {
            views.push_back(view->shared_from_this());
        }
        for (const auto& view : views) {
            if (view->needsUpdateConstraints_) {
                view->needsUpdateConstraints_ = false;
                view->updateConstraints();
            }
        }
    }

    static void layoutSubviews(UIView& view) {
        const auto keep = view.shared_from_this();
        if (view.needsLayout_) {
            view.needsLayout_ = false;
            view.layoutSubviews();
        }
        const auto subviews = view.subviews_;
        for (const auto& subview : subviews) {
            if (subview->superview().get() == &view) {
                layoutSubviews(*subview);
            }
        }
    }

    static bool anyPending(const UIView& view) {
        if (view.needsLayout_ || view.needsUpdateConstraints_) {
            return true;
        }
        return std::any_of(view.subviews_.begin(), view.subviews_.end(),
                           [](const auto& subview) { return anyPending(*subview); });
    }

    static void solvedAt(UIView& root, std::uint64_t version) { root.solvedLayoutVersion_ = version; }
    static LayoutCache& cacheOf(UIView& root) {
        if (!root.layoutCache_) {
            root.layoutCache_ = std::make_shared<LayoutCache>();
        }
        return *root.layoutCache_;
    }
    static std::uint64_t solvedVersion(const UIView& root) { return root.solvedLayoutVersion_; }
};

void LayoutEngine::updateConstraintsIfNeeded(UIView& view) {
    assert(foundation::isMainThread());
    auto root = view.shared_from_this();
    while (auto parent = root->superview()) {
        root = parent;
    }
    LayoutPasses::updateConstraints(*root);
}

void LayoutEngine::layoutIfNeeded(UIView& view) {
    assert(foundation::isMainThread());
    if (gSolving > 0) {
        return;
    }
    auto root = view.shared_from_this();
    while (auto parent = root->superview()) {
        root = parent;
    }
    for (int pass = 0; pass < kMaxPasses; ++pass) {
        LayoutPasses::updateConstraints(*root);
        if (LayoutPasses::solvedVersion(*root) != gVersion) {
            const std::uint64_t version = gVersion;
            const std::uint64_t structure = gStructureVersion;
            auto& cache = LayoutPasses::cacheOf(*root);
            LayoutSystem system(*root, Mode::layout, cache);
            if (system.needsSolver()) {
                if (cache.structureVersion != structure || !system.updateIncrementally()) {
                    system.solve();
                }
                cache.structureVersion = structure;
                system.apply();
            }
            LayoutPasses::solvedAt(*root, version);
        }
        LayoutPasses::layoutSubviews(*root);
        if (LayoutPasses::solvedVersion(*root) == gVersion && !LayoutPasses::anyPending(*root)) {
            return;
        }
    }
}

CGSize LayoutEngine::fittingSize(const UIView& view, const CGSize& target, UILayoutPriority horizontal,
                                 UILayoutPriority vertical) {
    assert(foundation::isMainThread());
    UIView& mutableView = const_cast<UIView&>(view);
    LayoutPasses::updateConstraints(mutableView);
    LayoutCache scratch;
    LayoutSystem system(mutableView, Mode::fitting, scratch);
    system.setFittingTarget(target, horizontal.rawValue, vertical.rawValue);
    system.solve();
    return system.rootSize();
}

void UIView::layoutIfNeeded() { LayoutEngine::layoutIfNeeded(*this); }

void UIView::updateConstraintsIfNeeded() { LayoutEngine::updateConstraintsIfNeeded(*this); }

CGSize UIView::systemLayoutSizeFitting(const CGSize& targetSize) const {
    return systemLayoutSizeFitting(targetSize, UILayoutPriority::fittingSizeLevel, UILayoutPriority::fittingSizeLevel);
}

CGSize UIView::systemLayoutSizeFitting(const CGSize& targetSize, UILayoutPriority withHorizontalFittingPriority,
                                       UILayoutPriority verticalFittingPriority) const {
    return LayoutEngine::fittingSize(*this, targetSize, withHorizontalFittingPriority, verticalFittingPriority);
}

} // namespace uikit
