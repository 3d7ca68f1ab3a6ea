// The solver as it was before its rows were stored side by side (rows in a hash map by basic
// symbol, cells of three words, one lookup per variable on update, rows grown by doubling), kept
// as it was so that bench/solver_workloads.cpp sets each figure against it in the same run.
// Built for that benchmark only.

#include "bench/reference/Solver.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <set>
#include <sstream>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "bench/reference/Row.hpp"

namespace uikit::layout::reference {

using detail::kEpsilon;
using detail::nearZero;
using detail::Row;
using detail::Symbol;
using detail::SymbolHash;
using detail::SymbolKind;

namespace {

// Beyond this, products formed while pivoting could leave the range of a double; no layout
// needs numbers anywhere near it.
constexpr double kMaxMagnitude = 1e15;

bool usable(double number) noexcept { return std::isfinite(number) && std::fabs(number) <= kMaxMagnitude; }

// What the simplex minimises: one row per priority level, highest first, compared
// lexicographically, so that a level only matters among solutions that tie on all levels above.
class Objective {
public:
    struct Level {
        double priority;
        Row row;
    };

    Row& level(double priority) {
        auto it = std::find_if(levels_.begin(), levels_.end(),
                               [priority](const Level& level) { return level.priority <= priority; });
        if (it == levels_.end() || it->priority != priority) {
            it = levels_.insert(it, Level{priority, Row()});
        }
        return it->row;
    }

    const std::vector<Level>& levels() const noexcept { return levels_; }

    void substitute(Symbol symbol, const Row& row) {
        for (Level& level : levels_) {
            level.row.substitute(symbol, row);
        }
    }

    void remove(Symbol symbol) {
        for (Level& level : levels_) {
            level.row.remove(symbol);
        }
    }

    void clear() noexcept { levels_.clear(); }

    // Bland's rule: the lowest-id pivotable symbol whose reduced cost is lexicographically
    // negative, i.e. negative on the first level where it is not zero.
    Symbol entering() const {
        Symbol best;
        for (std::size_t index = 0; index < levels_.size(); ++index) {
            for (const Row::Cell& cell : levels_[index].row.cells()) {
                if (best.valid() && best.id <= cell.symbol.id) {
                    break; // cells are sorted by id: nothing lower follows on this level
                }
                if (cell.coefficient < -kEpsilon && cell.symbol.isPivotable() && zeroAbove(cell.symbol, index)) {
                    best = cell.symbol;
                    break;
                }
            }
        }
        return best;
    }

    // Compares cost(a) / divisorA with cost(b) / divisorB lexicographically: < 0, 0 or > 0.
    int compareRatios(Symbol a, double divisorA, Symbol b, double divisorB) const {
        for (const Level& level : levels_) {
            double ratioA = level.row.coefficientFor(a) / divisorA;
            double ratioB = level.row.coefficientFor(b) / divisorB;
            if (ratioA < ratioB - kEpsilon) {
                return -1;
            }
            if (ratioA > ratioB + kEpsilon) {
                return 1;
            }
        }
        return 0;
    }

private:
    bool zeroAbove(Symbol symbol, std::size_t index) const {
        for (std::size_t above = 0; above < index; ++above) {
            if (!nearZero(levels_[above].row.coefficientFor(symbol))) {
                return false;
            }
        }
        return true;
    }

