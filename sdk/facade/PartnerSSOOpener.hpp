#pragma once
#include "sdk/base/LiteELKModel.hpp"
#include "sdk/base/VYDError.hpp"
#include "sdk/facade/AuthMethodRouter.hpp"
#include "sdk/services/AppTokenServiceProtocol.hpp"
#include "sdk/services/StaticStorageServiceProtocol.hpp"

#include <functional>
#include <memory>
#include <optional>

namespace uikit {
class UIViewController;
}

namespace vyd {

// The partner's pages with single sign-on: the app token service makes the address, and the
// page opens in a web panel over the host's view controller, or in the system browser view
// over that panel.
class PartnerSSOOpener {
public:
    using Completion = std::function<void(const std::optional<VYDError>&)>;

    PartnerSSOOpener(std::shared_ptr<StaticStorageServiceProtocol> staticStorageService,
                     std::shared_ptr<AppTokenServiceProtocol> appTokenService,
                     std::shared_ptr<SlidePanelFactoryProtocol> slidePanelFactory,
                     WebSceneOpenerProvider webSceneOpener);
    // With the container's services.
    PartnerSSOOpener();

    // Checks the input first: without a view controller, or with a partner link that is not a
    // web address, nothing is stored or shown and the completion gets the error. Otherwise the
    // partner becomes the session's personal-account partner, a web panel with the loader in the
    // partner's colour comes up over the view controller, and once the address is made the
    // loader goes and the page opens (not gated: the partner's own page): in the panel, or, for
    // `browser`, in the browser view over the panel, which moves to hidden. Without an address
    // (no app token) the panel is taken away. The completion runs on the main queue, once. Main
    // thread.
    void open(const LiteELKModel& partner, const std::shared_ptr<uikit::UIViewController>& viewController,
              Completion completion) const;

private:
    std::shared_ptr<StaticStorageServiceProtocol> staticStorageService_;
    std::shared_ptr<AppTokenServiceProtocol> appTokenService_;
    std::shared_ptr<SlidePanelFactoryProtocol> slidePanelFactory_;
    WebSceneOpenerProvider webSceneOpener_;
};

} // namespace vyd
