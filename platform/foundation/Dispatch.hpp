#pragma once

// Main queue, global queues, the main run loop and the clock that timers run on.
//
// The main queue is a run loop owned by the main thread: the thread that first calls
// isMainThread(), DispatchQueue::main(), DispatchQueue::global() or RunLoop::main(). Work for it
// is queued from any thread and runs only when the main thread drives the run loop
// (RunLoop::main().runUntilIdle(), runUntil(...), or Clock::advance(...) under the manual
// clock). Global queues run their work on a shared pool of real worker threads.

#include <cstddef>
#include <functional>

namespace foundation {

enum class DispatchQoS { UserInteractive, UserInitiated, Default, Utility, Background };

// True on the thread that owns the main run loop.
bool isMainThread();

// Time for timers, in seconds. The real clock is monotonic (not wall time: see Date for that).
// The manual clock stands still until advanced, so that tests decide when timers fire.
class Clock {
public:
    // The value the manual clock starts at each time useManualClock() is called.
    static constexpr double manualStart = 1000.0;

    static double now();
    static bool isManual();

    // Switch to the manual clock, reset to manualStart. Timers already scheduled keep the time
    // they had left to run.
    static void useManualClock();
    // Switch back to the real clock; scheduled timers keep the time they had left.
    static void useRealClock();

    // Manual clock only: moves time forward by `seconds` in steps, stopping at each timer that
    // falls due within the window (in due order, FIFO for equal times, including timers that
    // those timers schedule) and running the main queue there. Must be called on the main thread.
    // Under the real clock it only runs what is due now.
    static void advance(double seconds);
};

class DispatchQueue {
public:
    static DispatchQueue& main();
    static DispatchQueue& global(DispatchQoS qos = DispatchQoS::Default);

    // Both are safe to call from any thread.
    void async(std::function<void()> work);
    // A delay of zero or less behaves as async. Timers of global queues are kept with those of
    // the main run loop and fire while it runs (or while the manual clock is advanced).
    void asyncAfter(double delaySeconds, std::function<void()> work);

    bool isMain() const { return isMainQueue_; }
    DispatchQoS qos() const { return qos_; }

    DispatchQueue(const DispatchQueue&) = delete;
    DispatchQueue& operator=(const DispatchQueue&) = delete;

private:
    DispatchQueue(bool isMainQueue, DispatchQoS qos) : isMainQueue_(isMainQueue), qos_(qos) {}

    bool isMainQueue_;
    DispatchQoS qos_;
};

class RunLoop {
public:
    static RunLoop& main();

    // Runs queued main work and the timers that are already due, in order, until nothing is
    // due. Never waits for a timer in the future. Main thread only.
    void runUntilIdle();

    // Keeps running main work (and, under the real clock, timers as they fall due) until `done`
    // returns true or `timeoutSeconds` of real time have passed. Returns whether `done` became
    // true. Meant for waiting on background work that posts back. Main thread only.
    bool runUntil(const std::function<bool()>& done, double timeoutSeconds);

    // Drops every queued work item and timer without running it, so that a test does not
    // inherit work left behind by the one before. Returns how many were dropped.
    std::size_t discardPending();

    // Number of queued work items plus scheduled timers.
    std::size_t pendingCount() const;

    RunLoop(const RunLoop&) = delete;
    RunLoop& operator=(const RunLoop&) = delete;

private:
    RunLoop() = default;
};

} // namespace foundation
