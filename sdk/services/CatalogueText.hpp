#pragma once
#include "sdk/catalogue/L10n.hpp"

#include <string>

namespace vyd {

// Texts of the services that the catalogue does not list: looked up like its plain entries, in
// the table "Localizable" with a compiled-in fallback, once per process.
template <const CatalogueEntry& Entry>
const std::string& catalogueText() {
    static const std::string value = L10n::lookup(Entry);
    return value;
}

} // namespace vyd
