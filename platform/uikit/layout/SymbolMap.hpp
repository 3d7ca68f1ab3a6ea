#pragma once

// Internal to the solver: a map from symbols to small values in one flat table (open addressing,
// linear probing, backward-shift deletion), so that the many insertions and removals of a solve
// do not each allocate a node. Not part of the public API.

#include "platform/uikit/layout/Row.hpp"

#include <cstdint>
#include <vector>

namespace uikit::layout::detail {

template <class Value>
class SymbolMap {
public:
    Value* find(Symbol key) noexcept {
        const std::size_t index = indexOf(key);
        return index == kAbsent ? nullptr : &slots_[index].value;
    }
    const Value* find(Symbol key) const noexcept {
        const std::size_t index = indexOf(key);
        return index == kAbsent ? nullptr : &slots_[index].value;
    }

    void set(Symbol key, Value value) {
        if ((count_ + 1) * 4 > slots_.size() * 3) {
            grow();
        }
        for (std::size_t i = home(key.bits());; i = (i + 1) & mask()) {
            Slot& slot = slots_[i];
            if (slot.key == key.bits()) {
                slot.value = value;
                return;
            }
            if (slot.key == kEmpty) {
                slot = Slot{key.bits(), value};
                ++count_;
                return;
            }
        }
    }

    void erase(Symbol key) noexcept {
        std::size_t hole = indexOf(key);
        if (hole == kAbsent) {
            return;
        }
        // Later entries of the same run move up into the hole when that keeps them reachable
        // from their home slot.
        for (std::size_t i = (hole + 1) & mask(); slots_[i].key != kEmpty; i = (i + 1) & mask()) {
            const std::size_t fromHome = (i - home(slots_[i].key)) & mask();
            if (fromHome >= ((i - hole) & mask())) {
                slots_[hole] = slots_[i];
                hole = i;
            }
        }
        slots_[hole].key = kEmpty;
        --count_;
    }

    template <class Body>
    void forEach(Body body) const {
        for (const Slot& slot : slots_) {
            if (slot.key != kEmpty) {
                body(slot.value);
            }
        }
    }

    void clear() noexcept {
        slots_.clear();
        count_ = 0;
        shift_ = 64;
    }

private:
    static constexpr std::uint64_t kEmpty = 0; // no valid symbol has these bits
    static constexpr std::size_t kAbsent = static_cast<std::size_t>(-1);

    struct Slot {
        std::uint64_t key = kEmpty;
        Value value{};
    };

    std::size_t mask() const noexcept { return slots_.size() - 1; }

    // Fibonacci hashing: ids that follow one another spread over the table.
    std::size_t home(std::uint64_t bits) const noexcept {
        return static_cast<std::size_t>((bits * 0x9E3779B97F4A7C15ull) >> shift_);
    }

    std::size_t indexOf(Symbol key) const noexcept {
        if (count_ == 0) {
            return kAbsent;
        }
        for (std::size_t i = home(key.bits());; i = (i + 1) & mask()) {
            if (slots_[i].key == key.bits()) {
                return i;
            }
            if (slots_[i].key == kEmpty) {
                return kAbsent;
            }
        }
    }

    void grow() {
        std::vector<Slot> old = std::move(slots_);
        const std::size_t size = old.empty() ? 16 : old.size() * 2;
        slots_.assign(size, Slot{});
        shift_ = 64;
        for (std::size_t bits = size; bits > 1; bits /= 2) {
            --shift_;
        }
        count_ = 0;
        for (const Slot& slot : old) {
            if (slot.key != kEmpty) {
                for (std::size_t i = home(slot.key);; i = (i + 1) & mask()) {
                    if (slots_[i].key == kEmpty) {
                        slots_[i] = slot;
                        ++count_;
                        break;
                    }
                }
            }
        }
    }

    std::vector<Slot> slots_;
    std::size_t count_ = 0;
    int shift_ = 64;
};

} // namespace uikit::layout::detail
