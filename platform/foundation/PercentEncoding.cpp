#include "platform/foundation/PercentEncoding.hpp"

#include <cstdint>
#include <cstring>

namespace foundation {
namespace {

bool isUnreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~';
}

bool isSubDelim(unsigned char c) { return c != 0 && std::strchr("!$&'()*+,;=", c) != nullptr; }

} // namespace

int hexDigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool isAllowed(URLCharacterSet set, unsigned char c) {
    switch (set) {
    case URLCharacterSet::alphanumericsAndUnreserved:
        return isUnreserved(c);
    case URLCharacterSet::urlQueryAllowed:
    case URLCharacterSet::urlFragmentAllowed:
        return isUnreserved(c) || isSubDelim(c) || c == ':' || c == '@' || c == '/' || c == '?';
    case URLCharacterSet::urlQueryItemAllowed:
        return (isUnreserved(c) || isSubDelim(c) || c == ':' || c == '@' || c == '/' || c == '?') && c != '&' &&
               c != '=';
    case URLCharacterSet::urlPathAllowed:
        return isUnreserved(c) || isSubDelim(c) || c == ':' || c == '@' || c == '/';
    case URLCharacterSet::urlHostAllowed:
        return isUnreserved(c) || isSubDelim(c) || c == ':' || c == '[' || c == ']';
    case URLCharacterSet::urlUserAllowed:
        return isUnreserved(c) || isSubDelim(c);
    case URLCharacterSet::urlPasswordAllowed:
        return isUnreserved(c) || isSubDelim(c);
    }
    return false;
}

std::string addingPercentEncoding(std::string_view text, URLCharacterSet set) {
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (char ch : text) {
        auto c = static_cast<unsigned char>(ch);
        if (isAllowed(set, c)) {
            out += ch;
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 0xF];
        }
    }
    return out;
}

std::optional<std::string> removingPercentEncoding(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        if (i + 2 >= text.size())
            return std::nullopt;
        int high = hexDigitValue(text[i + 1]);
        int low = hexDigitValue(text[i + 2]);
        if (high < 0 || low < 0)
            return std::nullopt;
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    if (!isValidUTF8(out))
        return std::nullopt;
    return out;
}

bool isValidUTF8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        auto c = static_cast<unsigned char>(bytes[i]);
        std::size_t extra;
        std::uint32_t cp;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            extra = 1;
            cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2;
            cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + extra >= bytes.size())
            return false;
        for (std::size_t k = 1; k <= extra; ++k) {
            auto cc = static_cast<unsigned char>(bytes[i + k]);
            if ((cc & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
        static constexpr std::uint32_t minimum[] = {0, 0x80, 0x800, 0x10000};
        if (cp < minimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

} // namespace foundation
