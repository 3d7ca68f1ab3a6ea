#pragma once
#include "sdk/base/VYDError.hpp"
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
                              const std::optional<std::string>& partnerProfileUrl, std::optional<VYDStandType> stand);
    // Points a test stand's authorization page elsewhere (a local server, a stand of the
    // partner's own); none restores the stand's own. Refused, with nothing changed, for the
    // production stand and for an address that is not an http(s) URL with a host.
    std::optional<VYDError> applyTestStandAuthorizationPage(VYDStandType stand, const std::optional<std::string>& url);
    // Merges the preferences into the session's: what they set wins, what they leave empty stays.
    void applyUIPreferences(const VYDUIPreferences& preferences);
};

} // namespace vyd
