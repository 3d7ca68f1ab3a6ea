#include "sdk/services/SharedKeychainService.hpp"

#include "sdk/services/KeychainWrapper.hpp"
#include "sdk/services/PersonalizedButtonData.hpp"

namespace vyd {

SharedKeychainService::SharedKeychainService(std::shared_ptr<KeychainWrapperProtocol> keychainWrapper)
    : keychainWrapper_(std::move(keychainWrapper)) {}

std::shared_ptr<SharedKeychainService> SharedKeychainService::make() {
    return std::make_shared<SharedKeychainService>(KeychainWrapper::shared());
}

std::optional<std::string> SharedKeychainService::getPersonalizedButtonMaskedName() const {
    const auto data = keychainWrapper_->data(std::string(personalizedButtonDataKey));
    if (!data) {
        return std::nullopt;
    }
    auto record = PersonalizedButtonData::decode(*data);
    if (!record) {
        return std::nullopt;
    }
    return std::move(record->maskedName);
}

std::optional<AppTokenDataModel> SharedKeychainService::appTokenData() const {
    const auto data = keychainWrapper_->data(std::string(appTokenDataKey));
    return data ? AppTokenDataModel::decode(*data) : std::nullopt;
}

bool SharedKeychainService::saveAppTokenData(const AppTokenDataModel& model) {
    const auto data = model.jsonData();
    return data && keychainWrapper_->set(*data, std::string(appTokenDataKey));
}

bool SharedKeychainService::deleteAppTokenData() { return keychainWrapper_->remove(std::string(appTokenDataKey)); }

} // namespace vyd
