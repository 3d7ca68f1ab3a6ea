#pragma once
#include "sdk/base/AuthWithVCsCoordinatorAssemblerProtocol.hpp"

namespace vyd {

// Builds the choice flow of a login from the container's shared services.
class AuthWithVCsCoordinatorAssembler : public AuthWithVCsCoordinatorAssemblerProtocol {
public:
    std::shared_ptr<AuthWithVCsCoordinatorProtocol>
    create(const VYDAuthRequest& request, const std::shared_ptr<AuthServiceInternalProtocol>& authService) override;
};

} // namespace vyd
