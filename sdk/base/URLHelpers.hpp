#pragma once
#include "platform/foundation/URL.hpp"

#include <map>
#include <string>
#include <string_view>

namespace vyd {

// True unless the scheme is exactly the catalogue's "http" or "https" (case-sensitive: "HTTP"
// is a deep link). A URL without a scheme counts as a deep link.
bool isDeeplink(const foundation::URL& url);
// The opposite of isDeeplink: an http or https address.
bool isWebLink(const foundation::URL& url);
// An https address with a host: the only kind of link that may carry a secret such as the app
// token.
bool isSecureWebLink(const foundation::URL& url);

// The query items by name, percent-decoded; a later item of the same name wins and an item
// without "=" maps to the empty string.
std::map<std::string, std::string> queryParameters(const foundation::URL& url);

// The URL with one more query item at the end of its query (before any fragment), name and
// value percent-encoded ("+" included). Existing items stay as they are.
foundation::URL byAddingQueryItem(const foundation::URL& url, std::string_view name, std::string_view value);

} // namespace vyd
