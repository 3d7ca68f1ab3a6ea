// Version strings arrive in the remote configuration: any two must compare without crashing, and
// the order must be a real order (antisymmetric, reflexive) or the hide rules contradict
// themselves.
#include "sdk/screens/loginbutton/VersionOrder.hpp"

#include <compare>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\n');
    const std::string_view a = input.substr(0, split);
    const std::string_view b = split == std::string_view::npos ? std::string_view{} : input.substr(split + 1);

    const auto ab = vyd::compareVersions(a, b);
    const auto ba = vyd::compareVersions(b, a);
    if ((ab < 0) != (ba > 0) || (ab == 0) != (ba == 0)) {
        std::abort();
    }
    if (vyd::compareVersions(a, a) != 0) {
        std::abort();
    }
    return 0;
}
