#pragma once

// Runs a spring (SpringMotion) on the main run loop's clock: a frame every 1/60 s hands the
// value to `step`, and once the spring has settled the value lands exactly on the target and
// `completion(true)` runs. Stopping it early runs `completion(false)` at once.
//
// A running animator keeps itself alive until it ends, as the platform keeps a running
// animation; whatever it moves it must capture weakly, so that a panel that goes away while
// its surface springs is not kept. Main thread only.

#include "sdk/panel/SpringMotion.hpp"

#include <functional>
#include <memory>

namespace vyd {

class SpringAnimator : public std::enable_shared_from_this<SpringAnimator> {
public:
    using Step = std::function<void(double value)>;
    using Completion = std::function<void(bool finished)>;

    static constexpr double frameInterval = 1.0 / 60.0;

    // From `from` towards `to`, starting at `velocity` points per second (towards larger values
    // when positive).
    static std::shared_ptr<SpringAnimator> make(double from, double to, double velocity, SpringParameters parameters,
                                                Step step, Completion completion);

    SpringAnimator(const SpringAnimator&) = delete;
    SpringAnimator& operator=(const SpringAnimator&) = delete;

    // Starting twice, or after the end, does nothing. A spring with nothing to do ends on its
    // first frame.
    void start();
    // Ends a running spring where it is, without reaching the target.
    void stop();

    bool isRunning() const { return running_; }
    bool hasEnded() const { return ended_; }
    // Seconds from the start until the value rests on the target.
    double duration() const { return duration_; }
    double target() const { return to_; }
    // Where the spring is now, and how fast it moves (points per second).
    double value() const;
    double velocity() const;

    // Public so that make_shared can reach it; make animators with `make`.
    SpringAnimator(double from, double to, double velocity, SpringParameters parameters, Step step,
                   Completion completion);

private:
    void scheduleFrame();
    void frame();
    void finish(bool finished);
    double elapsed() const;

    double to_;
    SpringMotion motion_;
    double lastValue_;
    double duration_;
    Step step_;
    Completion completion_;
    double startTime_ = 0;
    bool running_ = false;
    bool ended_ = false;
};

} // namespace vyd
