#include "sdk/catalogue/L10n.hpp"

#include "sdk/catalogue/Scrambling.hpp"
#include "sdk/catalogue/SdkBundle.hpp"

#include <array>
#include <charconv>

namespace vyd::L10n {
namespace {

template <class... Arguments>
std::string formatted(const CatalogueEntry& entry, Arguments... arguments) {
    const std::array<std::string_view, sizeof...(Arguments)> list{arguments...};
    return format(lookup(entry), list);
}

} // namespace

std::string lookup(const CatalogueEntry& entry) {
    std::string value = localizedSdkString(entry.key, entry.fallback);
    return isScrambledKey(entry.key) ? unscramble(value, entry.key) : value;
}

std::string format(std::string_view format, std::span<const std::string_view> arguments) {
    std::string out;
    out.reserve(format.size() + 16 * arguments.size());
    std::size_t next = 0; // the argument the next plain "%@" takes
    auto argument = [&](std::size_t index) {
        if (index < arguments.size()) {
            out.append(arguments[index]);
        }
    };
    std::size_t i = 0;
    while (i < format.size()) {
        const char c = format[i];
        if (c != '%' || i + 1 == format.size()) {
            out += c;
            ++i;
            continue;
        }
        const char after = format[i + 1];
        if (after == '@') {
            argument(next++);
            i += 2;
        } else if (after == '%') {
            out += '%';
            i += 2;
        } else {
            // "%n$@": positional argument
            std::size_t position = 0;
            const char* begin = format.data() + i + 1;
            const char* end = format.data() + format.size();
            auto [stop, error] = std::from_chars(begin, end, position);
            if (error == std::errc() && position > 0 && end - stop >= 2 && stop[0] == '$' && stop[1] == '@') {
                argument(position - 1);
                i = static_cast<std::size_t>(stop + 2 - format.data());
            } else {
                out += c;
                ++i;
            }
        }
    }
    return out;
}

#define VYD_TEXT(NS, accessor, key, fallback)                                                                          \
    namespace NS {                                                                                                     \
    namespace {                                                                                                        \
    constexpr CatalogueEntry accessor##Entry{key, fallback};                                                           \
    }                                                                                                                  \
    const std::string& accessor() { return once<accessor##Entry>(); }                                                  \
    }
#define VYD_TEXT1(NS, accessor, key, fallback, a)                                                                      \
    namespace NS {                                                                                                     \
    namespace {                                                                                                        \
    constexpr CatalogueEntry accessor##Entry{key, fallback, 1};                                                        \
    }                                                                                                                  \
    std::string accessor(std::string_view a) { return formatted(accessor##Entry, a); }                                 \
    }
#define VYD_TEXT2(NS, accessor, key, fallback, a, b)                                                                   \
    namespace NS {                                                                                                     \
    namespace {                                                                                                        \
    constexpr CatalogueEntry accessor##Entry{key, fallback, 2};                                                        \
    }                                                                                                                  \
    std::string accessor(std::string_view a, std::string_view b) { return formatted(accessor##Entry, a, b); }          \
    }
#include "sdk/catalogue/L10n.def"
#undef VYD_TEXT
#undef VYD_TEXT1
#undef VYD_TEXT2

#define VYD_TEXT(NS, accessor, key, fallback) NS::accessor##Entry,
#define VYD_TEXT1(NS, accessor, key, fallback, a) NS::accessor##Entry,
#define VYD_TEXT2(NS, accessor, key, fallback, a, b) NS::accessor##Entry,
namespace {
constexpr std::array kAllEntries{
#include "sdk/catalogue/L10n.def"
};
} // namespace
#undef VYD_TEXT
#undef VYD_TEXT1
#undef VYD_TEXT2

std::span<const CatalogueEntry> allEntries() { return kAllEntries; }

} // namespace vyd::L10n