    std::vector<Level> levels_;
};

// The symbols a constraint brought into the tableau. The marker identifies its row for removal
// (slack for an inequality, dummy for a required equation, the first error otherwise); other is
// the second error symbol of a preference, if any.
struct Tag {
    Symbol marker;
    Symbol other;
};

struct ConstraintRecord {
    Constraint constraint;
    Tag tag;
};

struct VariableRecord {
    Variable variable;
    Symbol symbol;
    std::size_t uses = 0;
};

struct EditRecord {
    Constraint constraint;
    double constant = 0.0;
};

enum class Outcome { Done, PivotLimit, Stuck };

enum class Fit { Satisfied, Unsatisfiable, NotConverged };

std::string formatNumber(double number) {
    std::ostringstream out;
    out << number;
    return out.str();
}

// Joins message parts (also sidesteps a false -Wrestrict of g++ 12 on literal + string).
std::string join(std::initializer_list<std::string_view> parts) {
    std::string text;
    for (std::string_view part : parts) {
        text.append(part);
    }
    return text;
}

SolverResult failure(SolverStatus status, std::string message) { return SolverResult{status, std::move(message)}; }

} // namespace

struct Solver::Impl {
    std::unordered_map<std::uint64_t, ConstraintRecord> constraints;
    std::unordered_map<std::uint64_t, VariableRecord> variables;
    std::unordered_map<std::uint64_t, EditRecord> edits;
    std::unordered_map<Symbol, Row, SymbolHash> rows;
    Objective objective;
    // Only while a new required constraint is being tested.
    std::optional<Objective> artificial;
    // Restricted basic symbols whose rows may have gone negative; ordered by id for Bland's rule.
    std::set<Symbol> infeasible;
    std::uint64_t nextSymbolId = 1;

    Symbol makeSymbol(SymbolKind kind) { return Symbol{nextSymbolId++, kind}; }

