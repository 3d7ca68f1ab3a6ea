// The solver as it was before its rows were stored side by side (rows in a hash map by basic
// symbol, cells of three words, one lookup per variable on update, rows grown by doubling), kept
// as it was so that bench/solver_workloads.cpp sets each figure against it in the same run.
// Built for that benchmark only.

#include "bench/reference/Row.hpp"

#include <algorithm>

namespace uikit::layout::reference::detail {

namespace {
bool cellBefore(const Row::Cell& cell, Symbol symbol) noexcept { return cell.symbol.id < symbol.id; }
} // namespace

std::vector<Row::Cell>::iterator Row::find(Symbol symbol) noexcept {
    auto it = std::lower_bound(cells_.begin(), cells_.end(), symbol, cellBefore);
    return it != cells_.end() && it->symbol == symbol ? it : cells_.end();
}

std::vector<Row::Cell>::const_iterator Row::find(Symbol symbol) const noexcept {
    auto it = std::lower_bound(cells_.begin(), cells_.end(), symbol, cellBefore);
    return it != cells_.end() && it->symbol == symbol ? it : cells_.end();
}

double Row::coefficientFor(Symbol symbol) const noexcept {
    auto it = find(symbol);
    return it == cells_.end() ? 0.0 : it->coefficient;
}

void Row::insert(Symbol symbol, double coefficient) {
    auto it = std::lower_bound(cells_.begin(), cells_.end(), symbol, cellBefore);
    if (it != cells_.end() && it->symbol == symbol) {
        it->coefficient += coefficient;
        if (nearZero(it->coefficient)) {
            cells_.erase(it);
        }
    } else if (!nearZero(coefficient)) {
        cells_.insert(it, Cell{symbol, coefficient});
    }
}

void Row::insert(const Row& other, double coefficient) {
    constant_ += other.constant_ * coefficient;
    const std::vector<Cell>& added = other.cells_;
    if (added.empty()) {
        return;
    }
    // Count the symbols new to this row, grow once, then merge from the back in place: no
    // temporary buffer, and existing capacity is reused across the many substitutions of a solve.
    std::size_t existing = cells_.size();
    std::size_t fresh = 0;
    for (std::size_t i = 0, j = 0; j < added.size();) {
        if (i == existing || added[j].symbol.id < cells_[i].symbol.id) {
            ++fresh;
            ++j;
        } else if (cells_[i].symbol.id < added[j].symbol.id) {
            ++i;
        } else {
            ++i;
            ++j;
        }
    }
    cells_.resize(existing + fresh);
    std::size_t i = existing;
    std::size_t j = added.size();
    std::size_t k = existing + fresh;
    bool cancelled = false;
    while (j > 0) {
        const Cell& incoming = added[j - 1];
        if (i > 0 && cells_[i - 1].symbol.id > incoming.symbol.id) {
            --i;
            --k;
            cells_[k] = cells_[i];
            continue;
        }
        --j;
        --k;
        if (i > 0 && cells_[i - 1].symbol.id == incoming.symbol.id) {
            --i;
            cells_[k] = Cell{incoming.symbol, cells_[i].coefficient + incoming.coefficient * coefficient};
        } else {
            cells_[k] = Cell{incoming.symbol, incoming.coefficient * coefficient};
        }
        cancelled = cancelled || nearZero(cells_[k].coefficient);
    }
    if (cancelled) {
        std::erase_if(cells_, [](const Cell& cell) { return nearZero(cell.coefficient); });
    }
}

void Row::remove(Symbol symbol) {
    auto it = find(symbol);
    if (it != cells_.end()) {
        cells_.erase(it);
    }
}

void Row::reverseSign() noexcept {
    constant_ = -constant_;
    for (Cell& cell : cells_) {
        cell.coefficient = -cell.coefficient;
    }
}

void Row::solveFor(Symbol subject) {
    auto it = find(subject);
    if (it == cells_.end()) {
        return;
    }
    double scale = -1.0 / it->coefficient;
    cells_.erase(it);
    constant_ *= scale;
    bool cancelled = false;
    for (Cell& cell : cells_) {
        cell.coefficient *= scale;
        cancelled = cancelled || nearZero(cell.coefficient);
    }
    if (cancelled) {
        std::erase_if(cells_, [](const Cell& cell) { return nearZero(cell.coefficient); });
    }
}

void Row::solveFor(Symbol basic, Symbol subject) {
    insert(basic, -1.0);
    solveFor(subject);
}

bool Row::substitute(Symbol symbol, const Row& row) {
    auto it = find(symbol);
    if (it == cells_.end()) {
        return false;
    }
    double coefficient = it->coefficient;
    cells_.erase(it);
    insert(row, coefficient);
    return true;
}

} // namespace uikit::layout::reference::detail
