#include "sdk/facade/VYDSettings.hpp"

#include "sdk/base/DIContainer.hpp"
#include "sdk/services/StaticStorageServiceProtocol.hpp"

namespace vyd {

void VYDSettings::applyMainPreferences(const std::optional<std::string>& clientID,
                                       const std::optional<std::string>& userID,
                                       const std::optional<std::string>& partnerName,
                                       const std::optional<std::string>& partnerProfileUrl,
                                       std::optional<VYDStandType> stand) {
    const auto storage = DIContainer::staticStorageService();
    if (clientID) {
        storage->setClientId(clientID);
    }
    if (userID) {
        storage->setUserId(userID);
    }
    if (partnerName) {
        storage->setPartnerName(*partnerName);
    }
    if (partnerProfileUrl) {
        storage->setPartnerProfileUrl(partnerProfileUrl);
    }
    if (stand) {
        storage->setStand(*stand);
    }
}

void VYDSettings::applyUIPreferences(const VYDUIPreferences& preferences) {
    DIContainer::staticStorageService()->uiPreferences()->merge(preferences);
}

} // namespace vyd
