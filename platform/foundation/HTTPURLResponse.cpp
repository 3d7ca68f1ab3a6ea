#include "platform/foundation/HTTPURLResponse.hpp"

#include "platform/foundation/HeaderFieldText.hpp"

#include <unordered_map>

namespace foundation {

HTTPURLResponse::HTTPURLResponse(URL url, int statusCode, std::vector<std::pair<std::string, std::string>> headerFields)
    : url_(std::move(url)), statusCode_(statusCode) {
    // Found by lower-cased name, so that merging stays linear however many fields arrive.
    std::unordered_map<std::string, std::size_t> positions;
    for (auto& field : headerFields) {
        auto [position, isNew] = positions.try_emplace(lowercasedField(field.first), headers_.size());
        if (isNew) {
            headers_.push_back(std::move(field));
        } else {
            headers_[position->second].second.append(", ").append(field.second);
        }
    }
}

std::optional<std::string> HTTPURLResponse::value(const std::string& headerField) const {
    for (const auto& [name, value] : headers_) {
        if (sameFieldName(name, headerField)) {
            return value;
        }
    }
    return std::nullopt;
}

std::optional<std::string> HTTPURLResponse::mimeType() const {
    auto type = value("Content-Type");
    if (!type) {
        return std::nullopt;
    }
    auto media = trimmedField(std::string_view(*type).substr(0, type->find(';')));
    if (media.empty()) {
        return std::nullopt;
    }
    return lowercasedField(media);
}

} // namespace foundation
