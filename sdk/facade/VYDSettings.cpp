#include "sdk/facade/VYDSettings.hpp"

#include "sdk/base/DIContainer.hpp"
#include "sdk/base/URLHelpers.hpp"
#include "sdk/catalogue/L10n.hpp"
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

std::optional<VYDError> VYDSettings::applyTestStandAuthorizationPage(VYDStandType stand,
                                                                     const std::optional<std::string>& url) {
    if (stand == VYDStandType::prom) {
        return VYDError{VYDErrorType::invalidRequest, L10n::Ui::Errors::productionStandIsFixed()};
    }
    if (url) {
        const auto page = foundation::URL::string(*url);
        if (!page || !isWebLink(*page) || !page->host()) {
            return VYDError{VYDErrorType::linkIsNotValid, L10n::Ui::Errors::linkIsNotValid()};
        }
    }
    DIContainer::staticStorageService()->setAuthorizationPageURL(stand, url);
    return std::nullopt;
}

void VYDSettings::applyUIPreferences(const VYDUIPreferences& preferences) {
    DIContainer::staticStorageService()->uiPreferences()->merge(preferences);
}

} // namespace vyd
