#pragma once

// The solver as it was before its rows were stored side by side (rows in a hash map by basic
// symbol, cells of three words, one lookup per variable on update, rows grown by doubling), kept
// as it was so that bench/solver_workloads.cpp sets each figure against it in the same run.
// Built for that benchmark only.

// Internal to the solver: the symbols and rows of its tableau. Not part of the public API.

#include <cstdint>
#include <functional>
#include <vector>

namespace uikit::layout::reference::detail {

// Below this magnitude a coefficient or value counts as zero: long pivot sequences leave
// residues around 1e-12, and nothing a layout means comes near 1e-8.
inline constexpr double kEpsilon = 1e-8;

inline bool nearZero(double value) noexcept { return value < kEpsilon && value > -kEpsilon; }

enum class SymbolKind : std::uint8_t {
    Invalid,
    External, // a user variable: free in sign
    Slack,    // turns an inequality into an equation; >= 0 (also the artificial variable)
    Error,    // how far a preference is violated; >= 0 and priced by the objective
    Dummy,    // marks a required equation; pinned at 0, so it never enters by optimisation
};

struct Symbol {
    std::uint64_t id = 0;
    SymbolKind kind = SymbolKind::Invalid;

    bool valid() const noexcept { return kind != SymbolKind::Invalid; }
    bool isExternal() const noexcept { return kind == SymbolKind::External; }
    bool isDummy() const noexcept { return kind == SymbolKind::Dummy; }
    // Restricted symbols must stay >= 0; a row whose basic symbol is restricted is feasible only
    // while its constant is >= 0.
    bool isRestricted() const noexcept { return valid() && !isExternal(); }
    // May enter the basis while optimising.
    bool isPivotable() const noexcept { return kind == SymbolKind::Slack || kind == SymbolKind::Error; }

    friend bool operator==(Symbol lhs, Symbol rhs) noexcept { return lhs.id == rhs.id; }
    friend bool operator<(Symbol lhs, Symbol rhs) noexcept { return lhs.id < rhs.id; }
};

struct SymbolHash {
    std::size_t operator()(Symbol symbol) const noexcept { return std::hash<std::uint64_t>{}(symbol.id); }
};

// One equation of the tableau, `basic = constant + sum(coefficient * symbol)`, or, before it has
// a basic symbol, `0 = constant + sum(...)`. Cells stay sorted by symbol id, so merging rows is a
// linear walk and the lowest-id choices of Bland's rule come out in order.
class Row {
public:
    struct Cell {
        Symbol symbol;
        double coefficient;
    };

    Row() = default;
    explicit Row(double constant) : constant_(constant) {}

    double constant() const noexcept { return constant_; }
    const std::vector<Cell>& cells() const noexcept { return cells_; }

    double coefficientFor(Symbol symbol) const noexcept;

    void addConstant(double amount) noexcept { constant_ += amount; }

    // Adds coefficient * symbol (a cell that cancels to zero disappears).
    void insert(Symbol symbol, double coefficient = 1.0);
    // Adds coefficient * other, constant included.
    void insert(const Row& other, double coefficient = 1.0);
    void remove(Symbol symbol);
    void reverseSign() noexcept;

    // `0 = ...` becomes `subject = ...`; subject must have a non-zero coefficient.
    void solveFor(Symbol subject);
    // `basic = ...` becomes `subject = ...` (a pivot).
    void solveFor(Symbol basic, Symbol subject);

    // Replaces symbol by the right-hand side of `symbol = row`; says whether it occurred.
    bool substitute(Symbol symbol, const Row& row);

private:
    std::vector<Cell>::iterator find(Symbol symbol) noexcept;
    std::vector<Cell>::const_iterator find(Symbol symbol) const noexcept;

    double constant_ = 0.0;
    std::vector<Cell> cells_;
};

} // namespace uikit::layout::reference::detail
