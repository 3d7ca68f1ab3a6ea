#include "sdk/services/AnalyticsEventParamKey.hpp"

#include "sdk/base/RawValue.hpp"
#include "sdk/catalogue/L10n.hpp"

namespace vyd {
namespace {

constexpr RawValueTable<AnalyticsEventParamKey, 17> names{{{
    {AnalyticsEventParamKey::clientId, "clientId"},
    {AnalyticsEventParamKey::sdkVersion, "sdkVersion"},
    {AnalyticsEventParamKey::logUid, "logUid"},
    {AnalyticsEventParamKey::eventType, "eventType"},
    {AnalyticsEventParamKey::screenType, "screenType"},
    {AnalyticsEventParamKey::finalEvent, "finalEvent"},
    {AnalyticsEventParamKey::buttonStyle, "buttonStyle"},
    {AnalyticsEventParamKey::buttonHeight, "buttonHeight"},
    {AnalyticsEventParamKey::buttonWidth, "buttonWidth"},
    {AnalyticsEventParamKey::desiredWidth, "desiredWidth"},
    {AnalyticsEventParamKey::measuredWidth, "measuredWidth"},
    {AnalyticsEventParamKey::reason, "reason"},
    {AnalyticsEventParamKey::authType, "authType"},
    {AnalyticsEventParamKey::personalView, "personalView"},
    {AnalyticsEventParamKey::authApp, "authApp"},
    {AnalyticsEventParamKey::isSuccess, "isSuccess"},
    {AnalyticsEventParamKey::error, "error"},
}}};

} // namespace

std::string rawValue(AnalyticsEventParamKey key) {
    if (key == AnalyticsEventParamKey::kwType) {
        return L10n::Analytics::kwTypeB64();
    }
    return std::string(names.rawValue(key));
}

} // namespace vyd
