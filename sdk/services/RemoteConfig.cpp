#include "sdk/services/RemoteConfig.hpp"

#include "sdk/base/Logger.hpp"
#include "sdk/catalogue/L10n.hpp"

#include <algorithm>
#include <nlohmann/json.hpp>

namespace vyd {
namespace {

using nlohmann::json;

// Each reader gives the member's value when it is present and of its type, else nothing, so
// that the caller keeps its default.

const json* member(const json& object, std::string_view key) {
    auto it = object.find(key);
    return it == object.end() ? nullptr : &*it;
}

std::optional<bool> readBool(const json& object, std::string_view key) {
    const json* value = member(object, key);
    if (value == nullptr || !value->is_boolean()) {
        return std::nullopt;
    }
    return value->get<bool>();
}

std::optional<std::string> readString(const json& object, std::string_view key) {
    const json* value = member(object, key);
    if (value == nullptr || !value->is_string()) {
        return std::nullopt;
    }
    return value->get<std::string>();
}

std::optional<std::vector<std::string>> readStrings(const json& object, std::string_view key) {
    const json* value = member(object, key);
    if (value == nullptr || !value->is_array()) {
        return std::nullopt;
    }
    std::vector<std::string> strings;
    strings.reserve(value->size());
    for (const auto& element : *value) {
        if (!element.is_string()) {
            return std::nullopt;
        }
        strings.push_back(element.get<std::string>());
    }
    return strings;
}

std::optional<std::map<std::string, bool>> readBoolMap(const json& object, std::string_view key) {
    const json* value = member(object, key);
    if (value == nullptr || !value->is_object()) {
        return std::nullopt;
    }
    std::map<std::string, bool> map;
    for (const auto& [name, element] : value->items()) {
        if (!element.is_boolean()) {
            return std::nullopt;
        }
        map.emplace(name, element.get<bool>());
    }
    return map;
}

FeatureToggles readFeatureToggles(const json& object) {
    FeatureToggles toggles;
    const json* value = member(object, "featureToggles");
    if (value == nullptr || !value->is_object()) {
        return toggles;
    }
    if (auto webView = readBool(*value, "isWebViewEnabled")) {
        toggles = FeatureToggles(*webView);
    }
    return toggles;
}

std::optional<VersionRestrictions> readVersionRestrictions(const json& object) {
    const json* value = member(object, "versionRestrictions");
    if (value == nullptr || !value->is_object()) {
        return std::nullopt;
    }
    VersionRestrictions restrictions;
    restrictions.current = readString(*value, "current");
    restrictions.warning = readString(*value, "warning");
    restrictions.criticalList = readStrings(*value, "criticalList");
    return restrictions;
}

// Counted before parsing, so that a hostile document costs one pass over its bytes and no
// memory. Brackets inside strings do not count.
bool nestsDeeperThan(std::string_view text, std::size_t limit) {
    std::size_t depth = 0;
    bool inString = false;
    bool escaped = false;
    for (const char c : text) {
        if (escaped) {
            escaped = false;
        } else if (inString) {
            escaped = c == '\\';
            inString = c != '"';
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > limit) {
                return true;
            }
        } else if ((c == ']' || c == '}') && depth > 0) {
            --depth;
        }
    }
    return false;
}

} // namespace

RemoteConfig RemoteConfig::decode(std::string_view text) {
    RemoteConfig config;
    if (text.size() > maximumDocumentSize || nestsDeeperThan(text, maximumNestingDepth)) {
        return config;
    }
    // No exceptions: a document that does not parse is discarded.
    const json document = json::parse(text, nullptr, false);
    if (document.is_discarded() || !document.is_object()) {
        return config;
    }
    config.hostsWhiteList = readStrings(document, "hostsWhiteList");
    if (auto map = readBoolMap(document, "vyIDWebViewEnabledMap")) {
        config.vyIDWebViewEnabledMap = std::move(*map);
    }
    config.featureToggles = readFeatureToggles(document);
    config.usersBlacklist = readStrings(document, "usersBlacklist");
    config.versionRestrictions = readVersionRestrictions(document);
    config.app2AppDialogEnabled = readBool(document, "isApp2AppDialogEnabled").value_or(false);
    if (auto clients = readStrings(document, "app2AppDialogClients")) {
        config.app2AppDialogClients = std::move(*clients);
    }
    config.bankAppSchemes = readStrings(document, "bankAppSchemes");
    return config;
}

RemoteConfig RemoteConfig::decode(const foundation::Data& data) {
    return decode(std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
}

bool RemoteConfig::isApp2AppDialogEnabled(std::string_view clientId) const {
    if (app2AppDialogEnabled) {
        return true;
    }
    Logger::log(L10n::Logs::featureDisabledValue("App2AppDialog"));
    return std::find(app2AppDialogClients.begin(), app2AppDialogClients.end(), clientId) != app2AppDialogClients.end();
}

} // namespace vyd
