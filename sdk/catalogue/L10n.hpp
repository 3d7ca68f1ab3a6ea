#pragma once
#include <span>
#include <string>
#include <string_view>

// Every text, key and log message of the SDK. Each entry is looked up in the table "Localizable"
// of the SDK bundle under its key, with a compiled-in fallback. Plain entries are looked up once
// per process, formatted ones on every call. Values of keys ending in "-b64" are stored scrambled
// and unscrambled on lookup; one that does not unscramble gives the empty string. No lookup
// fails or throws.
namespace vyd {

struct CatalogueEntry {
    std::string_view key;
    // For "-b64" keys this is the scrambled form of the SDK's own text.
    std::string_view fallback;
    // Number of "%@" arguments the entry takes; 0 for plain entries.
    int arguments = 0;
};

namespace L10n {

// Every entry of the catalogue, in no meaningful order.
std::span<const CatalogueEntry> allEntries();

// The catalogue's value for an entry (the table's, else the fallback), unscrambled when the key
// ends in "-b64", without any formatting. Reads the table on every call.
std::string lookup(const CatalogueEntry& entry);

// A plain entry's value, looked up once per process on first use. Texts of other parts of the SDK
// that the catalogue does not list use it too, with entries of their own.
template <const CatalogueEntry& Entry>
const std::string& once() {
    static const std::string value = lookup(Entry);
    return value;
}

// Replaces each "%@" of `format` with the next argument, "%n$@" with the n-th argument (from 1)
// and "%%" with "%". A placeholder without an argument becomes empty; anything else stays as is.
std::string format(std::string_view format, std::span<const std::string_view> arguments);

#define VYD_TEXT(NS, accessor, key, fallback)                                                                          \
    namespace NS {                                                                                                     \
    const std::string& accessor();                                                                                     \
    }
#define VYD_TEXT1(NS, accessor, key, fallback, a)                                                                      \
    namespace NS {                                                                                                     \
    std::string accessor(std::string_view a);                                                                          \
    }
#define VYD_TEXT2(NS, accessor, key, fallback, a, b)                                                                   \
    namespace NS {                                                                                                     \
    std::string accessor(std::string_view a, std::string_view b);                                                      \
    }
#include "sdk/catalogue/L10n.def"
#undef VYD_TEXT
#undef VYD_TEXT1
#undef VYD_TEXT2

} // namespace L10n
} // namespace vyd
