#include "sdk/base/URLHelpers.hpp"

#include "platform/foundation/PercentEncoding.hpp"
#include "platform/foundation/URLComponents.hpp"
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

bool isSecureWebLink(const foundation::URL& url) {
    return url.scheme() == L10n::Network::Common::https() && !url.host().value_or("").empty();
}

std::map<std::string, std::string> queryParameters(const foundation::URL& url) {
    std::map<std::string, std::string> parameters;
    for (auto& item : url.queryItems()) {
        parameters.insert_or_assign(std::move(item.name), item.value.value_or(""));
    }
    return parameters;
}

namespace {

// The query item set lets "+" through, as the platform's URL components do; but servers decode a
// query as a form, where a bare "+" is a space: a phone number "+7 ..." as login hint or a
// base64 token would arrive altered. Escaping it is read back as "+" by every decoder.
std::string encodedQueryPart(std::string_view text) {
    const std::string encoded =
        foundation::addingPercentEncoding(text, foundation::URLCharacterSet::urlQueryItemAllowed);
    std::string out;
    out.reserve(encoded.size());
    for (const char c : encoded) {
        if (c == '+') {
            out += "%2B";
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

foundation::URL byAddingQueryItem(const foundation::URL& url, std::string_view name, std::string_view value) {
    // The existing items stay as they are encoded: decoding and encoding them again would turn an
    // escaped "+" into a bare one, which servers read as a space.
    foundation::URLComponents components(url);
    auto items = components.percentEncodedQueryItems().value_or(std::vector<foundation::URLQueryItem>{});
    items.push_back({encodedQueryPart(name), encodedQueryPart(value)});
    components.setPercentEncodedQueryItems(items);
    return components.url().value_or(url);
}

} // namespace vyd
