#pragma once

#include "platform/foundation/HTTPLimits.hpp"

#include <string>
#include <utility>
#include <vector>

namespace foundation {

struct URLSessionConfiguration {
    // How long a task may wait for the next bytes (connecting included). A request's own
    // timeoutInterval applies too; the shorter of the two wins.
    double timeoutIntervalForRequest = 60;
    // How long a whole task may take, waiting for a delegate's answer included.
    double timeoutIntervalForResource = 7 * 24 * 60 * 60;
    // Sent with every request unless the request sets the same field.
    std::vector<std::pair<std::string, std::string>> httpAdditionalHeaders;
    // What one response may bring; past it the task fails.
    HTTPLimits httpLimits = HTTPLimits::standard();

    static URLSessionConfiguration defaultConfiguration() { return {}; }
};

} // namespace foundation
