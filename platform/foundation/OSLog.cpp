#include "platform/foundation/OSLog.hpp"

#include <deque>
#include <mutex>

namespace foundation {
namespace {

struct Store {
    std::mutex mutex;
    std::deque<OSLogEntry> entries;
};

Store& store() {
    static Store* s = new Store; // leaked: logging may happen during exit
    return *s;
}

} // namespace

void osLog(const std::string& category, const std::string& message, OSLogType type) {
    auto& s = store();
    std::lock_guard<std::mutex> lock(s.mutex);
    s.entries.push_back({category, message, type});
    if (s.entries.size() > recordedLogCapacity)
        s.entries.pop_front();
}

std::vector<OSLogEntry> recordedLogs() {
    auto& s = store();
    std::lock_guard<std::mutex> lock(s.mutex);
    return {s.entries.begin(), s.entries.end()};
}

void clearRecordedLogs() {
    auto& s = store();
    std::lock_guard<std::mutex> lock(s.mutex);
    s.entries.clear();
}

} // namespace foundation
