#include "sdk/base/AuthType.hpp"

namespace vyd {
namespace {

constexpr RawValueTable<AuthType, 5> names{{{
    {AuthType::app2app, "app2app"},
    {AuthType::oidc2app, "oidc2app"},
    {AuthType::app2web, "app2web"},
    {AuthType::app2otp, "app2otp"},
    {AuthType::vyID, "vyID"},
}}};

} // namespace

std::string_view rawValue(AuthType type) { return names.rawValue(type); }

template <>
std::optional<AuthType> fromRawValue<AuthType>(std::string_view raw) {
    return names.fromRawValue(raw);
}

} // namespace vyd
