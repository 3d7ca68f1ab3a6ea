#include "sdk/base/TimeMeasurement.hpp"

#include "sdk/base/Logger.hpp"
#include "sdk/catalogue/L10n.hpp"

#include <cstdio>

namespace vyd {

std::string TimeMeasurement::elapsedMessage(std::string_view title, double seconds) {
    char value[64];
    std::snprintf(value, sizeof value, "%.6f", seconds);
    return L10n::Logs::forOperationTimePassedValues(title, value);
}

void TimeMeasurement::logElapsed(std::string_view title, double seconds) {
    Logger::log(elapsedMessage(title, seconds));
}

} // namespace vyd
