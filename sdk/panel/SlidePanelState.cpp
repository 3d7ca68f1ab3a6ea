#include "sdk/panel/SlidePanelState.hpp"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <ostream>

namespace vyd {

// The shared states are made under the language's once-guard for function-local statics, so
// from any thread, and are never destroyed: a layout still comparing against one during
// shutdown must not find it gone.
const SlidePanelStateRef& SlidePanelState::full() {
    static const auto* const state = new SlidePanelStateRef(make("full", 1000));
    return *state;
}

const SlidePanelStateRef& SlidePanelState::half() {
    static const auto* const state = new SlidePanelStateRef(make("half", 500));
    return *state;
}

const SlidePanelStateRef& SlidePanelState::tip() {
    static const auto* const state = new SlidePanelStateRef(make("tip", 100));
    return *state;
}

const SlidePanelStateRef& SlidePanelState::hidden() {
    static const auto* const state = new SlidePanelStateRef(make("hidden", 0));
    return *state;
}

SlidePanelStateRef SlidePanelState::make(std::string rawValue) { return make(std::move(rawValue), 0); }

SlidePanelStateRef SlidePanelState::make(std::string rawValue, std::intptr_t order) {
    return SlidePanelStateRef(new SlidePanelState(std::move(rawValue), order));
}

SlidePanelStateRef SlidePanelState::copy() const { return shared_from_this(); }

std::string SlidePanelState::description() const { return rawValue_; }

std::string SlidePanelState::debugDescription() const {
    char address[32];
    std::snprintf(address, sizeof address, "0x%016" PRIxPTR, reinterpret_cast<std::uintptr_t>(this));
    return std::string("<SlidePanel.SlidePanelState: ") + address + ">";
}

SlidePanelStateRef SlidePanelState::next(const std::vector<SlidePanelStateRef>& states) const {
    return neighbour(states, 1);
}

SlidePanelStateRef SlidePanelState::pre(const std::vector<SlidePanelStateRef>& states) const {
    return neighbour(states, -1);
}

SlidePanelStateRef SlidePanelState::neighbour(const std::vector<SlidePanelStateRef>& states,
                                              std::ptrdiff_t step) const {
    const auto found = std::find_if(states.begin(), states.end(),
                                    [this](const SlidePanelStateRef& state) { return state.get() == this; });
    if (found == states.end()) {
        return shared_from_this();
    }
    const std::ptrdiff_t index = (found - states.begin()) + step;
    if (index < 0 || index >= static_cast<std::ptrdiff_t>(states.size())) {
        return shared_from_this();
    }
    return states[static_cast<std::size_t>(index)];
}

std::ostream& operator<<(std::ostream& stream, const SlidePanelState& state) { return stream << state.description(); }

} // namespace vyd
