#pragma once
#include "platform/foundation/Data.hpp"

#include <optional>
#include <string>

namespace vyd {

// Items of one keychain service and access group, by key (the item's account).
class KeychainWrapperProtocol {
public:
    virtual ~KeychainWrapperProtocol() = default;

    // Nothing when the item is missing or cannot be read.
    virtual std::optional<foundation::Data> data(const std::string& key) const = 0;
    // Adds or replaces the item; false when it could not be written.
    virtual bool set(const foundation::Data& data, const std::string& key) = 0;
    // True when the item is gone afterwards (also when there was none).
    virtual bool remove(const std::string& key) = 0;
};

} // namespace vyd
