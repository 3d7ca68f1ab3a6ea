// Links reach the SDK from other apps and web pages: any string must parse or give no URL, and
// the deep-link check and query helpers must hold on every URL that parses.
#include "sdk/base/URLHelpers.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto url = foundation::URL::string(text);
    if (!url) {
        return 0;
    }
    const bool deeplink = vyd::isDeeplink(*url);
    const auto& scheme = url->scheme();
    const bool web = scheme && (*scheme == "http" || *scheme == "https");
    if (deeplink == web || vyd::isWebLink(*url) != web) {
        std::abort();
    }
    (void)vyd::queryParameters(*url);
    // Adding an item keeps the link a link of the same kind and the item readable.
    const auto extended = vyd::byAddingQueryItem(*url, "logUid", "a&b=c d");
    if (vyd::isDeeplink(extended) != deeplink) {
        std::abort();
    }
    if (!(extended == *url)) {
        const auto parameters = vyd::queryParameters(extended);
        const auto found = parameters.find("logUid");
        if (found == parameters.end() || found->second != "a&b=c d") {
            std::abort();
        }
    }
    return 0;
}
