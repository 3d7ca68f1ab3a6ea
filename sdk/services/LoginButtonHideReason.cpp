#include "sdk/services/LoginButtonHideReason.hpp"

namespace vyd {
namespace {

constexpr RawValueTable<LoginButtonHideReason, 2> names{{{
    {LoginButtonHideReason::blacklist, "blocked"},
    {LoginButtonHideReason::versions, "version"},
}}};

} // namespace

std::string_view rawValue(LoginButtonHideReason reason) { return names.rawValue(reason); }

template <>
std::optional<LoginButtonHideReason> fromRawValue<LoginButtonHideReason>(std::string_view raw) {
    return names.fromRawValue(raw);
}

} // namespace vyd
