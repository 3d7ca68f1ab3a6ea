#pragma once
#include <string_view>

namespace foundation {

// States that cannot occur with a correct integration stop the process with a fixed message.
[[noreturn]] void fatalError(std::string_view message);

} // namespace foundation
