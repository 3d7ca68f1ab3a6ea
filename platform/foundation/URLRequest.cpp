#include "platform/foundation/URLRequest.hpp"

#include <algorithm>
#include <cctype>

namespace foundation {
namespace {

bool sameField(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace

URLRequest::URLRequest(URL requestURL, URLRequestCachePolicy policy, double timeout)
    : url(std::move(requestURL)), cachePolicy(policy), timeoutInterval(timeout) {}

std::optional<std::string> URLRequest::value(const std::string& headerField) const {
    for (const auto& [name, value] : headers_)
        if (sameField(name, headerField))
            return value;
    return std::nullopt;
}

void URLRequest::setValue(const std::optional<std::string>& newValue, const std::string& headerField) {
    auto it = std::find_if(headers_.begin(), headers_.end(),
                           [&](const auto& header) { return sameField(header.first, headerField); });
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
                           [&](const auto& header) { return sameField(header.first, headerField); });
    if (it != headers_.end())
        it->second += "," + newValue;
    else
        headers_.emplace_back(headerField, newValue);
}

} // namespace foundation
