#pragma once
#include <compare>
#include <string_view>

namespace vyd {

// Orders SDK version strings as numbers, component by component ("1.9.0" < "1.10.0"), the way
// the remote configuration's version restrictions mean them.
//
// Components are separated by "."; a missing component counts as 0, so "1.2" equals "1.2.0".
// Each component is read as its leading decimal digits (none: 0; any length, leading zeros
// ignored) followed by a suffix: with equal numbers, a component without a suffix is the greater
// ("2.0.0-beta" < "2.0.0": a pre-release comes before its release), and two suffixes compare as
// plain strings. Text that is not a version at all ("abc") thus counts as 0 with a suffix.
std::strong_ordering compareVersions(std::string_view a, std::string_view b);

} // namespace vyd
