#pragma once

// A resting position of the slide panel.
//
// States are compared by identity, never by name: two states are the same state only when they
// are the same object. Layouts and behaviours key their anchors and constraints by the very
// instances they hand out, so a state made anew from "full" is not `full()`. Hold states through
// `SlidePanelStateRef`; its `==` and `std::hash` compare and hash the object, which is what
// maps and sets keyed by state must do.

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace vyd {

class SlidePanelState;
using SlidePanelStateRef = std::shared_ptr<const SlidePanelState>;

class SlidePanelState : public std::enable_shared_from_this<SlidePanelState> {
public:
    // The four shared states, each made once per process on first use and never released.
    static const SlidePanelStateRef& full();   // "full", 1000
    static const SlidePanelStateRef& half();   // "half", 500
    static const SlidePanelStateRef& tip();    // "tip", 100
    static const SlidePanelStateRef& hidden(); // "hidden", 0

    // A new state, distinct from every other, ranked 0. Never fails.
    static SlidePanelStateRef make(std::string rawValue);
    // A new state with its own rank, beyond the four shared ones.
    static SlidePanelStateRef make(std::string rawValue, std::intptr_t order);

    SlidePanelState(const SlidePanelState&) = delete;
    SlidePanelState& operator=(const SlidePanelState&) = delete;

    const std::string& rawValue() const { return rawValue_; }
    // Rank from least to most expanded.
    std::intptr_t order() const { return order_; }

    // The state itself: a copy keeps the identity.
    SlidePanelStateRef copy() const;

    // The name.
    std::string description() const;
    // "<SlidePanel.SlidePanelState: 0x" + the address in 16 lower-case hex digits + ">".
    std::string debugDescription() const;

    // The neighbour after (`next`) or before (`pre`) the first occurrence of this state in
    // `states`, taken in the list's own order; this state itself when it is absent, at that end
    // of the list, or the list is empty.
    SlidePanelStateRef next(const std::vector<SlidePanelStateRef>& states) const;
    SlidePanelStateRef pre(const std::vector<SlidePanelStateRef>& states) const;

private:
    SlidePanelState(std::string rawValue, std::intptr_t order) : rawValue_(std::move(rawValue)), order_(order) {}

    SlidePanelStateRef neighbour(const std::vector<SlidePanelStateRef>& states, std::ptrdiff_t step) const;

    const std::string rawValue_;
    const std::intptr_t order_;
};

// Prints the description, so that test failures and logs name the state.
std::ostream& operator<<(std::ostream& stream, const SlidePanelState& state);

} // namespace vyd
