#include "platform/foundation/Dispatch.hpp"

#include <atomic>
#include <cassert>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace foundation {
namespace {

// Function-local static: the first caller's thread becomes the main thread, once.
std::thread::id mainThreadId() {
    static const std::thread::id id = std::this_thread::get_id();
    return id;
}

double realNow() { return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count(); }

// A pool that grows whenever queued jobs outnumber idle workers, so that a job waiting for
// another job (or for the main queue) can never starve the pool. Leaked on purpose: detached
// workers may still be blocked in it while the process exits.
class WorkerPool {
public:
    static WorkerPool& shared() {
        static WorkerPool* pool = new WorkerPool;
        return *pool;
    }

    void submit(std::function<void()> job) {
        std::lock_guard<std::mutex> lock(mutex_);
        jobs_.push_back(std::move(job));
        if (jobs_.size() > idle_ && threads_ < maxThreads) {
            ++threads_;
            std::thread([this] { workerLoop(); }).detach();
        } else {
            wake_.notify_one();
        }
    }

private:
    static constexpr std::size_t maxThreads = 64;

    void workerLoop() {
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            ++idle_;
            wake_.wait(lock, [this] { return !jobs_.empty(); });
            --idle_;
            std::function<void()> job = std::move(jobs_.front());
            jobs_.pop_front();
            lock.unlock();
            job();
            job = nullptr; // captured state dies on the worker, outside the lock
            lock.lock();
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> jobs_;
    std::size_t idle_ = 0;
    std::size_t threads_ = 0;
};

struct Timer {
    std::function<void()> work;
    bool onMain = true;
};

// (due time, sequence) orders timers by due time and FIFO among equal times.
using TimerKey = std::pair<double, std::uint64_t>;

class MainLoopState {
public:
    static MainLoopState& shared() {
        static MainLoopState* state = new MainLoopState; // leaked: workers may post during exit
        return *state;
    }

    void post(std::function<void()> work) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            queue_.push_back(std::move(work));
        }
        wake_.notify_all();
    }

    void schedule(double due, bool onMain, std::function<void()> work) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            timers_.emplace(TimerKey{due, nextSeq_++}, Timer{std::move(work), onMain});
        }
        wake_.notify_all();
    }

    // Takes the next main work item, first moving every timer due by `now` into the queue.
    bool takeNext(double now, std::function<void()>& out) {
        std::vector<std::function<void()>> forPool;
        bool found = false;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            promoteDueLocked(now, forPool);
            if (!queue_.empty()) {
                out = std::move(queue_.front());
                queue_.pop_front();
                found = true;
            }
        }
        for (auto& job : forPool)
            WorkerPool::shared().submit(std::move(job));
        return found;
    }

    bool earliestDue(double& due) const {
        std::lock_guard<std::mutex> lock(mutex_);
        if (timers_.empty())
            return false;
        due = timers_.begin()->first.first;
        return true;
    }

    // Waits until work is posted, a timer is added, or `until` passes.
    void waitForWork(std::chrono::steady_clock::time_point until, bool realClock) {
        std::unique_lock<std::mutex> lock(mutex_);
        if (!queue_.empty())
            return;
        if (realClock && !timers_.empty()) {
            double due = timers_.begin()->first.first;
            if (due <= realNow())
                return;
            auto dueAt = std::chrono::steady_clock::time_point(
                std::chrono::duration_cast<std::chrono::steady_clock::duration>(std::chrono::duration<double>(due)));
            if (dueAt < until)
                until = dueAt;
        }
        std::uint64_t seqBefore = nextSeq_;
        std::size_t queuedBefore = queue_.size();
        wake_.wait_until(lock, until, [&] { return queue_.size() != queuedBefore || nextSeq_ != seqBefore; });
    }

    // Moves every timer by the same amount, keeping their order and the time each has left.
    void shiftTimers(double delta) {
        std::lock_guard<std::mutex> lock(mutex_);
        std::map<TimerKey, Timer> shifted;
        for (auto& [key, timer] : timers_)
            shifted.emplace(TimerKey{key.first + delta, key.second}, std::move(timer));
        timers_ = std::move(shifted);
    }

    std::size_t discard() {
        std::deque<std::function<void()>> queue;
        std::map<TimerKey, Timer> timers;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            queue.swap(queue_);
            timers.swap(timers_);
        }
        // Destroyed outside the lock: a captured object's destructor may post again.
        return queue.size() + timers.size();
    }

    std::size_t count() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return queue_.size() + timers_.size();
    }

private:
    void promoteDueLocked(double now, std::vector<std::function<void()>>& forPool) {
        while (!timers_.empty() && timers_.begin()->first.first <= now) {
            auto node = timers_.extract(timers_.begin());
            if (node.mapped().onMain)
                queue_.push_back(std::move(node.mapped().work));
            else
                forPool.push_back(std::move(node.mapped().work));
        }
    }

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> queue_;
    std::map<TimerKey, Timer> timers_;
    std::uint64_t nextSeq_ = 0;
};