    std::size_t pivotBudget() const { return 10'000 + 100 * rows.size(); }

    // ---- constraints ------------------------------------------------------------------------

    std::optional<std::string> invalidReason(const Constraint& constraint) const {
        if (!Strength::isValid(constraint.priority())) {
            return join({"its priority ", formatNumber(constraint.priority()), " is not above 0 and at most 1000"});
        }
        bool numbersUsable = usable(constraint.expression().constant());
        for (const Term& term : constraint.expression().terms()) {
            numbersUsable = numbersUsable && usable(term.coefficient);
        }
        if (!numbersUsable) {
            return "a coefficient or constant is not a finite number of magnitude at most 1e15";
        }
        return std::nullopt;
    }

    SolverResult add(const Constraint& constraint) {
        std::uint64_t freshFrom = nextSymbolId;
        Tag tag;
        Row row = createRow(constraint, tag);
        Symbol subject = chooseSubject(row, tag, freshFrom);
        if (!subject.valid() && allDummies(row)) {
            // The required equations already in the solver imply 0 = constant for this one.
            if (!nearZero(row.constant())) {
                abandon(constraint, tag);
                return unsatisfiable(constraint);
            }
            subject = tag.marker;
        }
        if (!subject.valid()) {
            Fit fit = addWithArtificialVariable(row);
            if (fit != Fit::Satisfied) {
                abandon(constraint, tag);
                optimize(objective);
                return fit == Fit::Unsatisfiable ? unsatisfiable(constraint) : notConverged();
            }
        } else {
            row.solveFor(subject);
            // A symbol made for this constraint occurs in no other row yet.
            substitute(subject, row, subject.id < freshFrom);
            rows.emplace(subject, std::move(row));
        }
        constraints.emplace(constraint.id(), ConstraintRecord{constraint, tag});
        return finish(optimize(objective));
    }

    SolverResult remove(const Constraint& constraint) {
        auto record = constraints.find(constraint.id());
        if (record == constraints.end()) {
            return failure(SolverStatus::UnknownConstraint,
                           join({"The constraint ", constraint.description(), " is not in the solver."}));
        }
        Tag tag = record->second.tag;
        constraints.erase(record);
        removeErrorEffects(constraint, tag);
        if (auto marked = rows.find(tag.marker); marked != rows.end()) {
            rows.erase(marked);
        } else if (Symbol leaving = markerLeavingRow(tag.marker); leaving.valid()) {
            Row row = std::move(rows.extract(leaving).mapped());
            row.solveFor(leaving, tag.marker);
            substitute(tag.marker, row, true);
        }
        release(constraint);
        return finish(optimize(objective));
    }

    // Turns `expression relation 0` into a row over the current non-basic symbols, with the slack,
    // error and dummy symbols the relation and priority call for, and a constant >= 0.
    Row createRow(const Constraint& constraint, Tag& tag) {
        const Expression& expression = constraint.expression();
        Row row(expression.constant());
        for (const Term& term : expression.terms()) {
            Symbol symbol = acquire(term.variable);
            if (auto basic = rows.find(symbol); basic != rows.end()) {
                row.insert(basic->second, term.coefficient);
            } else {
                row.insert(symbol, term.coefficient);
            }
        }
        bool required = constraint.isRequired();
        if (constraint.relation() == RelationalOperator::Equal) {
            if (required) {
                tag.marker = makeSymbol(SymbolKind::Dummy);
                row.insert(tag.marker, 1.0);
            } else {
                // expression = plus - minus, both >= 0 and priced.
                tag.marker = makeSymbol(SymbolKind::Error);
                tag.other = makeSymbol(SymbolKind::Error);
                row.insert(tag.marker, -1.0);
                row.insert(tag.other, 1.0);
                Row& level = objective.level(constraint.priority());
                level.insert(tag.marker, 1.0);
                level.insert(tag.other, 1.0);
            }
        } else {
            // expression <= 0 becomes expression + slack = 0; >= 0 becomes expression - slack = 0.
            double sign = constraint.relation() == RelationalOperator::LessOrEqual ? 1.0 : -1.0;
            tag.marker = makeSymbol(SymbolKind::Slack);
            row.insert(tag.marker, sign);
            if (!required) {
                // The error lets the expression cross the bound, at a price.
                tag.other = makeSymbol(SymbolKind::Error);
                row.insert(tag.other, -sign);
                objective.level(constraint.priority()).insert(tag.other, 1.0);
            }
        }
        if (row.constant() < 0.0) {
            row.reverseSign();
        }
        return row;
    }

    // A free variable can always take the row; failing that, a new slack or error symbol with a
    // negative coefficient takes a value >= 0 without disturbing any other row.
    static Symbol chooseSubject(const Row& row, const Tag& tag, std::uint64_t freshFrom) {
        Symbol external;
        for (const Row::Cell& cell : row.cells()) {
            if (cell.symbol.isExternal()) {
                if (cell.symbol.id >= freshFrom) {
                    return cell.symbol; // needs no substitution anywhere
                }
                if (!external.valid()) {
                    external = cell.symbol;
                }
            }
        }
        if (external.valid()) {
            return external;
        }
        for (Symbol candidate : {tag.marker, tag.other}) {
            if (candidate.isPivotable() && row.coefficientFor(candidate) < 0.0) {
                return candidate;
            }
        }
        return {};
    }

    static bool allDummies(const Row& row) {
        return std::all_of(row.cells().begin(), row.cells().end(),
                           [](const Row::Cell& cell) { return cell.symbol.isDummy(); });
    }

    // Phase one for a required constraint that no symbol can simply take: an artificial variable
    // holds the row's value and is minimised; the constraint fits exactly when that reaches 0.
    Fit addWithArtificialVariable(const Row& row) {
        Symbol artificialSymbol = makeSymbol(SymbolKind::Slack);
        rows.emplace(artificialSymbol, row);
        artificial.emplace();
        artificial->level(0.0) = row;
        Outcome outcome = optimize(*artificial);
        bool satisfied = outcome == Outcome::Done && nearZero(artificial->levels().front().row.constant());
        artificial.reset();
        if (auto node = rows.extract(artificialSymbol)) {
            Row artificialRow = std::move(node.mapped());
            if (satisfied && !artificialRow.cells().empty()) {
                // Still basic at 0: hand its row to another symbol; values do not change.
                Symbol entering = replacementFor(artificialRow);
                artificialRow.solveFor(artificialSymbol, entering);
                substitute(entering, artificialRow, true);
                node.key() = entering;
                node.mapped() = std::move(artificialRow);
                rows.insert(std::move(node));
            }
        }
        for (auto& [basic, other] : rows) {
            other.remove(artificialSymbol);
        }
        objective.remove(artificialSymbol);
        if (satisfied) {
            return Fit::Satisfied;
        }
        return outcome == Outcome::Done ? Fit::Unsatisfiable : Fit::NotConverged;
    }

    // Prefers a slack or error symbol, so that a dummy only ever becomes basic in a row of dummies.
    static Symbol replacementFor(const Row& row) {
        for (const Row::Cell& cell : row.cells()) {
            if (cell.symbol.isPivotable()) {
                return cell.symbol;
            }
        }
        return row.cells().front().symbol;
    }

    // The row through which a non-basic marker leaves the tableau with every restricted row still
    // feasible: a row of dummies first (its constant is 0), then the restricted row that the marker
    // would first drive to zero, then any free row.
    Symbol markerLeavingRow(Symbol marker) const {
        Symbol dummyRow;
        Symbol negativeRow;
        Symbol positiveRow;
        Symbol freeRow;
        double negativeRatio = std::numeric_limits<double>::infinity();
        double positiveRatio = std::numeric_limits<double>::infinity();
        auto better = [](Symbol candidate, double ratio, Symbol best, double bestRatio) {
            return !best.valid() || ratio < bestRatio - kEpsilon ||
                   (ratio <= bestRatio + kEpsilon && candidate.id < best.id);
        };
        for (const auto& [basic, row] : rows) {
            double coefficient = row.coefficientFor(marker);
            if (coefficient == 0.0) {
                continue;
            }
            if (basic.isDummy()) {
                if (!dummyRow.valid() || basic.id < dummyRow.id) {
                    dummyRow = basic;
                }
            } else if (basic.isExternal()) {
                if (!freeRow.valid() || basic.id < freeRow.id) {
                    freeRow = basic;
                }
            } else if (coefficient < 0.0) {
                double ratio = -row.constant() / coefficient;
                if (better(basic, ratio, negativeRow, negativeRatio)) {
                    negativeRow = basic;
                    negativeRatio = std::min(ratio, negativeRatio);
                }
            } else {
                double ratio = row.constant() / coefficient;
                if (better(basic, ratio, positiveRow, positiveRatio)) {
                    positiveRow = basic;
                    positiveRatio = std::min(ratio, positiveRatio);
                }
            }
        }
        for (Symbol choice : {dummyRow, negativeRow, positiveRow, freeRow}) {
            if (choice.valid()) {
                return choice;
            }
        }
        return {};
    }

    void removeErrorEffects(const Constraint& constraint, const Tag& tag) {
        if (constraint.isRequired()) {
            return;
        }
        Row& level = objective.level(constraint.priority());
        for (Symbol error : {tag.marker, tag.other}) {
            if (error.kind != SymbolKind::Error) {
                continue;
            }
            if (auto basic = rows.find(error); basic != rows.end()) {
                level.insert(basic->second, -1.0);
            } else {
                level.insert(error, -1.0);
            }
        }
    }

    // Undoes createRow's bookkeeping for a constraint that was not kept.
    void abandon(const Constraint& constraint, const Tag& tag) {
        if (!constraint.isRequired()) {
            Row& level = objective.level(constraint.priority());
            level.remove(tag.marker);
            level.remove(tag.other);
        }
        release(constraint);
    }

    Symbol acquire(const Variable& variable) {
        auto [record, inserted] = variables.try_emplace(variable.id(), VariableRecord{variable, {}, 0});
        if (inserted) {
            record->second.symbol = makeSymbol(SymbolKind::External);
        }
        ++record->second.uses;
        return record->second.symbol;
    }

    // A variable that no constraint mentions any more is no longer updated. Its symbol may linger
    // in a row as a free parameter at 0, which constrains nothing.
    void release(const Constraint& constraint) {
        for (const Term& term : constraint.expression().terms()) {
            auto record = variables.find(term.variable.id());
            if (record != variables.end() && --record->second.uses == 0) {
                variables.erase(record);
            }
        }
    }

    // ---- simplex ----------------------------------------------------------------------------

    // Primal simplex: keeps every row feasible and lowers the objective until no symbol can.
    Outcome optimize(Objective& target) {
        std::size_t budget = pivotBudget();
        for (std::size_t pivots = 0; pivots < budget; ++pivots) {
            Symbol entering = target.entering();
            if (!entering.valid()) {
                return Outcome::Done;
            }
            Symbol leaving = primalLeavingRow(entering);
            if (!leaving.valid()) {
                return Outcome::Stuck; // unbounded: impossible for a sum of errors barring rounding
            }
            pivot(leaving, entering);
        }
        return Outcome::PivotLimit;
    }

    // The restricted row that limits the entering symbol first; ties go to the lowest id.
    Symbol primalLeavingRow(Symbol entering) const {
        Symbol best;
        double bestRatio = std::numeric_limits<double>::infinity();
        for (const auto& [basic, row] : rows) {
            if (!basic.isRestricted()) {
                continue;
            }
            double coefficient = row.coefficientFor(entering);
            if (coefficient >= -kEpsilon) {
                continue;
            }
            double ratio = std::max(0.0, row.constant()) / -coefficient;
            if (!best.valid() || ratio < bestRatio - kEpsilon ||
                (ratio <= bestRatio + kEpsilon && basic.id < best.id)) {
                best = basic;
                bestRatio = std::min(ratio, bestRatio);
            }
        }
        return best;
    }

    // Dual simplex: the objective stays optimal while rows driven negative by an edit are made
    // feasible again, lowest id first.
    Outcome dualOptimize() {
        std::size_t budget = pivotBudget();
        std::size_t pivots = 0;
        Outcome outcome = Outcome::Done;
        while (!infeasible.empty()) {
            Symbol leaving = *infeasible.begin();
            infeasible.erase(infeasible.begin());
            auto row = rows.find(leaving);
            if (row == rows.end() || row->second.constant() >= -kEpsilon) {
                continue;
            }
            if (pivots++ >= budget) {
                infeasible.clear();
                return Outcome::PivotLimit;
            }
            Symbol entering = dualEnteringSymbol(row->second);
            if (!entering.valid()) {
                outcome = Outcome::Stuck;
                continue;
            }
            pivot(leaving, entering);
        }
        return outcome;
    }

    Symbol dualEnteringSymbol(const Row& row) const {
        Symbol best;
        double bestCoefficient = 0.0;
        for (const Row::Cell& cell : row.cells()) {
            if (cell.coefficient <= kEpsilon || !cell.symbol.isPivotable()) {
                continue;
            }
            if (!best.valid() || objective.compareRatios(cell.symbol, cell.coefficient, best, bestCoefficient) < 0) {
                best = cell.symbol;
                bestCoefficient = cell.coefficient;
            }
        }
        return best;
    }

    void pivot(Symbol leaving, Symbol entering) {
        auto node = rows.extract(leaving);
        node.mapped().solveFor(leaving, entering);
        substitute(entering, node.mapped(), true);
        node.key() = entering;
        rows.insert(std::move(node));
    }

    void substitute(Symbol symbol, const Row& row, bool inRows) {
        if (inRows) {
            for (auto& [basic, other] : rows) {
                if (other.substitute(symbol, row) && basic.isRestricted() && other.constant() < -kEpsilon) {
                    infeasible.insert(basic);
                }
            }
        }
        objective.substitute(symbol, row);
        if (artificial) {
            artificial->substitute(symbol, row);
        }
    }

    // ---- edits ------------------------------------------------------------------------------

    // Moving the edit constant by delta shifts the preference's error symbols by delta; the rows
    // absorb it in their constants and the dual simplex repairs any that go negative.
    void shiftEdit(const Tag& tag, double delta) {
        auto markIfInfeasible = [this](Symbol basic, const Row& row) {
            if (basic.isRestricted() && row.constant() < -kEpsilon) {
                infeasible.insert(basic);
            }
        };
        if (auto plus = rows.find(tag.marker); plus != rows.end()) {
            plus->second.addConstant(-delta);
            markIfInfeasible(plus->first, plus->second);
        } else if (auto minus = rows.find(tag.other); minus != rows.end()) {
            minus->second.addConstant(delta);
            markIfInfeasible(minus->first, minus->second);
        } else {
            for (auto& [basic, row] : rows) {
                double coefficient = row.coefficientFor(tag.marker);
                if (coefficient != 0.0) {
                    row.addConstant(coefficient * delta);
                    markIfInfeasible(basic, row);
                }
            }
        }
    }

    // ---- results ----------------------------------------------------------------------------

    static SolverResult unsatisfiable(const Constraint& constraint) {
        return failure(SolverStatus::UnsatisfiableConstraint,
                       join({"Unable to satisfy the required constraint ", constraint.description(),
                             ": it conflicts with the required constraints already added and was "
                             "left out."}));
    }

    static SolverResult notConverged() {
        return failure(SolverStatus::DidNotConverge,
                       "The solver stopped short of an optimum after numerical trouble; required "
                       "constraints hold but preferences may not be met as well as they could.");
    }

    static SolverResult finish(Outcome outcome) { return outcome == Outcome::Done ? SolverResult{} : notConverged(); }
};

Solver::Solver() : impl_(std::make_unique<Impl>()) {}
Solver::~Solver() = default;
Solver::Solver(Solver&&) noexcept = default;
Solver& Solver::operator=(Solver&&) noexcept = default;

SolverResult Solver::addConstraint(const Constraint& constraint) {
    if (hasConstraint(constraint)) {
        return failure(SolverStatus::DuplicateConstraint,
                       join({"The constraint ", constraint.description(), " has already been added."}));
    }
    if (auto reason = impl_->invalidReason(constraint)) {
        return failure(SolverStatus::InvalidConstraint,
                       join({"The constraint ", constraint.description(), " was not added: ", *reason, "."}));
    }
    return impl_->add(constraint);
}

SolverResult Solver::removeConstraint(const Constraint& constraint) { return impl_->remove(constraint); }

bool Solver::hasConstraint(const Constraint& constraint) const { return impl_->constraints.contains(constraint.id()); }

std::size_t Solver::constraintCount() const { return impl_->constraints.size() - impl_->edits.size(); }

SolverResult Solver::addEditVariable(const Variable& variable, double priority) {
    if (hasEditVariable(variable)) {
        return failure(SolverStatus::DuplicateEditVariable,
                       join({"The variable ", variable.displayName(), " is already an edit variable."}));
    }
    if (!Strength::isValid(priority) || Strength::isRequired(priority)) {
        return failure(SolverStatus::InvalidEditPriority,
                       join({"The edit variable ", variable.displayName(),
                             " needs a priority above 0 and below 1000, not ", formatNumber(priority), "."}));
    }
    double start = usable(variable.value()) ? variable.value() : 0.0;
    Constraint constraint(variable, RelationalOperator::Equal, start, priority,
                          join({"edit ", variable.displayName()}));
    SolverResult result = impl_->add(constraint);
    if (hasConstraint(constraint)) {
        impl_->edits.emplace(variable.id(), EditRecord{constraint, start});
    }
    return result;
}

SolverResult Solver::removeEditVariable(const Variable& variable) {
    auto edit = impl_->edits.find(variable.id());
    if (edit == impl_->edits.end()) {
        return failure(SolverStatus::UnknownEditVariable,
                       join({"The variable ", variable.displayName(), " is not an edit variable."}));
    }
    Constraint constraint = edit->second.constraint;
    impl_->edits.erase(edit);
    return impl_->remove(constraint);
}

bool Solver::hasEditVariable(const Variable& variable) const { return impl_->edits.contains(variable.id()); }

SolverResult Solver::suggestValue(const Variable& variable, double value) {
    auto edit = impl_->edits.find(variable.id());
    if (edit == impl_->edits.end()) {
        return failure(SolverStatus::UnknownEditVariable,
                       join({"The variable ", variable.displayName(), " is not an edit variable."}));
    }
    if (!usable(value)) {
        return failure(SolverStatus::InvalidConstraint,
                       join({"The value ", formatNumber(value), " suggested for ", variable.displayName(),
                             " is not a finite number of magnitude at most 1e15."}));
    }
    double delta = value - edit->second.constant;
    edit->second.constant = value;
    impl_->shiftEdit(impl_->constraints.at(edit->second.constraint.id()).tag, delta);
    return Impl::finish(impl_->dualOptimize());
}

void Solver::updateVariables() {
    for (auto& [id, record] : impl_->variables) {
        auto row = impl_->rows.find(record.symbol);
        double value = row == impl_->rows.end() ? 0.0 : row->second.constant();
        record.variable.setValue(nearZero(value) ? 0.0 : value);
    }
}

void Solver::reset() {
    impl_->constraints.clear();
    impl_->variables.clear();
    impl_->edits.clear();
    impl_->rows.clear();
    impl_->objective.clear();
    impl_->infeasible.clear();
}

} // namespace uikit::layout::reference
