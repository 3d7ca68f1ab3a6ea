#include "platform/foundation/HTTPURLResponse.hpp"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace foundation {

namespace {

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) {
        text.remove_prefix(1);
    }
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) {
        text.remove_suffix(1);
    }
    return text;
}

std::string lowercased(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return result;
}

} // namespace

HTTPURLResponse::HTTPURLResponse(URL url, int statusCode,
                                 std::vector<std::pair<std::string, std::string>> headerFields)
    : url_(std::move(url)), statusCode_(statusCode) {
    for (auto& field : headerFields) {
        auto existing = std::find_if(headers_.begin(), headers_.end(), [&](const auto& known) {
            return sameName(known.first, field.first);
        });
        if (existing != headers_.end()) {
            existing->second += ", " + field.second;
        } else {
            headers_.push_back(std::move(field));
        }
    }
}

std::optional<std::string> HTTPURLResponse::value(const std::string& headerField) const {
    for (const auto& [name, value] : headers_) {
        if (sameName(name, headerField)) {
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
    auto media = trimmed(std::string_view(*type).substr(0, type->find(';')));
    if (media.empty()) {
        return std::nullopt;
    }
    return lowercased(media);
}

std::optional<std::string> HTTPURLResponse::textEncodingName() const {
    auto type = value("Content-Type");
    if (!type) {
        return std::nullopt;
    }
    std::string_view rest(*type);
    for (auto semicolon = rest.find(';'); semicolon != std::string_view::npos;
         semicolon = rest.find(';')) {
        rest.remove_prefix(semicolon + 1);
        auto parameter = trimmed(rest.substr(0, rest.find(';')));
        auto equals = parameter.find('=');
        if (equals != std::string_view::npos && sameName(trimmed(parameter.substr(0, equals)), "charset")) {
            auto charset = trimmed(parameter.substr(equals + 1));
            if (charset.size() >= 2 && charset.front() == '"' && charset.back() == '"') {
                charset = charset.substr(1, charset.size() - 2);
            }
            return lowercased(charset);
        }
    }
    return std::nullopt;
}

std::int64_t HTTPURLResponse::expectedContentLength() const {
    auto length = value("Content-Length");
    if (!length) {
        return -1;
    }
    auto text = trimmed(*length);
    std::int64_t result = -1;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), result);
    if (error != std::errc() || end != text.data() + text.size() || result < 0) {
        return -1;
    }
    return result;
}

} // namespace foundation
