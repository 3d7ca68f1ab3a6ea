#pragma once
#include "platform/foundation/Data.hpp"

#include <optional>
#include <string>

namespace vyd {

// The record the VY Bank app leaves in the shared keychain for the personalised login button:
// a JSON object {"maskedName": string}.
struct PersonalizedButtonData {
    std::string maskedName;

    // Nothing unless the data is a JSON object whose "maskedName" is a string; other members
    // are ignored.
    static std::optional<PersonalizedButtonData> decode(const foundation::Data& data);
    // The record as JSON; nothing when it cannot be encoded (a name that is not UTF-8).
    std::optional<foundation::Data> jsonData() const;

    friend bool operator==(const PersonalizedButtonData&, const PersonalizedButtonData&) = default;
};

} // namespace vyd
