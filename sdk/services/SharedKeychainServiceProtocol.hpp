#pragma once
#include "sdk/services/AppTokenDataModel.hpp"

#include <optional>
#include <string>

namespace vyd {

// The records that the SDK and the VY Bank apps share through the keychain.
class SharedKeychainServiceProtocol {
public:
    virtual ~SharedKeychainServiceProtocol() = default;

    // The masked name of the record "personalizedButtonData", as stored (possibly empty);
    // nothing when the record is missing or does not decode.
    virtual std::optional<std::string> getPersonalizedButtonMaskedName() const = 0;

    // The record "appTokenData"; nothing when it is missing or does not decode.
    virtual std::optional<AppTokenDataModel> appTokenData() const = 0;
    virtual bool saveAppTokenData(const AppTokenDataModel& model) = 0;
    virtual bool deleteAppTokenData() = 0;
};

} // namespace vyd
