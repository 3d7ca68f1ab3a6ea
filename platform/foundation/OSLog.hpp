#pragma once

// A stand-in for unified logging: messages are kept in memory for diagnostics and tests, never
// written to standard output (which belongs to the SDK's own logger).

#include <cstddef>
#include <string>
#include <vector>

namespace foundation {

enum class OSLogType { Default, Info, Debug, Error, Fault };

struct OSLogEntry {
    std::string category;
    std::string message;
    OSLogType type = OSLogType::Default;
};

// Safe from any thread. Only the most recent `recordedLogCapacity` entries are kept.
void osLog(const std::string& category, const std::string& message, OSLogType type = OSLogType::Default);

inline constexpr std::size_t recordedLogCapacity = 1000;

std::vector<OSLogEntry> recordedLogs();
void clearRecordedLogs();

} // namespace foundation
