#pragma once
#include "sdk/base/VYDStandType.hpp"
#include "sdk/base/VYDUIPreferences.hpp"

#include <optional>
#include <string>

namespace vyd {

// The host app's configuration of the SDK.
class VYDSettings {
public:
    // Stores each given value in the session store; an absent argument keeps what is stored.
    void applyMainPreferences(const std::optional<std::string>& clientID, const std::optional<std::string>& userID,
                              const std::optional<std::string>& partnerName,
                              const std::optional<std::string>& partnerProfileUrl,
                              std::optional<VYDStandType> stand);
    // Merges the preferences into the session's: what they set wins, what they leave empty stays.
    void applyUIPreferences(const VYDUIPreferences& preferences);
};

} // namespace vyd
