#include "sdk/core/URLHelpers.hpp"

#include "platform/foundation/PercentEncoding.hpp"
#include "sdk/catalogue/L10n.hpp"

namespace vyd {

bool isDeeplink(const foundation::URL& url) {
    const auto& scheme = url.scheme();
    if (!scheme) {
        return true;
    }
    return *scheme != L10n::Network::Common::http() && *scheme != L10n::Network::Common::https();
}

bool isWebLink(const foundation::URL& url) { return !isDeeplink(url); }

std::map<std::string, std::string> queryParameters(const foundation::URL& url) {
    std::map<std::string, std::string> parameters;
    for (auto& item : url.queryItems()) {
        parameters.insert_or_assign(std::move(item.name), item.value.value_or(""));
    }
    return parameters;
}

foundation::URL byAddingQueryItem(const foundation::URL& url, std::string_view name, std::string_view value) {
    const std::string& text = url.absoluteString();
    const auto fragmentStart = url.fragment() ? text.find('#') : std::string::npos;
    std::string result = text.substr(0, fragmentStart);
    if (!url.query()) {
        result += '?';
    } else if (!url.query()->empty() && result.back() != '&') {
        result += '&';
    }
    result += foundation::addingPercentEncoding(name, foundation::URLCharacterSet::urlQueryItemAllowed);
    result += '=';
    result += foundation::addingPercentEncoding(value, foundation::URLCharacterSet::urlQueryItemAllowed);
    if (fragmentStart != std::string::npos) {
        result += text.substr(fragmentStart);
    }
    // Encoded items keep a valid URL valid; should parsing still fail, nothing is lost.
    return foundation::URL::string(result).value_or(url);
}

} // namespace vyd
