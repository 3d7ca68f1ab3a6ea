#pragma once
#include "sdk/facade/VYDLogin.hpp"
#include "sdk/facade/VYDSettings.hpp"

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
