#pragma once
#include "sdk/facade/AuthService.hpp"

#include <memory>

namespace vyd {

// Builds the object graph of one login from the container's services.
class AuthAssembler {
public:
    static std::shared_ptr<AuthService> create();
};

} // namespace vyd
