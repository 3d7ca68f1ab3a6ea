#pragma once

// A point in wall-clock time, in seconds since 1970. Date::now() reads the system clock, not the
// timer Clock: a manual Clock in tests does not stop dates.

#include <compare>

namespace foundation {

class Date {
public:
    static Date now();

    constexpr Date() = default; // 1970-01-01 00:00:00 UTC
    constexpr explicit Date(double timeIntervalSince1970) : seconds_(timeIntervalSince1970) {}

    constexpr double timeIntervalSince1970() const { return seconds_; }

    friend constexpr auto operator<=>(const Date&, const Date&) = default;

private:
    double seconds_ = 0;
};

} // namespace foundation
