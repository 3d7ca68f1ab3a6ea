// A hostile server chooses every header line of a response and where its redirects lead: what
// is kept must stay within the limits, and a redirect must never take a secure request to plain
// HTTP nor the caller's credentials to another origin.
#include "platform/foundation/ResponseLimits.hpp"
#include "platform/foundation/URLSessionTransport.hpp"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string originOf(const foundation::URL& url) {
    const auto scheme = lower(url.scheme().value_or(""));
    return scheme + "://" + lower(url.host().value_or("")) + ":" +
           std::to_string(url.port().value_or(scheme == "https" ? 443 : 80));
}

bool carriesCredentials(const foundation::HopRequest& request) {
    return std::any_of(request.headers.begin(), request.headers.end(), [](const auto& field) {
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
    const foundation::ResponseLimits limits{4096, 16, 1024};
    foundation::BoundedResponse received(limits);
    // The first byte picks the status and the scheme; the rest is header lines, then a body.
    const int statuses[] = {200, 301, 302, 303, 307, 308, 101, 404};
    const int status = statuses[data[0] & 7];
    const bool secure = (data[0] & 8) != 0;
    std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    const auto bodyStart = rest.find("\r\n\r\n");
    std::string_view headers = rest.substr(0, bodyStart);
    while (!headers.empty()) {
        const auto end = headers.find('\n');
        const auto line = headers.substr(0, end == std::string_view::npos ? end : end + 1);
        headers.remove_prefix(line.size());
        if (!received.receiveHeaderLine(line)) {
            break;
        }
    }
    if (bodyStart != std::string_view::npos) {
        const auto body = rest.substr(bodyStart + 4);
        for (std::size_t offset = 0; offset < body.size(); offset += 512) {
            const auto piece = body.substr(offset, 512);
            received.receiveBody(piece.data(), piece.size());
        }
    }
    const auto& fields = received.headerFields();
    if (fields.size() > limits.maximumHeaderCount || (received.failure() && !fields.empty())) {
        std::abort();
    }
    const auto body = received.takeBody();
    if (body.size() > limits.maximumBodySize || (received.failure() && !body.empty())) {
        std::abort();
    }

    foundation::HopRequest request{*foundation::URL::string(secure ? "https://id.vybank.example/authorize"
                                                                   : "http://id.vybank.example/authorize"),
                                   "POST",
                                   foundation::dataFromString("code=1"),
                                   {{"Authorization", "Bearer VY"}, {"Cookie", "session=1"}, {"Content-Type", "text/plain"}}};
    const foundation::HTTPURLResponse response(request.url, status, fields);
    const auto redirection = foundation::redirectionFor(request, response);
    if (redirection.next && redirection.refusal) {
        std::abort();
    }
    if (const auto& next = redirection.next) {
        if (secure && lower(next->url.scheme().value_or("")) == "http") {
            std::abort(); // a secure request went to plain HTTP
        }
        if (carriesCredentials(*next) && originOf(next->url) != originOf(request.url)) {
            std::abort(); // the credentials went to another origin
        }
    }
    return 0;
}
