#pragma once

// Animations and transactions. A change of state or of an observed object made inside
// `withAnimation` or `withTransaction` re-evaluates the views that depend on it under that
// transaction: the nodes the update touches carry its animation, which runs on the clock
// (foundation::Clock) for its duration, or until the node leaves the tree when it repeats for
// ever. Headless, an animation changes no value over time: the end values apply at once.

#include <functional>
#include <optional>

namespace swiftui {

class Animation {
public:
    enum class Curve { linear, easeInOut, spring };

    static Animation linear(double duration = 0.35) { return Animation(Curve::linear, duration); }
    static Animation easeInOut(double duration = 0.35) { return Animation(Curve::easeInOut, duration); }
    // The platform's default animation.
    static Animation default_() { return Animation(Curve::spring, 0.35); }

    Animation repeatForever(bool autoreverses = true) const {
        Animation copy = *this;
        copy.repeatsForever_ = true;
        copy.autoreverses_ = autoreverses;
        return copy;
    }
    Animation delay(double seconds) const {
        Animation copy = *this;
        copy.delay_ = seconds;
        return copy;
    }

    Curve curve() const { return curve_; }
    double duration() const { return duration_; }
    double delay() const { return delay_; }
    bool repeatsForever() const { return repeatsForever_; }
    bool autoreverses() const { return autoreverses_; }

    friend bool operator==(const Animation&, const Animation&) = default;

private:
    Animation(Curve curve, double duration) : curve_(curve), duration_(duration) {}

    Curve curve_;
    double duration_;
    double delay_ = 0;
    bool repeatsForever_ = false;
    bool autoreverses_ = false;
};

class Transaction {
public:
    Transaction() = default;
    explicit Transaction(std::optional<Animation> animation) : animation(std::move(animation)) {}

    std::optional<Animation> animation;

    friend bool operator==(const Transaction&, const Transaction&) = default;
};

// Runs `body` with the transaction as the current one (per thread; nested calls restore the
// outer one).
void withTransaction(const Transaction& transaction, const std::function<void()>& body);
void withAnimation(std::optional<Animation> animation, const std::function<void()>& body);
// The transaction of the innermost running `withTransaction` on this thread, else an empty one.
const Transaction& currentTransaction();

} // namespace swiftui
