// Stored catalogue values come from a file outside the program: unscrambling any bytes under any
// key must neither crash nor throw, and whatever unscrambles must scramble back to the same value.
#include "sdk/catalogue/Scrambling.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    // The first line is the key, the rest the stored value.
    const auto newline = input.find('\n');
    const std::string_view key = newline == std::string_view::npos ? "ui.common.vy-id-b64" : input.substr(0, newline);
    const std::string_view stored = newline == std::string_view::npos ? input : input.substr(newline + 1);

    const std::string plain = vyd::unscramble(stored, key);
    if (!plain.empty() && vyd::scramble(plain, key) != stored) {
        std::abort(); // two stored forms for one text: the decoding is not strict
    }
    // And the other way round for the input as plain text.
    if (vyd::unscramble(vyd::scramble(input, key), key) != input) {
        std::abort();
    }
    return 0;
}
