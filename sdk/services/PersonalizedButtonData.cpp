#include "sdk/services/PersonalizedButtonData.hpp"

#include <nlohmann/json.hpp>

namespace vyd {

std::optional<PersonalizedButtonData> PersonalizedButtonData::decode(const foundation::Data& data) {
    const auto document = nlohmann::json::parse(data.begin(), data.end(), nullptr, false);
    if (document.is_discarded() || !document.is_object()) {
        return std::nullopt;
    }
    const auto name = document.find("maskedName");
    if (name == document.end() || !name->is_string()) {
        return std::nullopt;
    }
    return PersonalizedButtonData{name->get<std::string>()};
}

std::optional<foundation::Data> PersonalizedButtonData::jsonData() const {
    try {
        return foundation::dataFromString(nlohmann::json{{"maskedName", maskedName}}.dump());
    } catch (const nlohmann::json::exception&) {
        return std::nullopt;
    }
}

} // namespace vyd
