#include "platform/foundation/Date.hpp"

#include <chrono>

namespace foundation {

Date Date::now() {
    using namespace std::chrono;
    return Date(duration<double>(system_clock::now().time_since_epoch()).count());
}

} // namespace foundation
