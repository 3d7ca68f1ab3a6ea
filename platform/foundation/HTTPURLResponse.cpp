#include "platform/foundation/HTTPURLResponse.hpp"

#include "platform/foundation/HeaderFieldText.hpp"

#include <charconv>
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

std::optional<std::string> HTTPURLResponse::textEncodingName() const {
    auto type = value("Content-Type");
    if (!type) {
        return std::nullopt;
    }
    std::string_view rest(*type);
    for (auto semicolon = rest.find(';'); semicolon != std::string_view::npos; semicolon = rest.find(';')) {
        rest.remove_prefix(semicolon + 1);
        auto parameter = trimmedField(rest.substr(0, rest.find(';')));
        auto equals = parameter.find('=');
        if (equals != std::string_view::npos && sameFieldName(trimmedField(parameter.substr(0, equals)), "charset")) {
            auto charset = trimmedField(parameter.substr(equals + 1));
            if (charset.size() >= 2 && charset.front() == '"' && charset.back() == '"') {
                charset = charset.substr(1, charset.size() - 2);
            }
            return lowercasedField(charset);
        }
    }
    return std::nullopt;
}

std::int64_t HTTPURLResponse::expectedContentLength() const {
    auto length = value("Content-Length");
    if (!length) {
        return -1;
    }
    auto text = trimmedField(*length);
    std::int64_t result = -1;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), result);
    if (error != std::errc() || end != text.data() + text.size() || result < 0) {
        return -1;
    }
    return result;
}

} // namespace foundation
