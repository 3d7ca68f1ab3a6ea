#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace foundation {

// Parses a strings table in the platform's text format:
//
//     /* comment */ "key" = "value";   // comment
//     "key only";                       (the value is the key)
//     unquoted_key = unquoted.value;    (letters, digits and _ $ + / : . -)
//
// with the escapes \" \\ \n \t \r \a \b \f \v, \' , octal \ooo and \Uxxxx (UTF-16 units,
// surrogate pairs joined; an unpaired surrogate becomes U+FFFD); any other escaped character
// stands for itself. A UTF-8 byte order mark is skipped. A later duplicate key replaces an
// earlier one.
//
// As on the platform, a table with any syntax error (unterminated string or comment, missing
// "=" or ";", stray characters) is refused as a whole: the result is empty (nullopt), and its
// callers treat the table as missing. Never throws.
std::optional<std::map<std::string, std::string>> parseStringsTable(std::string_view text);

} // namespace foundation