std::atomic<bool> manualMode{false};
std::atomic<double> manualTime{Clock::manualStart};
// Serialises clock switches so that timers are shifted exactly once per switch.
std::mutex clockSwitchMutex;

void assertMainThread() { assert(isMainThread() && "the main run loop is driven from the main thread only"); }

} // namespace

bool isMainThread() { return mainThreadId() == std::this_thread::get_id(); }

// MARK: Clock

double Clock::now() {
    return manualMode.load(std::memory_order_acquire) ? manualTime.load(std::memory_order_acquire) : realNow();
}

bool Clock::isManual() { return manualMode.load(std::memory_order_acquire); }

void Clock::useManualClock() {
    std::lock_guard<std::mutex> lock(clockSwitchMutex);
    double before = now();
    manualTime.store(manualStart, std::memory_order_release);
    manualMode.store(true, std::memory_order_release);
    MainLoopState::shared().shiftTimers(manualStart - before);
}

void Clock::useRealClock() {
    std::lock_guard<std::mutex> lock(clockSwitchMutex);
    double before = now();
    manualMode.store(false, std::memory_order_release);
    MainLoopState::shared().shiftTimers(realNow() - before);
}

void Clock::advance(double seconds) {
    RunLoop& loop = RunLoop::main();
    assertMainThread();
    if (!isManual()) {
        loop.runUntilIdle();
        return;
    }
    // Work already queued belongs to the present moment: it runs before time moves on.
    loop.runUntilIdle();
    const double target = manualTime.load() + (seconds > 0 ? seconds : 0);
    // Delays summed in floating point land a hair off the sum the caller has in mind (ten
    // ticks of 0.1 s after 1.0 s): a timer within this slack of the target still falls in the
    // window, and the clock then reads its due time, so it never runs early.
    constexpr double slack = 1e-9;
    auto& state = MainLoopState::shared();
    double due = 0;
    while (state.earliestDue(due) && due <= target + slack) {
        if (due > manualTime.load())
            manualTime.store(due, std::memory_order_release);
        loop.runUntilIdle();
    }
    if (target > manualTime.load())
        manualTime.store(target, std::memory_order_release);
    loop.runUntilIdle();
}

// MARK: DispatchQueue

DispatchQueue& DispatchQueue::main() {
    mainThreadId();
    static DispatchQueue queue(true, DispatchQoS::UserInteractive);
    return queue;
}

DispatchQueue& DispatchQueue::global(DispatchQoS qos) {
    // Touching the main thread here first means a worker can never claim it.
    mainThreadId();
    static DispatchQueue queues[] = {
        DispatchQueue(false, DispatchQoS::UserInteractive), DispatchQueue(false, DispatchQoS::UserInitiated),
        DispatchQueue(false, DispatchQoS::Default), DispatchQueue(false, DispatchQoS::Utility),
        DispatchQueue(false, DispatchQoS::Background)};
    return queues[static_cast<int>(qos)];
}

void DispatchQueue::async(std::function<void()> work) {
    if (!work)
        return;
    if (isMainQueue_)
        MainLoopState::shared().post(std::move(work));
    else
        WorkerPool::shared().submit(std::move(work));
}

void DispatchQueue::asyncAfter(double delaySeconds, std::function<void()> work) {
    if (!work)
        return;
    if (!(delaySeconds > 0)) { // NaN included
        async(std::move(work));
        return;
    }
    MainLoopState::shared().schedule(Clock::now() + delaySeconds, isMainQueue_, std::move(work));
}

// MARK: RunLoop

RunLoop& RunLoop::main() {
    mainThreadId();
    static RunLoop loop;
    return loop;
}

void RunLoop::runUntilIdle() {
    assertMainThread();
    auto& state = MainLoopState::shared();
    std::function<void()> work;
    while (state.takeNext(Clock::now(), work)) {
        work();
        work = nullptr;
    }
}

bool RunLoop::runUntil(const std::function<bool()>& done, double timeoutSeconds) {
    assertMainThread();
    using namespace std::chrono;
    const auto start = steady_clock::now();
    const auto deadline =
        start + duration_cast<steady_clock::duration>(duration<double>(timeoutSeconds > 0 ? timeoutSeconds : 0));
    // `done` may turn true through a flag that no posted work announces: look again this often.
    constexpr auto poll = milliseconds(2);
    for (;;) {
        runUntilIdle();
        if (done())
            return true;
        auto now = steady_clock::now();
        if (now >= deadline)
            return false;
        MainLoopState::shared().waitForWork(std::min(deadline, now + poll), !Clock::isManual());
    }
}

std::size_t RunLoop::discardPending() { return MainLoopState::shared().discard(); }

std::size_t RunLoop::pendingCount() const { return MainLoopState::shared().count(); }

} // namespace foundation
