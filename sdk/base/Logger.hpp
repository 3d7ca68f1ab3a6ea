#pragma once
#include <functional>
#include <string>
#include <string_view>

namespace vyd {

// The SDK's log output. Messages are always formed by the caller; only those marked visible in
// release reach the output, and they are written later on the main queue so that the order of
// output follows the order of main-queue work.
class Logger {
public:
    using Output = std::function<void(std::string_view text)>;

    static void log(std::string_view message, bool visibleInRelease = false);

    // Where printed text goes; standard output unless replaced. An empty function restores
    // standard output. The output in force when the queued print runs is the one used.
    static void setOutput(Output output);

    // The exact text printed for a visible message.
    static std::string format(std::string_view message);
};

} // namespace vyd
