// The SDK bundle's strings table is a file outside the program: any bytes must parse or be
// refused without crashing, and a leading byte order mark must change nothing.
#include "platform/foundation/StringsTable.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto table = foundation::parseStringsTable(text);
    constexpr std::string_view mark = "\xEF\xBB\xBF";
    if (text.starts_with(mark)) {
        return 0; // one mark is skipped, a second one would be content
    }
    const auto withMark = foundation::parseStringsTable(std::string(mark) + std::string(text));
    if (table.has_value() != withMark.has_value() || (table && *table != *withMark)) {
        std::abort();
    }
    return 0;
}
