#include "sdk/uikit/HexColor.hpp"

#include <unicode/ubrk.h>
#include <unicode/uchar.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <memory>

namespace vyd {

namespace {

// The text of a hex colour after the clean-up that decides its form: the characters that are
// not letters, marks or numbers trimmed from both ends, the rest upper-cased; counted in
// user-perceived characters, as the platform's strings count.
struct CleanedHex {
    std::u16string text;
    std::size_t characterCount = 0;
};

bool isAsciiAlphanumeric(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool isAscii(std::string_view text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

// Hex colours are nearly always plain ASCII, where every character is its own user-perceived
// character except a CR LF pair, and letters and digits are the only alphanumerics.
CleanedHex cleanAscii(std::string_view hex) {
    std::size_t first = 0;
    std::size_t last = hex.size();
    while (first < last && !isAsciiAlphanumeric(hex[first])) {
        ++first;
    }
    while (last > first && !isAsciiAlphanumeric(hex[last - 1])) {
        --last;
    }
    CleanedHex cleaned;
    cleaned.text.reserve(last - first);
    for (std::size_t i = first; i < last; ++i) {
        const char c = hex[i];
        cleaned.text.push_back(static_cast<char16_t>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c));
        if (!(c == '\n' && i > first && hex[i - 1] == '\r')) {
            ++cleaned.characterCount;
        }
    }
    return cleaned;
}

bool isUnicodeAlphanumeric(UChar32 c) { return (U_GET_GC_MASK(c) & (U_GC_L_MASK | U_GC_M_MASK | U_GC_N_MASK)) != 0; }

// Any other text goes through ICU. Bytes that are not UTF-8 become U+FFFD, a symbol: trimmed at
// the ends, a character like any other inside.
CleanedHex cleanUnicode(std::string_view hex) {
    // ICU takes 32-bit lengths; text past that is no colour, and must not be cut to a length
    // that reads as "up to the first NUL".
    if (hex.size() > static_cast<std::size_t>(std::numeric_limits<int32_t>::max())) {
        return {};
    }
    UErrorCode status = U_ZERO_ERROR;
    int32_t length = 0;
    const auto inputLength = static_cast<int32_t>(hex.size());
    u_strFromUTF8WithSub(nullptr, 0, &length, hex.data(), inputLength, 0xFFFD, nullptr, &status);
    std::u16string decoded(static_cast<std::size_t>(length), u'\0');
    status = U_ZERO_ERROR;
    u_strFromUTF8WithSub(decoded.data(), length, &length, hex.data(), inputLength, 0xFFFD, nullptr, &status);
    if (U_FAILURE(status)) {
        return {};
    }

    int32_t first = 0;
    int32_t last = length;
    while (first < last) {
        int32_t next = first;
        UChar32 c = 0;
        U16_NEXT(decoded.data(), next, last, c);
        if (isUnicodeAlphanumeric(c)) {
            break;
        }
        first = next;
    }
    while (last > first) {
        int32_t previous = last;
        UChar32 c = 0;
        U16_PREV(decoded.data(), first, previous, c);
        if (isUnicodeAlphanumeric(c)) {
            break;
        }
        last = previous;
    }
    if (first == last) {
        return {};
    }

    // Full case mapping in the root locale: one character may become several ("ß" is "SS").
    const UChar* trimmed = decoded.data() + first;
    const int32_t trimmedLength = last - first;
    status = U_ZERO_ERROR;
    const int32_t upperLength = u_strToUpper(nullptr, 0, trimmed, trimmedLength, "", &status);
    CleanedHex cleaned;
    cleaned.text.assign(static_cast<std::size_t>(upperLength), u'\0');
    status = U_ZERO_ERROR;
    u_strToUpper(cleaned.text.data(), upperLength, trimmed, trimmedLength, "", &status);
    if (U_FAILURE(status)) {
        return {};
    }

    status = U_ZERO_ERROR;
    std::unique_ptr<UBreakIterator, decltype(&ubrk_close)> characters(
        ubrk_open(UBRK_CHARACTER, "", cleaned.text.data(), upperLength, &status), &ubrk_close);
    if (U_FAILURE(status)) {
        // Without grapheme rules the count falls back to code units: wrong only for clustered
        // text, which is no hex colour anyway.
        cleaned.characterCount = cleaned.text.size();
        return cleaned;
    }
    ubrk_first(characters.get());
    while (ubrk_next(characters.get()) != UBRK_DONE) {
        ++cleaned.characterCount;
    }
    return cleaned;
}

int hexDigitValue(char16_t c) {
    if (c >= u'0' && c <= u'9') {
        return c - u'0';
    }
    if (c >= u'A' && c <= u'F') {
        return c - u'A' + 10;
    }
    if (c >= u'a' && c <= u'f') {
        return c - u'a' + 10;
    }
    return -1;
}

// The platform scanner's hexadecimal reading: an optional "0x" or "0X", then the run of
// hexadecimal digits; the greatest value on overflow; 0 when no digit comes. (The scanner also
// skips leading blanks, which trimmed text never has.)
std::uint64_t scanHexInt64(std::u16string_view text) {
    std::size_t position = 0;
    if (text.size() >= 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X')) {
        position = 2;
    }
    std::uint64_t value = 0;
    bool overflow = false;
    for (; position < text.size(); ++position) {
        const int digit = hexDigitValue(text[position]);
        if (digit < 0) {
            break;
        }
        if (value > (std::numeric_limits<std::uint64_t>::max() >> 4)) {
            overflow = true;
        }
        value = (value << 4) | static_cast<std::uint64_t>(digit);
    }
    return overflow ? std::numeric_limits<std::uint64_t>::max() : value;
}

// 0...255 from a component, truncated toward zero. Extended components (below 0, above 1,
// infinite) are held to the range so that the text keeps its two digits per component; a
// component that is not a number counts as 0.
unsigned byteOf(CGFloat component) {
    const CGFloat scaled = component * 255;
    if (!(scaled > 0)) {
        return 0;
    }
    if (scaled >= 255) {
        return 255;
    }
    return static_cast<unsigned>(scaled);
}

} // namespace

UIColor colorPair(const UIColor& light, const UIColor& dark) {
    return UIColor([light, dark](const uikit::UITraitCollection& traits) {
        return traits.userInterfaceStyle() == uikit::UIUserInterfaceStyle::dark ? dark : light;
    });
}

UIColor rgb(CGFloat red, CGFloat green, CGFloat blue, CGFloat alpha) {
    return UIColor(red / 255, green / 255, blue / 255, alpha);
}

UIColor colorFromHex(std::string_view hex) {
    const CleanedHex cleaned = isAscii(hex) ? cleanAscii(hex) : cleanUnicode(hex);
    const std::uint64_t value = scanHexInt64(cleaned.text);

    std::uint64_t alpha = 255;
    std::uint64_t red = 0;
    std::uint64_t green = 0;
    std::uint64_t blue = 0;
    // The form follows the number of characters, not of the digits read, so "#FG0" is a
    // three-digit colour whose value is the one digit F.
    switch (cleaned.characterCount) {
    case 3:
        red = ((value >> 8) & 0xF) * 17;
        green = ((value >> 4) & 0xF) * 17;
        blue = (value & 0xF) * 17;
        break;
    case 6:
        red = (value >> 16) & 0xFF;
        green = (value >> 8) & 0xFF;
        blue = value & 0xFF;
        break;
    case 8:
        alpha = (value >> 24) & 0xFF;
        red = (value >> 16) & 0xFF;
        green = (value >> 8) & 0xFF;
        blue = value & 0xFF;
        break;
    default:
        break;
    }
    return UIColor(static_cast<CGFloat>(red) / 255, static_cast<CGFloat>(green) / 255, static_cast<CGFloat>(blue) / 255,
                   static_cast<CGFloat>(alpha) / 255);
}

std::string toHex(const UIColor& color) {
    CGFloat red = 0;
    CGFloat green = 0;
    CGFloat blue = 0;
    CGFloat alpha = 0;
    color.getRed(red, green, blue, alpha);
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", byteOf(red), byteOf(green), byteOf(blue));
    return text;
}

bool isLight(const UIColor& color) {
    const coregraphics::CGColor resolved = color.cgColor();
    const auto& components = resolved.components();
    if (components.size() < 3) {
        return false;
    }
    return (299 * components[0] + 587 * components[1] + 114 * components[2]) / 1000 >= 0.5;
}

UIColor adjust(const UIColor& color, CGFloat by) {
    CGFloat hue = 0;
    CGFloat saturation = 0;
    CGFloat brightness = 0;
    CGFloat alpha = 0;
    color.getHue(hue, saturation, brightness, alpha);
    // Brightness lives in 0...1: a factor that would push it past white (or below black, or to
    // no number at all) stops at the end of the range instead of making an out-of-gamut colour.
    CGFloat adjusted = brightness * by;
    if (!(adjusted > 0)) {
        adjusted = 0;
    } else if (adjusted > 1) {
        adjusted = 1;
    }
    return UIColor::fromHSB(hue, saturation, adjusted, alpha);
}

std::vector<UIColor> makeGradient(const UIColor& color) {
    return {color, adjust(color, isLight(color) ? 0.94 : 1.35), color};
}

} // namespace vyd
