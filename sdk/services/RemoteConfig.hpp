#pragma once
#include "platform/foundation/Data.hpp"
#include "sdk/services/FeatureToggles.hpp"
#include "sdk/services/VersionRestrictions.hpp"

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vyd {

// The daily remote configuration. Its JSON document is an object with these members, each
// optional; a member that is missing, or whose value (or any element of it) is not of the type
// shown, takes its default, and the rest of the document still counts:
//
//   "hostsWhiteList":          [string]              hosts the SDK's secure web scenes may show
//   "vyIDWebViewEnabledMap":   {clientId: bool}      per-client web-view switch
//   "featureToggles":          {"isWebViewEnabled": bool}
//   "usersBlacklist":          [string]              client identifiers whose login button hides
//   "versionRestrictions":     {"current": string, "warning": string, "criticalList": [string]}
//   "isApp2AppDialogEnabled":  bool                  the choice sheet for every client
//   "app2AppDialogClients":    [string]              clients that get the choice sheet anyway
//   "bankAppSchemes":          [string]              URL schemes of the dynamic bank-app entry,
//                                                    in the order they are tried
//
// Inside "featureToggles" and "versionRestrictions" each member is judged on its own in the
// same way. A document that is not a JSON object gives the default configuration, and so does
// one larger than `maximumDocumentSize` bytes or nested deeper than `maximumNestingDepth`
// arrays and objects (the document itself is the first level).
class RemoteConfig {
public:
    static constexpr std::size_t maximumDocumentSize = 1024 * 1024;
    static constexpr std::size_t maximumNestingDepth = 64;

    // The configuration in force until one has been loaded: no allowed hosts, no per-client
    // switches, the web view on, no blacklist, no version restrictions, no choice sheet, no
    // dynamic bank apps.
    static RemoteConfig defaultConfig() { return RemoteConfig(); }
    // Never fails.
    static RemoteConfig decode(std::string_view json);
    static RemoteConfig decode(const foundation::Data& json);

    // Absent: no host passes a secure web scene's host test.
    std::optional<std::vector<std::string>> hostsWhiteList;
    std::map<std::string, bool> vyIDWebViewEnabledMap;
    FeatureToggles featureToggles;
    std::optional<std::vector<std::string>> usersBlacklist;
    std::optional<VersionRestrictions> versionRestrictions;
    bool app2AppDialogEnabled = false;
    std::vector<std::string> app2AppDialogClients;
    std::optional<std::vector<std::string>> bankAppSchemes;

    // True when the global dialog switch is on; otherwise true exactly when `clientId` is in the
    // per-client list (exact, case-sensitive). With the switch off it forms the feature-disabled
    // log line for "App2AppDialog" (not printed in release).
    bool isApp2AppDialogEnabled(std::string_view clientId) const;

    friend bool operator==(const RemoteConfig&, const RemoteConfig&) = default;
};

} // namespace vyd
