#include "sdk/services/AppTokenDataModel.hpp"

#include <cmath>
#include <nlohmann/json.hpp>

namespace vyd {

std::optional<AppTokenDataModel> AppTokenDataModel::decode(const foundation::Data& data) {
    const auto document = nlohmann::json::parse(data.begin(), data.end(), nullptr, false);
    if (document.is_discarded() || !document.is_object()) {
        return std::nullopt;
    }
    const auto token = document.find("token");
    const auto date = document.find("dateOfReceipt");
    if (token == document.end() || !token->is_string() || date == document.end() || !date->is_number()) {
        return std::nullopt;
    }
    const double seconds = date->get<double>();
    if (!std::isfinite(seconds)) {
        return std::nullopt;
    }
    return AppTokenDataModel{token->get<std::string>(), foundation::Date(seconds)};
}

std::optional<foundation::Data> AppTokenDataModel::jsonData() const {
    try {
        const nlohmann::json document{{"token", token}, {"dateOfReceipt", dateOfReceipt.timeIntervalSince1970()}};
        return foundation::dataFromString(document.dump());
    } catch (const nlohmann::json::exception&) {
        return std::nullopt;
    }
}

} // namespace vyd
