#include "sdk/screens/loginbutton/VersionOrder.hpp"

#include <algorithm>

namespace vyd {
namespace {

struct Component {
    std::string_view digits; // without leading zeros
    std::string_view suffix;
};

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Takes the next component off the front of `version`; an exhausted version gives 0.
Component nextComponent(std::string_view& version) {
    const auto dot = version.find('.');
    std::string_view part = version.substr(0, dot);
    version = dot == std::string_view::npos ? std::string_view() : version.substr(dot + 1);

    const auto digitsEnd = std::find_if_not(part.begin(), part.end(), isDigit) - part.begin();
    std::string_view digits = part.substr(0, static_cast<std::size_t>(digitsEnd));
    while (!digits.empty() && digits.front() == '0') {
        digits.remove_prefix(1);
    }
    return {digits, part.substr(static_cast<std::size_t>(digitsEnd))};
}

std::strong_ordering compareComponents(const Component& a, const Component& b) {
    // Without leading zeros, a longer run of digits is the larger number.
    if (auto byLength = a.digits.size() <=> b.digits.size(); byLength != 0) {
        return byLength;
    }
    if (auto byDigits = a.digits <=> b.digits; byDigits != 0) {
        return byDigits;
    }
    if (a.suffix.empty() != b.suffix.empty()) {
        return a.suffix.empty() ? std::strong_ordering::greater : std::strong_ordering::less;
    }
    return a.suffix <=> b.suffix;
}

} // namespace

std::strong_ordering compareVersions(std::string_view a, std::string_view b) {
    while (!a.empty() || !b.empty()) {
        const auto componentA = nextComponent(a);
        const auto componentB = nextComponent(b);
        if (auto order = compareComponents(componentA, componentB); order != 0) {
            return order;
        }
    }
    return std::strong_ordering::equal;
}

} // namespace vyd
