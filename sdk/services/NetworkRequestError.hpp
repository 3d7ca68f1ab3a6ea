#pragma once
#include "platform/foundation/Error.hpp"

#include <optional>
#include <string>

namespace vyd {

// What the backend said about a failed request.
struct ErrorModel {
    int httpCode = 0;
    std::optional<std::string> code;
    std::optional<std::string> description;

    friend bool operator==(const ErrorModel&, const ErrorModel&) = default;
};

// Why a request failed.
class NetworkRequestError {
public:
    enum class Kind { backendError, decodingFailed, invalidRequest, internetConnectionError, unknown };

    static NetworkRequestError backendError(ErrorModel model) {
        return NetworkRequestError(Kind::backendError, std::move(model));
    }
    static NetworkRequestError decodingFailed() { return NetworkRequestError(Kind::decodingFailed); }
    static NetworkRequestError invalidRequest() { return NetworkRequestError(Kind::invalidRequest); }
    static NetworkRequestError internetConnectionError() { return NetworkRequestError(Kind::internetConnectionError); }
    static NetworkRequestError unknown() { return NetworkRequestError(Kind::unknown); }

    // A transport failure: no connection (not connected, host not found or not reachable, the
    // connection lost or timed out) is `internetConnectionError`, a link the transport cannot
    // use is `invalidRequest`, anything else (a refused certificate, a cancelled task) is
    // `unknown`.
    static NetworkRequestError fromTransportError(const foundation::Error& error);
    // An HTTP status of 400 or more: `backendError` with the status and the body's "code" and
    // "description" when the body is a JSON object holding them as strings.
    static NetworkRequestError fromHTTPResponse(int statusCode, const std::string& body);

    Kind kind() const { return kind_; }
    // Present for `backendError` only.
    const std::optional<ErrorModel>& model() const { return model_; }
    // For logs: the kind's name, with the backend's status and code.
    std::string description() const;

    friend bool operator==(const NetworkRequestError&, const NetworkRequestError&) = default;

private:
    explicit NetworkRequestError(Kind kind, std::optional<ErrorModel> model = std::nullopt)
        : kind_(kind), model_(std::move(model)) {}

    Kind kind_;
    std::optional<ErrorModel> model_;
};

} // namespace vyd
