#include "sdk/base/VYDStandType.hpp"

namespace vyd {
namespace {

constexpr RawValueTable<VYDStandType, 5> names{{{
    {VYDStandType::prom, "prom"},
    {VYDStandType::ift, "ift"},
    {VYDStandType::psi, "psi"},
    {VYDStandType::iftCloud, "ift-cloud"},
    {VYDStandType::psiCloud, "psi-cloud"},
}}};

} // namespace

std::int64_t rawValue(VYDStandType stand) { return static_cast<std::int64_t>(stand); }

std::string_view standName(VYDStandType stand) { return names.rawValue(stand); }

template <>
std::optional<VYDStandType> fromRawValue<VYDStandType>(std::int64_t raw) {
    // A raw value from outside may be any integer; only the five stands are stands.
    if (raw < rawValue(VYDStandType::prom) || raw > rawValue(VYDStandType::psiCloud)) {
        return std::nullopt;
    }
    return static_cast<VYDStandType>(raw);
}

} // namespace vyd
