#include "sdk/services/KWPresenceChecker.hpp"

#include "platform/foundation/URL.hpp"

#include <algorithm>

namespace vyd {

const std::vector<KnownKW>& KWPresenceChecker::knownKWs() {
    static const std::vector<KnownKW> apps{
        {"VY Bank", "vybank://"},
        {"VY Bank Business", "vybankbusiness://"},
    };
    return apps;
}

const std::string& KWPresenceChecker::dynamicEntryName() {
    static const std::string name = "Other VY Bank apps";
    return name;
}

KWPresenceChecker::KWPresenceChecker(std::shared_ptr<AppMethodsWrapperProtocol> appMethodsWrapper,
                                     std::shared_ptr<StaticStorageServiceProtocol> staticStorageService,
                                     IconsProvider icons)
    : appMethodsWrapper_(std::move(appMethodsWrapper)), staticStorageService_(std::move(staticStorageService)),
      icons_(std::move(icons)) {}

bool KWPresenceChecker::canOpen(const std::string& deeplink) const {
    const auto url = foundation::URL::string(bankAppAddress(deeplink));
    return url && appMethodsWrapper_ && appMethodsWrapper_->canOpenURL(*url);
}

std::vector<std::string> KWPresenceChecker::dynamicSchemes() const {
    return staticStorageService_->remoteConfig().bankAppSchemes.value_or(std::vector<std::string>{});
}

std::vector<std::shared_ptr<uikit::UIImage>> KWPresenceChecker::icons() const {
    return icons_ ? icons_() : std::vector<std::shared_ptr<uikit::UIImage>>{};
}

std::optional<std::vector<KWAppInfo>> KWPresenceChecker::existingKWs() const {
    std::vector<KWAppInfo> apps;
    for (const auto& known : knownKWs()) {
        if (canOpen(known.deeplink)) {
            apps.emplace_back(icons(), known.name, KWAppInfo::Stable{known.deeplink});
        }
    }
    if (auto schemes = dynamicSchemes(); !schemes.empty()) {
        apps.emplace_back(icons(), dynamicEntryName(), KWAppInfo::Unstable{std::move(schemes)});
    }
    if (apps.empty()) {
        return std::nullopt;
    }
    return apps;
}

bool KWPresenceChecker::isAnyKWInstalled() const {
    const auto& known = knownKWs();
    const auto schemes = dynamicSchemes();
    return std::any_of(known.begin(), known.end(), [this](const KnownKW& app) { return canOpen(app.deeplink); }) ||
           std::any_of(schemes.begin(), schemes.end(), [this](const std::string& scheme) { return canOpen(scheme); });
}

} // namespace vyd
