#include "sdk/services/NetworkRequestError.hpp"

#include "platform/foundation/URLError.hpp"

#include <nlohmann/json.hpp>

namespace vyd {

NetworkRequestError NetworkRequestError::fromTransportError(const foundation::Error& error) {
    if (error.domain != foundation::NSURLErrorDomain) {
        return unknown();
    }
    switch (error.code) {
    case foundation::NSURLErrorNotConnectedToInternet:
    case foundation::NSURLErrorCannotConnectToHost:
    case foundation::NSURLErrorCannotFindHost:
    case foundation::NSURLErrorNetworkConnectionLost:
    case foundation::NSURLErrorTimedOut:
        return internetConnectionError();
    case foundation::NSURLErrorBadURL:
    case foundation::NSURLErrorUnsupportedURL:
        return invalidRequest();
    default:
        return unknown();
    }
}

NetworkRequestError NetworkRequestError::fromHTTPResponse(int statusCode, const std::string& body) {
    ErrorModel model{statusCode, std::nullopt, std::nullopt};
    const auto document = nlohmann::json::parse(body, nullptr, false);
    if (!document.is_discarded() && document.is_object()) {
        const auto read = [&document](const char* key) -> std::optional<std::string> {
            const auto it = document.find(key);
            return it != document.end() && it->is_string() ? std::optional(it->get<std::string>()) : std::nullopt;
        };
        model.code = read("code");
        model.description = read("description");
    }
    return backendError(std::move(model));
}

std::string NetworkRequestError::description() const {
    switch (kind_) {
    case Kind::backendError:
        return "backendError(" + std::to_string(model_ ? model_->httpCode : 0) +
               (model_ && model_->code ? ", " + *model_->code : std::string()) + ")";
    case Kind::decodingFailed:
        return "decodingFailed";
    case Kind::invalidRequest:
        return "invalidRequest";
    case Kind::internetConnectionError:
        return "internetConnectionError";
    case Kind::unknown:
        return "unknown";
    }
    return "unknown";
}

} // namespace vyd
