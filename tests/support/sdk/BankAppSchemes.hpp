#pragma once
#include "sdk/services/StaticStorageServiceProtocol.hpp"

#include <string>
#include <vector>

namespace vydtest {

// Gives the session's remote configuration these bank app schemes.
inline void setBankAppSchemes(vyd::StaticStorageServiceProtocol& storage, std::vector<std::string> schemes) {
    auto config = storage.remoteConfig();
    config.bankAppSchemes = std::move(schemes);
    storage.setRemoteConfig(config);
}

} // namespace vydtest
