#pragma once
#include "platform/foundation/Data.hpp"
#include "platform/foundation/Date.hpp"

#include <optional>
#include <string>

namespace vyd {

// The partner's app token with the moment it was received, kept in the shared keychain as
// {"token": string, "dateOfReceipt": seconds since 1970}.
struct AppTokenDataModel {
    std::string token;
    foundation::Date dateOfReceipt;

    // Nothing unless both members are present with their types.
    static std::optional<AppTokenDataModel> decode(const foundation::Data& data);
    // Nothing when the token cannot be encoded (not UTF-8).
    std::optional<foundation::Data> jsonData() const;

    friend bool operator==(const AppTokenDataModel&, const AppTokenDataModel&) = default;
};

} // namespace vyd
