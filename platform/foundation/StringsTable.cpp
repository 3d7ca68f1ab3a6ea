#include "platform/foundation/StringsTable.hpp"

#include "platform/foundation/PercentEncoding.hpp"

#include <cstdint>
#include <cstring>

namespace foundation {
namespace {

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {
        if (text_.substr(0, 3) == "\xEF\xBB\xBF")
            pos_ = 3;
    }

    std::optional<std::map<std::string, std::string>> parse() {
        std::map<std::string, std::string> table;
        for (;;) {
            if (!skipSpaceAndComments())
                return std::nullopt;
            if (atEnd())
                return table;
            auto key = token();
            if (!key || !skipSpaceAndComments())
                return std::nullopt;
            if (peek() == ';') {
                ++pos_;
                table[*key] = *key;
                continue;
            }
            if (peek() != '=')
                return std::nullopt;
            ++pos_;
            if (!skipSpaceAndComments())
                return std::nullopt;
            auto value = token();
            if (!value || !skipSpaceAndComments() || peek() != ';')
                return std::nullopt;
            ++pos_;
            table[*key] = std::move(*value);
        }
    }

private:
    bool atEnd() const { return pos_ >= text_.size(); }
    char peek() const { return atEnd() ? '\0' : text_[pos_]; }

    // False on an unterminated block comment.
    bool skipSpaceAndComments() {
        while (!atEnd()) {
            char c = text_[pos_];
            if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v') {
                ++pos_;
            } else if (text_.compare(pos_, 2, "//") == 0) {
                auto end = text_.find('\n', pos_);
                pos_ = end == std::string_view::npos ? text_.size() : end + 1;
            } else if (text_.compare(pos_, 2, "/*") == 0) {
                auto end = text_.find("*/", pos_ + 2);
                if (end == std::string_view::npos)
                    return false;
                pos_ = end + 2;
            } else {
                break;
            }
        }
        return true;
    }

    static bool isUnquotedChar(char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               (c != '\0' && std::strchr("_$+/:.-", c) != nullptr);
    }

    std::optional<std::string> token() {
        if (peek() == '"')
            return quoted();
        std::size_t start = pos_;
        while (!atEnd() && isUnquotedChar(text_[pos_])) {
            // "//" or "/*" opens a comment, not a longer token.
            if (text_[pos_] == '/' && pos_ + 1 < text_.size() && (text_[pos_ + 1] == '/' || text_[pos_ + 1] == '*'))
                break;
            ++pos_;
        }
        if (pos_ == start)
            return std::nullopt;
        return std::string(text_.substr(start, pos_ - start));
    }

    static void appendUTF8(std::string& out, std::uint32_t cp) {
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }

    // Up to four hex digits after \U; none is an error.
    std::optional<std::uint32_t> utf16Unit() {
        std::uint32_t unit = 0;
        int digits = 0;
        while (digits < 4 && !atEnd() && hexDigitValue(text_[pos_]) >= 0) {
            unit = unit * 16 + static_cast<std::uint32_t>(hexDigitValue(text_[pos_]));
            ++pos_;
            ++digits;
        }
        if (digits == 0)
            return std::nullopt;
        return unit;
    }

    std::optional<std::string> quoted() {
        ++pos_; // opening quote
        std::string out;
        std::uint32_t pendingHigh = 0; // a high surrogate waiting for its pair; 0 when none
        auto flushPending = [&] {
            if (pendingHigh != 0) {
                appendUTF8(out, 0xFFFD);
                pendingHigh = 0;
            }
        };
        while (!atEnd()) {
            char c = text_[pos_++];
            if (c == '"') {
                flushPending();
                return out;
            }
            if (c != '\\') {
                flushPending();
                out += c;
                continue;
            }
            if (atEnd())
                return std::nullopt;
            char e = text_[pos_++];
            if (e == 'U' || e == 'u') {
                auto unit = utf16Unit();
                if (!unit)
                    return std::nullopt;
                if (*unit >= 0xD800 && *unit <= 0xDBFF) {
                    flushPending();
                    pendingHigh = *unit;
                } else if (*unit >= 0xDC00 && *unit <= 0xDFFF) {
                    if (pendingHigh != 0) {
                        appendUTF8(out, 0x10000 + ((pendingHigh - 0xD800) << 10) + (*unit - 0xDC00));
                        pendingHigh = 0;
                    } else {
                        appendUTF8(out, 0xFFFD);
                    }
                } else {
                    flushPending();
                    appendUTF8(out, *unit);
                }
                continue;
            }
            flushPending();
            switch (e) {
            case 'n':
                out += '\n';
                break;
            case 't':
                out += '\t';
                break;
            case 'r':
                out += '\r';
                break;
            case 'a':
                out += '\a';
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'v':
                out += '\v';
                break;
            default:
                if (e >= '0' && e <= '7') {
                    unsigned value = static_cast<unsigned>(e - '0');
                    for (int i = 0; i < 2 && !atEnd() && text_[pos_] >= '0' && text_[pos_] <= '7'; ++i)
                        value = value * 8 + static_cast<unsigned>(text_[pos_++] - '0');
                    appendUTF8(out, value & 0xFF);
                } else {
                    out += e; // \" \\ \' and anything else stand for themselves
                }
            }
        }
        return std::nullopt; // unterminated
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

} // namespace

std::optional<std::map<std::string, std::string>> parseStringsTable(std::string_view text) {
    return Parser(text).parse();
}

} // namespace foundation
