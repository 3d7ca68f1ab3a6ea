#pragma once
#include "sdk/base/RawValue.hpp"

#include <string_view>

namespace vyd {

// The backend stand the SDK talks to; production ("prom") unless the host app chooses another.
enum class VYDStandType : std::int64_t { prom = 0, ift = 1, psi = 2, iftCloud = 3, psiCloud = 4 };

std::int64_t rawValue(VYDStandType stand);
// "prom", "ift", "psi", "ift-cloud", "psi-cloud".
std::string_view standName(VYDStandType stand);
template <>
std::optional<VYDStandType> fromRawValue<VYDStandType>(std::int64_t raw);

} // namespace vyd
