#include "sdk/screens/choice/AuthChooseAssembler.hpp"

#include "sdk/base/DIContainer.hpp"
#include "sdk/services/StaticStorageServiceProtocol.hpp"

namespace vyd {

std::shared_ptr<AuthChooseViewController>
AuthChooseAssembler::create(const std::shared_ptr<AuthChooseViewControllerDelegate>& delegate) {
    auto view = AuthChooseView::make(DIContainer::staticStorageService()->partnerName());
    auto controller = AuthChooseViewController::make(view);
    view->setDelegate(controller);
    controller->setDelegate(delegate);
    return controller;
}

} // namespace vyd
