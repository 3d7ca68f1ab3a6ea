#pragma once
#include "sdk/services/KeychainWrapperProtocol.hpp"
#include "sdk/services/SharedKeychainServiceProtocol.hpp"

#include <memory>
#include <string_view>

namespace vyd {

inline constexpr std::string_view personalizedButtonDataKey = "personalizedButtonData";
inline constexpr std::string_view appTokenDataKey = "appTokenData";

class SharedKeychainService : public SharedKeychainServiceProtocol {
public:
    explicit SharedKeychainService(std::shared_ptr<KeychainWrapperProtocol> keychainWrapper);
    // Over a new wrapper of the shared service and access group.
    static std::shared_ptr<SharedKeychainService> make();

    std::optional<std::string> getPersonalizedButtonMaskedName() const override;
    std::optional<AppTokenDataModel> appTokenData() const override;
    bool saveAppTokenData(const AppTokenDataModel& model) override;
    bool deleteAppTokenData() override;

private:
    std::shared_ptr<KeychainWrapperProtocol> keychainWrapper_;
};

} // namespace vyd
