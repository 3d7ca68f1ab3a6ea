#include "sdk/base/Logger.hpp"

#include "platform/foundation/Dispatch.hpp"

#include <cstdio>
#include <mutex>
#include <string>

namespace vyd {
namespace {

struct OutputSlot {
    std::mutex mutex;
    Logger::Output output;
};

OutputSlot& outputSlot() {
    static OutputSlot slot;
    return slot;
}

void writeToStandardOutput(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

} // namespace

std::string Logger::format(std::string_view message) {
    std::string text = "\n" + std::string(64, '-') + "\n\n";
    text.append(message);
    text += '\n';
    return text;
}

void Logger::log(std::string_view message, bool visibleInRelease) {
    if (!visibleInRelease) {
        return;
    }
    foundation::DispatchQueue::main().async([text = format(message)] {
        Output output;
        {
            auto& slot = outputSlot();
            std::lock_guard lock(slot.mutex);
            output = slot.output;
        }
        if (output) {
            output(text);
        } else {
            writeToStandardOutput(text);
        }
    });
}

void Logger::setOutput(Output output) {
    auto& slot = outputSlot();
    std::lock_guard lock(slot.mutex);
    slot.output = std::move(output);
}

} // namespace vyd
