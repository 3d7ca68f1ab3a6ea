#include "sdk/facade/PartnerSSOOpener.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "sdk/base/DIContainer.hpp"
#include "sdk/base/URLHelpers.hpp"
#include "sdk/catalogue/L10n.hpp"
#include "sdk/uikit/ActivityIndicator.hpp"
#include "sdk/uikit/Palette.hpp"

namespace vyd {
namespace {

void completeLater(PartnerSSOOpener::Completion completion, std::optional<VYDError> error) {
    foundation::DispatchQueue::main().async([completion = std::move(completion), error = std::move(error)] {
        if (completion) {
            completion(error);
        }
    });
}

// The app token service appends the token to this address, so only an https page will do.
bool isPageAddress(const std::optional<std::string>& link) {
    const auto url = link ? foundation::URL::string(*link) : std::nullopt;
    return url && isSecureWebLink(*url);
}

} // namespace

PartnerSSOOpener::PartnerSSOOpener(std::shared_ptr<StaticStorageServiceProtocol> staticStorageService,
                                   std::shared_ptr<AppTokenServiceProtocol> appTokenService,
                                   std::shared_ptr<SlidePanelFactoryProtocol> slidePanelFactory,
                                   WebSceneOpenerProvider webSceneOpener)
    : staticStorageService_(std::move(staticStorageService)), appTokenService_(std::move(appTokenService)),
      slidePanelFactory_(std::move(slidePanelFactory)), webSceneOpener_(std::move(webSceneOpener)) {}

PartnerSSOOpener::PartnerSSOOpener()
    : PartnerSSOOpener(DIContainer::staticStorageService(), DIContainer::appTokenService(),
                       DIContainer::slidePanelFactory(), [] { return DIContainer::webSceneOpener(); }) {}

void PartnerSSOOpener::open(const LiteELKModel& partner, const std::shared_ptr<uikit::UIViewController>& viewController,
                            Completion completion) const {
    if (!viewController) {
        completeLater(std::move(completion),
                      VYDError{VYDErrorType::invalidRequest, L10n::Ui::Errors::noViewController()});
        return;
    }
    if (!isPageAddress(partner.partnerWebLinkELKLite)) {
        completeLater(std::move(completion),
                      VYDError{VYDErrorType::linkIsNotValid, L10n::Ui::Errors::linkIsNotValid()});
        return;
    }
    auto opener = webSceneOpener_ ? webSceneOpener_() : nullptr;
    if (!opener || !slidePanelFactory_ || !appTokenService_) {
        completeLater(std::move(completion), VYDError{VYDErrorType::unknown, std::nullopt});
        return;
    }

    const auto model = staticStorageService_->liteELKModel();
    model->partnerWebLinkELKLite = partner.partnerWebLinkELKLite;
    model->partnerClientIdElkLite = partner.partnerClientIdElkLite;
    model->partnerColorELKLite = partner.partnerColorELKLite;
    model->openInELKLite = partner.openInELKLite;

    auto panel = slidePanelFactory_->createSlidePanel(SlidePanelFactoryProtocol::PanelStyle::web,
                                                      SlidePanelFactoryProtocol::PanelBehavior::default_, nullptr);
    viewController->present(panel, true);
    startActivityIndicator(*panel, partner.partnerColorELKLite);

    const auto navigationColor = partner.partnerColorELKLite.value_or(palette::backgroundSecondary());
    const bool inBrowser = partner.openInELKLite == VYDOpenInType::browser;
    // The address may come from another thread; everything visible happens on the main queue.
    appTokenService_->reloginSSOELKLite([panel, opener = std::move(opener), navigationColor, inBrowser,
                                         completion = std::move(completion)](SSOResult result) mutable {
        foundation::DispatchQueue::main().async([panel = std::move(panel), opener = std::move(opener), navigationColor,
                                                 inBrowser, completion = std::move(completion),
                                                 result = std::move(result)] {
            stopActivityIndicator(*panel);
            std::optional<VYDError> error;
            if (const auto* url = std::get_if<foundation::URL>(&result)) {
                if (inBrowser) {
                    panel->move(SlidePanelState::hidden(), false);
                    opener->openScene(*url, SafariView{panel}, false, navigationColor, nullptr);
                } else {
                    opener->openScene(*url, ChildWebView{panel, NavigationWebViewType::base}, false, navigationColor,
                                      nullptr);
                }
            } else {
                error = std::get<VYDError>(result);
                panel->remove();
            }
            if (completion) {
                completion(error);
            }
        });
    });
}

} // namespace vyd
