#include "platform/uikit/layout/Row.hpp"

#include <algorithm>

namespace uikit::layout::detail {

namespace {
bool cellBefore(const Row::Cell& cell, std::uint64_t bits) noexcept { return cell.symbol.bits() < bits; }
// Rows this short fit in a few cache lines: a plain binary search is cheaper than a guess.
constexpr std::size_t kShortRow = 16;
} // namespace

// Symbols are numbered as they are made and a row gathers runs of them (the markers of a chain
// of constraints, say), so a guess by interpolation between the first and last ids lands near
// the cell, and a galloping search from there takes a probe or two where a binary search over a
// long row takes a cache miss at each of its steps. A scan of every row for one symbol (an edit
// or a changed constant moving its marker) pays that once per row.
std::size_t Row::lowerBound(Symbol symbol) const noexcept {
    const std::size_t count = cells_.size();
    const std::uint64_t key = symbol.bits();
    if (count == 0 || key <= cells_.front().symbol.bits()) {
        return 0;
    }
    const std::uint64_t first = cells_.front().symbol.bits();
    const std::uint64_t last = cells_.back().symbol.bits();
    if (key >= last) {
        return key == last ? count - 1 : count;
    }
    const auto begin = cells_.begin();
    if (count <= kShortRow) {
        return static_cast<std::size_t>(
            std::lower_bound(begin + 1, begin + static_cast<std::ptrdiff_t>(count) - 1, key, cellBefore) - begin);
    }
    // Here first < key < last: cells_[0] is below the key and cells_[count - 1] above it.
    const double share = static_cast<double>(key - first) / static_cast<double>(last - first);
    const auto guess = std::min(count - 1, static_cast<std::size_t>(share * static_cast<double>(count - 1)));
    std::size_t below = 0;         // a cell below the key
    std::size_t above = count - 1; // a cell at or above it
    if (cells_[guess].symbol.bits() < key) {
        below = guess;
        for (std::size_t step = 1; guess + step < count - 1; step *= 2) {
            if (cells_[guess + step].symbol.bits() >= key) {
                above = guess + step;
                break;
            }
            below = guess + step;
        }
    } else {
        above = guess;
        for (std::size_t step = 1; step < guess; step *= 2) {
            if (cells_[guess - step].symbol.bits() < key) {
                below = guess - step;
                break;
            }
            above = guess - step;
        }
    }
    return static_cast<std::size_t>(std::lower_bound(begin + static_cast<std::ptrdiff_t>(below) + 1,
                                                     begin + static_cast<std::ptrdiff_t>(above), key, cellBefore) -
                                    begin);
}

std::vector<Row::Cell>::iterator Row::find(Symbol symbol) noexcept {
    const auto it = cells_.begin() + static_cast<std::ptrdiff_t>(lowerBound(symbol));
    return it != cells_.end() && it->symbol == symbol ? it : cells_.end();
}

std::vector<Row::Cell>::const_iterator Row::find(Symbol symbol) const noexcept {
    const auto it = cells_.begin() + static_cast<std::ptrdiff_t>(lowerBound(symbol));
    return it != cells_.end() && it->symbol == symbol ? it : cells_.end();
}

void Row::growTo(std::size_t count) {
    if (count > cells_.capacity()) {
        cells_.reserve(count + std::max<std::size_t>(count / 8, 4));
    }
}

double Row::coefficientFor(Symbol symbol) const noexcept {
    auto it = find(symbol);
    return it == cells_.end() ? 0.0 : it->coefficient;
}

void Row::insert(Symbol symbol, double coefficient) {
    const auto it = cells_.begin() + static_cast<std::ptrdiff_t>(lowerBound(symbol));
    if (it != cells_.end() && it->symbol == symbol) {
        it->coefficient += coefficient;
        if (nearZero(it->coefficient)) {
            cells_.erase(it);
        }
    } else if (!nearZero(coefficient)) {
        const auto index = it - cells_.begin();
        growTo(cells_.size() + 1);
        cells_.insert(cells_.begin() + index, Cell{symbol, coefficient});
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
        if (i == existing || added[j].symbol < cells_[i].symbol) {
            ++fresh;
            ++j;
        } else if (cells_[i].symbol < added[j].symbol) {
            ++i;
        } else {
            ++i;
            ++j;
        }
    }
    growTo(existing + fresh);
    cells_.resize(existing + fresh);
    std::size_t i = existing;
    std::size_t j = added.size();
    std::size_t k = existing + fresh;
    bool cancelled = false;
    while (j > 0) {
        const Cell& incoming = added[j - 1];
        if (i > 0 && incoming.symbol < cells_[i - 1].symbol) {
            --i;
            --k;
            cells_[k] = cells_[i];
            continue;
        }
        --j;
        --k;
        if (i > 0 && cells_[i - 1].symbol == incoming.symbol) {
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

} // namespace uikit::layout::detail
