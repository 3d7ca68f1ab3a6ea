#pragma once
#include "sdk/base/VYDFonts.hpp"

namespace vyd {

// The host app's appearance preferences. The session store keeps one shared instance; the host
// app's preferences are merged into it.
class VYDUIPreferences {
public:
    VYDUIPreferences() = default;
    explicit VYDUIPreferences(VYDFonts fonts) : fonts(std::move(fonts)) {}
    virtual ~VYDUIPreferences() = default;

    VYDFonts fonts;

    // What `other` sets wins; what it leaves empty stays.
    void merge(const VYDUIPreferences& other) { fonts.merge(other.fonts); }
};

} // namespace vyd
