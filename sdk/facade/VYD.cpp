#include "sdk/facade/VYD.hpp"

namespace vyd {

const std::shared_ptr<VYDLogin>& VYD::login() {
    static const auto instance = std::make_shared<VYDLogin>();
    return instance;
}

const std::shared_ptr<VYDSettings>& VYD::settings() {
    static const auto instance = std::make_shared<VYDSettings>();
    return instance;
}

} // namespace vyd
