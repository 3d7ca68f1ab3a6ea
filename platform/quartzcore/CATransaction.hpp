#pragma once

// The animation duration that layer animations without their own duration take: the
// platform's default for changes made outside any explicit transaction.

namespace quartzcore {

class CATransaction {
public:
    static constexpr double defaultAnimationDuration = 0.25;

    static constexpr double animationDuration() { return defaultAnimationDuration; }
};

} // namespace quartzcore
