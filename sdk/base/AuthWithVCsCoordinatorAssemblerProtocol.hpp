#pragma once
#include "sdk/base/AuthServiceInternalProtocol.hpp"
#include "sdk/base/AuthWithVCsCoordinatorProtocol.hpp"
#include "sdk/base/VYDAuthRequest.hpp"

#include <memory>

namespace vyd {

// Builds the choice flow of one login. The coordinator holds the authorization service weakly:
// the service owns the router that owns the coordinator.
class AuthWithVCsCoordinatorAssemblerProtocol {
public:
    virtual ~AuthWithVCsCoordinatorAssemblerProtocol() = default;

    virtual std::shared_ptr<AuthWithVCsCoordinatorProtocol>
    create(const VYDAuthRequest& request, const std::shared_ptr<AuthServiceInternalProtocol>& authService) = 0;
};

} // namespace vyd
