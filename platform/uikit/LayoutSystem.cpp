#include "platform/uikit/LayoutSystem.hpp"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <string>

namespace uikit {

namespace {

using layout::Constraint;
using layout::Expression;
using layout::RelationalOperator;
using layout::SolverStatus;

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
constexpr int kMaxWidthRounds = 4;
constexpr std::size_t kNoParent = static_cast<std::size_t>(-1);

CGFloat snap(double value) {
    if (!std::isfinite(value)) {
        return 0;
    }
    const double snapped = std::round(value * 1e6) / 1e6;
    return snapped == 0 ? 0 : snapped; // no negative zero in frames
}

// Adds the attribute of the item, times `factor`, to the terms. Every pass turns each active
// constraint into the solver's form: the terms go straight into one list.
void addAttribute(std::vector<layout::Term>& terms, const LayoutItem& item, NSLayoutAttribute attribute,
                  double factor) {
    const auto& v = item.layoutVariables();
    switch (attribute) {
    case NSLayoutAttribute::left:
    case NSLayoutAttribute::leading:
        terms.push_back({v.left, factor});
        break;
    case NSLayoutAttribute::right:
    case NSLayoutAttribute::trailing:
        terms.push_back({v.left, factor});
        terms.push_back({v.width, factor});
        break;
    case NSLayoutAttribute::top:
        terms.push_back({v.top, factor});
        break;
    // Baselines are approximated by the bottom edge: nothing here draws text on a baseline.
    case NSLayoutAttribute::bottom:
    case NSLayoutAttribute::firstBaseline:
    case NSLayoutAttribute::lastBaseline:
        terms.push_back({v.top, factor});
        terms.push_back({v.height, factor});
        break;
    case NSLayoutAttribute::width:
        terms.push_back({v.width, factor});
        break;
    case NSLayoutAttribute::height:
        terms.push_back({v.height, factor});
        break;
    case NSLayoutAttribute::centerX:
        terms.push_back({v.left, factor});
        terms.push_back({v.width, 0.5 * factor});
        break;
    case NSLayoutAttribute::centerY:
        terms.push_back({v.top, factor});
        terms.push_back({v.height, 0.5 * factor});
        break;
    case NSLayoutAttribute::notAnAttribute:
        break;
    }
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

std::optional<Constraint> solverConstraint(const NSLayoutConstraint& constraint) {
    const auto first = constraint.firstItem();
    if (!first) {
        return std::nullopt;
    }
    // first - multiplier * second - constant, against 0.
    std::vector<layout::Term> terms;
    terms.reserve(4);
    addAttribute(terms, *first, constraint.firstAttribute(), 1.0);
    if (constraint.secondAttribute() != NSLayoutAttribute::notAnAttribute) {
        const auto second = constraint.secondItem();
        if (!second) {
            return std::nullopt;
        }
        addAttribute(terms, *second, constraint.secondAttribute(), -constraint.multiplier());
    }
    return Constraint(Expression(std::move(terms), -constraint.constant()), operatorOf(constraint.relation()), 0.0,
                      constraint.priority().rawValue);
}

void reportUnsatisfiable(NSLayoutConstraint& broken, const std::vector<NSLayoutConstraint*>& all) {
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
        const bool related =
            other == &broken || (a && (a == first || a == second)) || (b && (b == first || b == second));
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

// Which of a view's unknowns its constraints mention at all: an x or y position, a width or
// height, or two distinct edges of one axis (which fix the length too).
struct Usage {
    unsigned xEdges = 0;
    unsigned yEdges = 0;
    bool width = false;
    bool height = false;
};

void noteUse(std::unordered_map<const LayoutItem*, Usage>& usage, const LayoutItem* item, NSLayoutAttribute attribute) {
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

} // namespace

bool LayoutSystem::isSolving() { return gSolving > 0; }

void LayoutSystem::structureChanged() {
    change_ = Change::structure;
    changed_.clear();
    framesMoved_ = false;
    ++changeCount_;
}

void LayoutSystem::constantChanged(const NSLayoutConstraint& constraint) {
    ++changeCount_;
    if (change_ == Change::structure) {
        return;
    }
    change_ = Change::constants;
    // Past the number of constraints, looking at each again is as cheap as keeping the list.
    if (changed_.size() <= entries_.size()) {
        changed_.push_back(&constraint);
    }
}

void LayoutSystem::frameChanged() {
    ++changeCount_;
    if (change_ == Change::structure) {
        return;
    }
    change_ = Change::constants;
    framesMoved_ = true;
}

LayoutSystem::Change LayoutSystem::takeChange() {
    const Change change = change_;
    change_ = Change::none;
    if (change == Change::structure) {
        collect();
    }
    return change;
}

void LayoutSystem::layout() {
    if (change_ == Change::none) {
        return;
    }
    const auto changed = std::move(changed_);
    changed_.clear();
    const bool framesMoved = std::exchange(framesMoved_, false);
    const Change change = takeChange();
    // Frames set by hand all through, no constraint and no guide: nothing to solve.
    if (!needsSolver()) {
        return;
    }
    if (change == Change::structure || !updateIncrementally(changed, framesMoved)) {
        solve();
    }
    apply();
}

CGSize LayoutSystem::fittingSize(const CGSize& target, UILayoutPriority horizontal, UILayoutPriority vertical) {
    const FittingTarget wanted{target, std::clamp<double>(horizontal.rawValue, 1.0, 1000.0),
                               std::clamp<double>(vertical.rawValue, 1.0, 1000.0)};
    if (change_ != Change::structure && guidesMoved()) {
        structureChanged();
    }
    if (change_ == Change::none && target_ == wanted) {
        return fittedSize_;
    }
    const auto changed = std::move(changed_);
    changed_.clear();
    const bool framesMoved = std::exchange(framesMoved_, false);
    const Change change = takeChange();
    if (change == Change::structure || target_ != wanted || !updateIncrementally(changed, framesMoved)) {
        target_ = wanted;
        solve();
    }
    fittedSize_ = rootSize();
    return fittedSize_;
}

void LayoutSystem::collect() {
    nodes_.clear();
    measuredByWidth_.clear();
    constraints_.clear();
    solved_ = false;
    collect(root_, kNoParent);
}

void LayoutSystem::collect(UIView& view, std::size_t parentIndex) {
    const std::size_t index = nodes_.size();
    if (parentIndex == kNoParent) {
        nodes_.push_back({&view, nullptr, kNoParent, view.safeAreaInsets()});
    } else {
        const Node& parent = nodes_[parentIndex];
        nodes_.push_back({&view, parent.view, parentIndex, view.safeAreaInsets(parent.view, parent.safeArea)});
    }
    if (participatesWithIntrinsicSize(nodes_.back()) && view.intrinsicSizeDependsOnWidth()) {
        measuredByWidth_.push_back(index);
    }
    for (const auto& constraint : view.constraints_) {
        constraints_.push_back(constraint.get());
    }
    for (const auto& subview : view.subviews_) {
        collect(*subview, index);
    }
}

const std::vector<UIEdgeInsets>& LayoutSystem::currentSafeAreas() {
    safeAreas_.clear();
    for (const Node& node : nodes_) {
        safeAreas_.push_back(node.parent ? node.view->safeAreaInsets(node.parent, safeAreas_[node.parentIndex])
                                         : node.view->safeAreaInsets());
    }
    return safeAreas_;
}

bool LayoutSystem::needsSolver() const {
    if (!constraints_.empty()) {
        return true;
    }
    return std::any_of(nodes_.begin(), nodes_.end(), [](const Node& node) {
        return !node.view->translatesAutoresizingMask_ || !node.view->layoutGuides_.empty();
    });
}

// A fitting size depends on where the view lies in its window as far as its safe area guides
// do, and nothing reports a view's move to its own subtree.
bool LayoutSystem::guidesMoved() const {
    return std::any_of(nodes_.begin(), nodes_.end(), [](const Node& node) {
        return node.view->safeAreaGuide_ && node.view->safeAreaInsets() != node.safeArea;
    });
}

// After changes of constants, priorities and frames only: updates those constraints in the
// solver. False when the result needs a full solve (a view measured by width got another width).
bool LayoutSystem::updateIncrementally(const std::vector<const NSLayoutConstraint*>& changed, bool framesMoved) {
    if (!solved_) {
        return false;
    }
    const SolvingScope scope;
    if (framesMoved) {
        for (FrameEntry& entry : frames_) {
            if (!update(entry)) {
                return false;
            }
        }
    }
    if (changed.size() > entries_.size()) {
        for (Entry& entry : entries_) {
            if (!update(entry)) {
                return false;
            }
        }
    } else {
        for (const NSLayoutConstraint* constraint : changed) {
            const auto index = entryIndex_.find(constraint);
            if (index != entryIndex_.end() && !update(entries_[index->second])) {
                return false;
            }
        }
    }
    solver_.updateVariables();
    return widthsSettled();
}

bool LayoutSystem::update(Entry& entry) {
    const auto source = entry.source.lock();
    if (!source || !source->isActive()) {
        return false;
    }
    if (source->constant() == entry.constant && source->priority().rawValue == entry.priority) {
        return true;
    }
    const auto rebuilt = solverConstraint(*source);
    if (!rebuilt) {
        return false;
    }
    // A new constant moves the solution in place, as an edit does; a new priority puts the
    // constraint in again.
    report(*source,
           entry.inSolver ? solver_.replaceConstraint(entry.solved, *rebuilt) : solver_.addConstraint(*rebuilt));
    entry.solved = *rebuilt;
    entry.constant = source->constant();
    entry.priority = source->priority().rawValue;
    entry.inSolver = solver_.hasConstraint(entry.solved);
    return true;
}

// False when only a full solve gives the right result: the new frame contradicts required
// constraints (which must then be the ones left out), or a resize moves the view's safe area.
bool LayoutSystem::update(FrameEntry& entry) {
    const Node& node = nodes_[entry.node];
    const UIView& view = *node.view;
    const CGSize size = view.bounds().size;
    if (view.center() == entry.center && size == entry.size) {
        return true;
    }
    if (view.safeAreaGuide_ && size != entry.size) {
        return false;
    }
    auto rebuilt = frameConstraints(node);
    for (std::size_t i = 0; i < rebuilt.size(); ++i) {
        if (!solver_.replaceConstraint(entry.solved[i], rebuilt[i])) {
            return false;
        }
    }
    entry.solved = std::move(rebuilt);
    entry.center = view.center();
    entry.size = size;
    return true;
}

// Solves from scratch, then again for views whose intrinsic height depends on their width,
// until their widths settle.
void LayoutSystem::solve() {
    const SolvingScope scope;
    widthHints_.clear();
    solveOnce();
    for (int round = 0; round < kMaxWidthRounds && !widthsSettled(); ++round) {
        if (!remeasure()) {
            solveOnce();
        }
    }
    solved_ = true;
}

// Between rounds only the intrinsic sizes of the views measured by width change: those are
// updated in the solver. False when only solving from scratch gives the right result (a size
// gained or lost a metric, or no longer fits the required constraints).
bool LayoutSystem::remeasure() {
    for (MeasuredEntry& entry : measured_) {
        UIView& view = *nodes_[entry.node].view;
        auto rebuilt = intrinsicConstraints(view, view.intrinsicContentSizeForLayoutWidth(widthHints_[&view]));
        if (rebuilt.size() != entry.solved.size()) {
            return false;
        }
        for (std::size_t i = 0; i < rebuilt.size(); ++i) {
            if (!solver_.replaceConstraint(entry.solved[i], rebuilt[i])) {
                return false;
            }
        }
        entry.solved = std::move(rebuilt);
    }
    solver_.updateVariables();
    return true;
}

// Writes frames and guide rectangles; tells views about new safe areas and widths.
void LayoutSystem::apply() {
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
        if (!widthHints_.empty()) {
            if (const auto hint = widthHints_.find(&view); hint != widthHints_.end()) {
                view.lastLayoutWidth_ = hint->second;
            }
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
    const auto& safeAreas = currentSafeAreas();
    for (std::size_t i = 0; i < nodes_.size(); ++i) {
        const Node& node = nodes_[i];
        UIView& view = *node.view;
        const UIEdgeInsets now = safeAreas[i];
        if (view.safeAreaGuide_ && now != node.safeArea) {
            structureChanged();
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

CGSize LayoutSystem::rootSize() const {
    const auto& v = root_.layoutVariables();
    return {std::max<CGFloat>(0, snap(v.width.value())), std::max<CGFloat>(0, snap(v.height.value()))};
}

// Gives every view measured by width the width of the last solution; true when none needed a
// new one (so that measuring again would give the same lines).
bool LayoutSystem::widthsSettled() {
    bool settled = true;
    for (const std::size_t index : measuredByWidth_) {
        UIView& view = *nodes_[index].view;
        const CGFloat width = std::max<CGFloat>(0, snap(view.layoutVariables().width.value()));
        const auto hint = widthHints_.find(&view);
        if (hint != widthHints_.end()) {
            // Stable when the text laid out for the hint fits the width it got and that width
            // is not wider than the hint.
            const CGSize measured = view.intrinsicContentSizeForLayoutWidth(hint->second);
            if (std::fabs(width - hint->second) < 1e-6 ||
                (measured.width <= width + 1e-6 && width <= hint->second + 1e-6)) {
                continue;
            }
        }
        widthHints_[&view] = width;
        settled = false;
    }
    return settled;
}

bool LayoutSystem::participatesWithIntrinsicSize(const Node& node) const {
    if (!node.parent) {
        return mode_ == Mode::fitting || !node.view->translatesAutoresizingMask_;
    }
    return !node.view->translatesAutoresizingMask_;
}

void LayoutSystem::report(NSLayoutConstraint& constraint, const layout::SolverResult& result) {
    if (result.status == SolverStatus::UnsatisfiableConstraint && mode_ == Mode::layout) {
        reportUnsatisfiable(constraint, constraints_);
    }
}

void LayoutSystem::add(const Constraint& constraint) {
    const auto result = solver_.addConstraint(constraint);
    (void)result; // internal constraints on independent unknowns cannot conflict
}

void LayoutSystem::solveOnce() {
    solver_.reset();
    entries_.clear();
    entryIndex_.clear();
    frames_.clear();
    for (std::size_t index = 0; index < nodes_.size(); ++index) {
        const Node& node = nodes_[index];
        UIView& view = *node.view;
        const auto& v = view.layoutVariables();
        const CGSize size = view.bounds().size;
        if (!node.parent && mode_ == Mode::fitting) {
            add(Constraint(v.left, RelationalOperator::Equal, 0.0));
            add(Constraint(v.top, RelationalOperator::Equal, 0.0));
            addFittingTarget(view);
        } else if (!node.parent || view.translatesAutoresizingMask_) {
            FrameEntry entry{index, view.center(), size, frameConstraints(node)};
            for (const Constraint& constraint : entry.solved) {
                add(constraint);
            }
            frames_.push_back(std::move(entry));
        }
        if (view.safeAreaGuide_) {
            const auto& g = view.safeAreaGuide_->layoutVariables();
            const UIEdgeInsets i = node.safeArea;
            const CGFloat right = std::min(i.right, std::max<CGFloat>(0, size.width - i.left));
            const CGFloat bottom = std::min(i.bottom, std::max<CGFloat>(0, size.height - i.top));
            add(Constraint(g.left, RelationalOperator::Equal, v.left + i.left));
            add(Constraint(g.top, RelationalOperator::Equal, v.top + i.top));
            add(Constraint(g.width, RelationalOperator::Equal, v.width - (i.left + right)));
            add(Constraint(g.height, RelationalOperator::Equal, v.height - (i.top + bottom)));
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
        report(*constraint, solver_.addConstraint(*solved));
        entryIndex_[constraint] = entries_.size();
        entries_.push_back({constraint->weak_from_this(), *solved, solver_.hasConstraint(*solved),
                            constraint->constant(), constraint->priority().rawValue});
    }

    // Intrinsic sizes, then the weak stays.
    measured_.clear();
    for (std::size_t index = 0; index < nodes_.size(); ++index) {
        const Node& node = nodes_[index];
        UIView& view = *node.view;
        if (!participatesWithIntrinsicSize(node)) {
            continue;
        }
        const auto hint = widthHints_.find(&view);
        const CGSize intrinsic = hint != widthHints_.end() ? view.intrinsicContentSizeForLayoutWidth(hint->second)
                                                           : view.intrinsicContentSize();
        auto constraints = intrinsicConstraints(view, intrinsic);
        for (const Constraint& constraint : constraints) {
            // One that contradicts required constraints is left out, and measuring again then
            // solves from scratch.
            (void)solver_.addConstraint(constraint);
        }
        if (std::binary_search(measuredByWidth_.begin(), measuredByWidth_.end(), index)) {
            measured_.push_back({index, std::move(constraints)});
        }
    }
    if (mode_ == Mode::layout) {
        addStays();
    }
    solver_.updateVariables();
}

// A view that no constraint places along an axis (or sizes) would land wherever the solver
// leaves an unknown: a very weak wish keeps that unknown where the view already is. Views that
// constraints do mention get no such wish, which keeps the system small and its incremental
// updates cheap.
void LayoutSystem::addStays() {
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
            add(Constraint(v.left - p.left, RelationalOperator::Equal, c.x - size.width / 2, kStayPriority));
        }
        if (use.yEdges == 0) {
            add(Constraint(v.top - p.top, RelationalOperator::Equal, c.y - size.height / 2, kStayPriority));
        }
        if (widthUnset && !(intrinsic.width >= 0)) {
            add(Constraint(v.width, RelationalOperator::Equal, size.width, kStayPriority));
        }
        if (heightUnset && !(intrinsic.height >= 0)) {
            add(Constraint(v.height, RelationalOperator::Equal, size.height, kStayPriority));
        }
    }
}

// Frames that are fixed: the root's position, the root's size unless it lays out by
// constraints, and every view that translates its frame.
std::vector<Constraint> LayoutSystem::frameConstraints(const Node& node) const {
    const UIView& view = *node.view;
    const auto& v = view.layoutVariables();
    const CGSize size = view.bounds().size;
    if (!node.parent) {
        const double priority = view.translatesAutoresizingMask_ ? 1000.0 : kRootSizePriority;
        return {Constraint(v.left, RelationalOperator::Equal, 0.0), Constraint(v.top, RelationalOperator::Equal, 0.0),
                Constraint(v.width, RelationalOperator::Equal, size.width, priority),
                Constraint(v.height, RelationalOperator::Equal, size.height, priority)};
    }
    // Made straight from their terms: every pass and every move of the view makes them.
    const auto& p = node.parent->layoutVariables();
    const CGPoint c = view.center();
    return {Constraint(Expression({{v.left, 1.0}, {p.left, -1.0}}, size.width / 2 - c.x), RelationalOperator::Equal),
            Constraint(Expression({{v.top, 1.0}, {p.top, -1.0}}, size.height / 2 - c.y), RelationalOperator::Equal),
            Constraint(v.width, RelationalOperator::Equal, size.width),
            Constraint(v.height, RelationalOperator::Equal, size.height)};
}

void LayoutSystem::addFittingTarget(UIView& view) {
    const auto& v = view.layoutVariables();
    add(Constraint(v.width, RelationalOperator::Equal, target_->size.width, target_->horizontal));
    add(Constraint(v.height, RelationalOperator::Equal, target_->size.height, target_->vertical));
}

// Hugging (size <= intrinsic) and compression resistance (size >= intrinsic) along each axis
// that has an intrinsic metric.
std::vector<Constraint> LayoutSystem::intrinsicConstraints(const UIView& view, const CGSize& intrinsic) {
    std::vector<Constraint> constraints;
    const auto& v = view.layoutVariables();
    const auto addAxis = [&](const layout::Variable& dimension, CGFloat length, UILayoutConstraintAxis axis) {
        if (!(length >= 0) || !std::isfinite(length)) {
            return; // no intrinsic metric along this axis
        }
        const auto index = static_cast<std::size_t>(axis);
        constraints.emplace_back(dimension, RelationalOperator::LessOrEqual, length, view.hugging_[index].rawValue);
        constraints.emplace_back(dimension, RelationalOperator::GreaterOrEqual, length,
                                 view.compression_[index].rawValue);
    };
    addAxis(v.width, intrinsic.width, UILayoutConstraintAxis::horizontal);
    addAxis(v.height, intrinsic.height, UILayoutConstraintAxis::vertical);
    return constraints;
}

} // namespace uikit
