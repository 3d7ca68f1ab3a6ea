#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace foundation {

// The platform's URL character sets: every character outside the set is percent-encoded.
enum class URLCharacterSet {
    urlQueryAllowed,
    urlPathAllowed,
    urlHostAllowed,
    urlFragmentAllowed,
    urlUserAllowed,
    urlPasswordAllowed,
    // A query item's name or value: the query set without "&" and "=", which would split it.
    // "+" stays as it is, as on the platform.
    urlQueryItemAllowed,
    // Only the unreserved characters A-Z a-z 0-9 - . _ ~.
    alphanumericsAndUnreserved,
};

bool isAllowed(URLCharacterSet set, unsigned char c);

// Encodes every byte outside `set` as %XX (upper-case hex), UTF-8 bytes one by one.
std::string addingPercentEncoding(std::string_view text, URLCharacterSet set);

// Decodes %XX sequences. No value when a "%" is not followed by two hex digits or when the
// decoded bytes are not valid UTF-8.
std::optional<std::string> removingPercentEncoding(std::string_view text);

bool isValidUTF8(std::string_view bytes);

// 0-15 for a hex digit of either case, -1 for anything else.
int hexDigitValue(char c);

} // namespace foundation
