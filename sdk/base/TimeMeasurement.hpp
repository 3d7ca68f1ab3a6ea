#pragma once
#include <chrono>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

namespace vyd {

class TimeMeasurement {
public:
    // Runs `block` at once and returns its result; the elapsed time goes to the log (formed, not
    // printed in release).
    template <class Block>
    static auto measureTime(std::string_view title, Block&& block) -> std::invoke_result_t<Block&> {
        const auto start = std::chrono::steady_clock::now();
        if constexpr (std::is_void_v<std::invoke_result_t<Block&>>) {
            block();
            logElapsed(title, secondsSince(start));
        } else {
            auto result = block();
            logElapsed(title, secondsSince(start));
            return result;
        }
    }

    // The log line for an operation that took `seconds`, formatted "%.6f".
    static std::string elapsedMessage(std::string_view title, double seconds);

private:
    static double secondsSince(std::chrono::steady_clock::time_point start) {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    static void logElapsed(std::string_view title, double seconds);
};

} // namespace vyd
