#pragma once
#include <optional>
#include <string>
#include <vector>

namespace vyd {

// Which SDK versions the backend still supports.
struct VersionRestrictions {
    // The newest SDK version.
    std::optional<std::string> current;
    // Versions up to and including this one get a warning.
    std::optional<std::string> warning;
    // Exact versions that may not show the login button.
    std::optional<std::vector<std::string>> criticalList;

    friend bool operator==(const VersionRestrictions&, const VersionRestrictions&) = default;
};

} // namespace vyd
