#pragma once
#include "sdk/base/AppMethodsWrapperProtocol.hpp"
#include "sdk/base/KWPresenceCheckerProtocol.hpp"
#include "sdk/services/StaticStorageServiceProtocol.hpp"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vyd {

// One entry of the SDK's own catalogue of VY Bank apps.
struct KnownKW {
    std::string name;
    std::string deeplink;
};

class KWPresenceChecker : public KWPresenceCheckerProtocol {
public:
    // The icons shown for an app entry.
    using IconsProvider = std::function<std::vector<std::shared_ptr<uikit::UIImage>>()>;

    // "VY Bank" ("vybank://") and "VY Bank Business" ("vybankbusiness://"), in that order.
    static const std::vector<KnownKW>& knownKWs();
    // The name of the dynamic entry: "Other VY Bank apps".
    static const std::string& dynamicEntryName();

    KWPresenceChecker(std::shared_ptr<AppMethodsWrapperProtocol> appMethodsWrapper,
                      std::shared_ptr<StaticStorageServiceProtocol> staticStorageService, IconsProvider icons = {});

    std::optional<std::vector<KWAppInfo>> existingKWs() const override;
    bool isAnyKWInstalled() const override;

private:
    bool canOpen(const std::string& deeplink) const;
    std::vector<std::string> dynamicSchemes() const;
    std::vector<std::shared_ptr<uikit::UIImage>> icons() const;

    std::shared_ptr<AppMethodsWrapperProtocol> appMethodsWrapper_;
    std::shared_ptr<StaticStorageServiceProtocol> staticStorageService_;
    IconsProvider icons_;
};

} // namespace vyd
