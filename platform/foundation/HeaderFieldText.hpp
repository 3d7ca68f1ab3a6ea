#pragma once

// Private to the foundation library: the text rules of HTTP header fields, shared by requests,
// responses and the transports. Names compare without regard to ASCII case; values lose the
// white space around them.

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

namespace foundation {

inline bool sameFieldName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

inline std::string_view trimmedField(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) {
        text.remove_prefix(1);
    }
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) {
        text.remove_suffix(1);
    }
    return text;
}

inline std::string lowercasedField(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return result;
}

} // namespace foundation
