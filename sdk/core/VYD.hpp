#pragma once
#include "sdk/core/VYDLogin.hpp"
#include "sdk/core/VYDSettings.hpp"

#include <memory>

namespace vyd {

// The SDK's facade.
class VYD {
public:
    // Each made once per process.
    static const std::shared_ptr<VYDLogin>& login();
    static const std::shared_ptr<VYDSettings>& settings();
};

} // namespace vyd
