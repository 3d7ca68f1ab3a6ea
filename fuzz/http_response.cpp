// A hostile server chooses every header line of a response and where its redirects lead: the
// fields kept must stay within the limits, the response must answer every question about them,
// and a redirect must never take the caller's credentials to another origin.
#include "platform/foundation/HTTPTransport.hpp"
#include "platform/foundation/HTTPURLResponse.hpp"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string originOf(const foundation::URL& url) {
    const auto scheme = lower(url.scheme().value_or(""));
    return scheme + "://" + lower(url.host().value_or("")) + ":" +
           std::to_string(url.port().value_or(scheme == "https" ? 443 : 80));
}

bool carriesCredentials(const foundation::transport::HeaderFields& headers) {
    return std::any_of(headers.begin(), headers.end(), [](const auto& field) {
        const auto name = lower(field.first);
        return name == "authorization" || name == "cookie";
    });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    // Small limits, so that the fuzzer reaches them.
    foundation::HTTPLimits limits;
    limits.maximumHeaderFields = 16;
    limits.maximumHeaderBytes = 1024;
    // The first byte picks the status and the scheme; the rest is header lines.
    const long statuses[] = {200, 301, 302, 303, 307, 308, 101, 404};
    const long status = statuses[data[0] & 7];
    const bool secure = (data[0] & 8) != 0;
    foundation::transport::HeaderFields fields;
    std::size_t headerBytes = 0;
    for (std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1); !rest.empty();) {
        const auto end = rest.find('\n');
        const auto line = rest.substr(0, end == std::string_view::npos ? end : end + 1);
        rest.remove_prefix(line.size());
        if (auto failure = foundation::transport::receiveHeaderLine(line, limits, fields, headerBytes)) {
            if (!fields.empty()) {
                std::abort(); // a refused header must keep nothing
            }
            break;
        }
        if (fields.size() > limits.maximumHeaderFields || headerBytes > limits.maximumHeaderBytes) {
            std::abort();
        }
    }

    const auto from =
        *foundation::URL::string(secure ? "https://id.vybank.example/authorize" : "http://id.vybank.example/authorize");
    const foundation::HTTPURLResponse response(from, static_cast<int>(status), fields);
    (void)response.mimeType();
    (void)response.textEncodingName();
    (void)response.expectedContentLength();
    const auto location = response.value("Location");
    if (!foundation::transport::isRedirectStatus(status) || !location) {
        return 0;
    }
    const foundation::transport::HeaderFields sent = {
        {"Authorization", "Bearer VY"}, {"Cookie", "session=1"}, {"Content-Type", "text/plain"}};
    const auto next =
        foundation::transport::redirectHop(status, *location, from, "POST", foundation::dataFromString("code=1"), sent);
    if (next && carriesCredentials(next->headers) && originOf(next->url) != originOf(from)) {
        std::abort(); // the credentials went to another origin
    }
    return 0;
}
