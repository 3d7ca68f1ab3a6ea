#include "sdk/panel/SlidePanelDrag.hpp"

#include <algorithm>
#include <cmath>

namespace vyd {

namespace {

CGFloat finiteOr(CGFloat value, CGFloat fallback) { return std::isfinite(value) ? value : fallback; }

// The platform's rubber band: grows like x at first, then ever more slowly towards `limit`.
CGFloat rubberBand(CGFloat overshoot, CGFloat limit) {
    if (overshoot <= 0 || limit <= 0) {
        return 0;
    }
    return limit * (1 - 1 / (overshoot * 0.55 / limit + 1));
}

} // namespace

CGFloat SlidePanelDrag::surfaceTop(const SlidePanelLayoutPositions& positions, const SlidePanelBehavior& behavior,
                                   CGFloat startTop, CGFloat translation) {
    const CGFloat top = positions.topMost();
    const CGFloat bottom = positions.hiddenTop();
    // Finite parts may still add up to an infinity, which the comparisons below handle.
    const CGFloat wanted = finiteOr(startTop, bottom) + finiteOr(translation, 0);
    if (wanted >= bottom) {
        return bottom;
    }
    if (wanted >= top) {
        return wanted;
    }
    const CGFloat limit = std::max<CGFloat>(0, finiteOr(behavior.rubberBandLimit(), 0));
    return top - rubberBand(top - wanted, limit);
}

SlidePanelRelease SlidePanelDrag::release(const SlidePanelLayoutPositions& positions,
                                          const SlidePanelBehavior& behavior, const SlidePanelStateRef& current,
                                          CGFloat top, CGFloat velocity, bool removalInteractionEnabled) {
    const CGFloat y = std::clamp(finiteOr(top, positions.hiddenTop()),
                                 std::min(positions.topMost(), positions.hiddenTop()), positions.hiddenTop());
    const CGFloat limit = finiteOr(behavior.spring().maximumVelocity, 6000);
    const CGFloat speed = std::clamp(finiteOr(velocity, 0), -std::fabs(limit), std::fabs(limit));
    const CGFloat fling = std::max<CGFloat>(0, finiteOr(behavior.flingVelocityThreshold(), 0));

    SlidePanelRelease result;
    result.velocity = speed;
    const auto visible = positions.visibleStates();
    if (visible.empty()) {
        // A layout without a single visible state can only be hidden.
        result.remove = removalInteractionEnabled;
        result.target = SlidePanelState::hidden();
        return result;
    }

    const CGFloat lowestTop = positions.surfaceTop(visible.front());
    const CGFloat travel = std::max<CGFloat>(1, positions.hiddenTop() - lowestTop);
    result.normalizedVelocity = speed / travel;
    if (removalInteractionEnabled) {
        const CGFloat progress = (y - lowestTop) / travel;
        const bool flickedAway =
            result.normalizedVelocity >= finiteOr(behavior.removalInteractionVelocityThreshold(), 5.5);
        const bool draggedAway = progress >= finiteOr(behavior.removalProgressThreshold(), 0.5) && speed > -fling;
        if (flickedAway || draggedAway) {
            result.remove = true;
            result.target = SlidePanelState::hidden();
            return result;
        }
    }

    if (!behavior.allowsStateChangeByDrag()) {
        const auto valid = positions.validState(current);
        result.target = valid == SlidePanelState::hidden() ? positions.nearestState(y, false) : valid;
        return result;
    }
    const auto nearest = positions.nearestState(y, false);
    if (std::fabs(speed) < fling) {
        result.target = nearest;
        return result;
    }
    // A fling goes one state on in its direction, counting the nearest state as the first step
    // when it still lies ahead.
    const CGFloat nearestTop = positions.surfaceTop(nearest);
    constexpr CGFloat ahead = 0.5;
    if (speed < 0) {
        result.target = nearestTop < y - ahead ? nearest : nearest->next(visible);
    } else {
        result.target = nearestTop > y + ahead ? nearest : nearest->pre(visible);
    }
    return result;
}

} // namespace vyd
