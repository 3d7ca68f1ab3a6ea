#pragma once

// Groups of layer changes. Transactions nest per thread; a value set inside a transaction holds
// until its commit. A value set outside any explicit transaction lasts until the end of the
// current turn of the main queue; on another thread it stays until that thread changes it.

namespace quartzcore {

class CATransaction {
public:
    static constexpr double defaultAnimationDuration = 0.25;

    static void begin();
    // Ends the innermost transaction; a commit without a begin does nothing.
    static void commit();

    // The innermost value set, else 0.25 seconds.
    static double animationDuration();
    static void setAnimationDuration(double seconds);
    static bool disableActions();
    static void setDisableActions(bool disable);
};

} // namespace quartzcore
