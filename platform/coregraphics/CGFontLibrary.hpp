#pragma once

// The font faces a process can use, loaded once and shared. A face is found by its PostScript
// name, as "<name>.otf" or "<name>.ttf" in the library's folder. Lookups are safe from any
// thread; each file is read at most once (failures are remembered too).
//
// The shared library reads the folder named by the environment variable VYD_FONT_DIR, else the
// Inter fonts of the system (/usr/share/fonts/opentype/inter).

#include "platform/coregraphics/CGFont.hpp"

#include <map>
#include <mutex>
#include <set>
#include <string>

namespace coregraphics {

class CGFontLibrary {
public:
    explicit CGFontLibrary(std::string directory);
    static CGFontLibrary& shared();

    const std::string& directory() const { return directory_; }

    // No face for an unknown name, a name that is not a plain file name, or a file that cannot
    // be read as a font.
    std::shared_ptr<const CGFont> font(const std::string& postScriptName);

    // The face `name`, else the face `fallbackName`. The first time a name falls back, this is
    // logged (through foundation's unified log, category "fonts"), once per name. No face when
    // neither loads.
    std::shared_ptr<const CGFont> font(const std::string& name, const std::string& fallbackName);

private:
    std::string directory_;
    std::mutex mutex_;
    std::map<std::string, std::shared_ptr<const CGFont>> faces_;
    std::set<std::string> reportedFallbacks_;
};

} // namespace coregraphics
