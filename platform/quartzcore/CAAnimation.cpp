#include "platform/quartzcore/CAAnimation.hpp"

#include "platform/foundation/Dispatch.hpp"

#include <cmath>
#include <limits>

namespace quartzcore {

double CACurrentMediaTime() { return foundation::Clock::now(); }

double CAAnimation::activeDuration(double transactionDuration) const {
    const double once = duration > 0 ? duration : transactionDuration;
    const double repeats = std::isnan(repeatCount) || repeatCount <= 0 ? 1.0 : static_cast<double>(repeatCount);
    if (std::isinf(repeats)) {
        return std::numeric_limits<double>::infinity();
    }
    return once * repeats * (autoreverses ? 2 : 1);
}

} // namespace quartzcore
