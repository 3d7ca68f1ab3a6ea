#include "platform/foundation/URLRequest.hpp"

#include "platform/foundation/HeaderFieldText.hpp"

#include <algorithm>

namespace foundation {

URLRequest::URLRequest(URL requestURL, URLRequestCachePolicy policy, double timeout)
    : url(std::move(requestURL)), cachePolicy(policy), timeoutInterval(timeout) {}

std::optional<std::string> URLRequest::value(const std::string& headerField) const {
    for (const auto& [name, value] : headers_)
        if (sameFieldName(name, headerField))
            return value;
    return std::nullopt;
}

void URLRequest::setValue(const std::optional<std::string>& newValue, const std::string& headerField) {
    auto it = std::find_if(headers_.begin(), headers_.end(),
                           [&](const auto& header) { return sameFieldName(header.first, headerField); });
    if (!newValue) {
        if (it != headers_.end())
            headers_.erase(it);
    } else if (it != headers_.end()) {
        it->second = *newValue;
    } else {
        headers_.emplace_back(headerField, *newValue);
    }
}

void URLRequest::addValue(const std::string& newValue, const std::string& headerField) {
    auto it = std::find_if(headers_.begin(), headers_.end(),
                           [&](const auto& header) { return sameFieldName(header.first, headerField); });
    if (it != headers_.end())
        it->second += "," + newValue;
    else
        headers_.emplace_back(headerField, newValue);
}

} // namespace foundation
