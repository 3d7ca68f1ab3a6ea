#pragma once
#include "sdk/base/KWAppInfo.hpp"

#include <optional>
#include <vector>

namespace vyd {

// Which VY Bank apps the device has. Main thread.
class KWPresenceCheckerProtocol {
public:
    virtual ~KWPresenceCheckerProtocol() = default;

    // The stable apps that can be opened, in catalogue order, then the dynamic entry when the
    // remote configuration lists schemes; nothing (not an empty list) when there is none.
    virtual std::optional<std::vector<KWAppInfo>> existingKWs() const = 0;
    // Whether any VY Bank app can be opened: a stable one, or one of the dynamic schemes.
    virtual bool isAnyKWInstalled() const = 0;
};

} // namespace vyd
