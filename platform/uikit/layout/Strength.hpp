#pragma once

#include <cmath>

namespace uikit::layout {

// Priorities are the platform's layout priorities: numbers in (0, 1000], where 1000 means
// required. A required constraint must hold; the others are preferences that the solver
// satisfies as well as it can.
//
// The preferences are strictly hierarchical: every distinct priority is its own level of the
// objective and the levels are minimised lexicographically, from the highest down. A constraint
// at 999 therefore beats any number of constraints at 998, and 251 beats any number at 250,
// however large the errors involved; constraints at one and the same priority share their level
// and trade off by the sum of their errors. This is exact, so no choice of weights can overflow
// or let many weak constraints outvote a stronger one.
namespace Strength {

inline constexpr double required = 1000.0;
inline constexpr double defaultHigh = 750.0;
inline constexpr double defaultLow = 250.0;
inline constexpr double fittingSizeLevel = 50.0;

// Finite and within (0, 1000].
inline bool isValid(double priority) noexcept {
    return std::isfinite(priority) && priority > 0.0 && priority <= required;
}

inline bool isRequired(double priority) noexcept { return priority >= required; }

} // namespace Strength

} // namespace uikit::layout
