// Colours given as hex text come from partner apps' settings: any bytes must give a colour
// without crashing, every component within 0...1 on the 1/255 grid, and the colour must survive
// a trip through its own hex text.
#include "sdk/uikit/HexColor.hpp"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

bool onByteGrid(double component) {
    if (!(component >= 0 && component <= 1)) {
        return false;
    }
    const double scaled = component * 255;
    return std::fabs(scaled - std::round(scaled)) < 1e-9;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const vyd::UIColor color = vyd::colorFromHex(input);
    if (color.isDynamic()) {
        std::abort();
    }
    const auto cg = color.cgColor();
    if (cg.numberOfComponents() != 4) {
        std::abort();
    }
    for (const double component : cg.components()) {
        if (!onByteGrid(component)) {
            std::abort();
        }
    }

    const std::string hex = vyd::toHex(color);
    if (hex.size() != 7 || hex[0] != '#') {
        std::abort();
    }
    for (std::size_t i = 1; i < hex.size(); ++i) {
        const char c = hex[i];
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) {
            std::abort();
        }
    }
    // The text drops alpha, so the trip back gives the same colour made opaque.
    if (!(vyd::colorFromHex(hex) == color.withAlphaComponent(1))) {
        std::abort();
    }
    return 0;
}
