#pragma once

// Internal to the solver: the symbols and rows of its tableau. Not part of the public API.

#include <cstdint>
#include <vector>

namespace uikit::layout::detail {

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

// A symbol is one word: its id above three bits of kind. Ids are unique, so symbols compare as
// their ids do, and a cell of a row takes two words.
class Symbol {
public:
    Symbol() = default;
    Symbol(std::uint64_t id, SymbolKind kind) noexcept : bits_(id << 3 | static_cast<std::uint64_t>(kind)) {}

    std::uint64_t id() const noexcept { return bits_ >> 3; }
    SymbolKind kind() const noexcept { return static_cast<SymbolKind>(bits_ & 7u); }
    // Ordered as the id; what the searches of a row compare.
    std::uint64_t bits() const noexcept { return bits_; }

    bool valid() const noexcept { return kind() != SymbolKind::Invalid; }
    bool isExternal() const noexcept { return kind() == SymbolKind::External; }
    bool isDummy() const noexcept { return kind() == SymbolKind::Dummy; }
    // Restricted symbols must stay >= 0; a row whose basic symbol is restricted is feasible only
    // while its constant is >= 0.
    bool isRestricted() const noexcept { return valid() && !isExternal(); }
    // May enter the basis while optimising.
    bool isPivotable() const noexcept { return kind() == SymbolKind::Slack || kind() == SymbolKind::Error; }

    friend bool operator==(Symbol lhs, Symbol rhs) noexcept { return lhs.bits_ == rhs.bits_; }
    friend bool operator<(Symbol lhs, Symbol rhs) noexcept { return lhs.bits_ < rhs.bits_; }

private:
    std::uint64_t bits_ = 0;
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

    // Room for `count` cells, so that a row being made grows once.
    void reserve(std::size_t count) { cells_.reserve(count); }

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
    // The first cell whose symbol is not below `symbol`.
    std::size_t lowerBound(Symbol symbol) const noexcept;
    std::vector<Cell>::iterator find(Symbol symbol) noexcept;
    std::vector<Cell>::const_iterator find(Symbol symbol) const noexcept;
    // Room for `count` cells: a little more than asked, so that a row growing a cell at a time
    // is not copied at every cell, and much less than doubling, which a solve of long rows pays
    // for in memory.
    void growTo(std::size_t count);

    double constant_ = 0.0;
    std::vector<Cell> cells_;
};

} // namespace uikit::layout::detail
