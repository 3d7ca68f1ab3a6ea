#include "sdk/screens/choice/KwAppListViewModel.hpp"

#include "platform/foundation/Dispatch.hpp"

namespace vyd {

std::shared_ptr<KwAppListViewModel>
KwAppListViewModel::make(VYDAuthRequest request, std::vector<KWAppInfo> kwsAppList,
                         const std::shared_ptr<AuthServiceInternalProtocol>& authService,
                         std::shared_ptr<AnalyticsServiceProtocol> analyticsService,
                         std::shared_ptr<AnalyticsParamsMakerProtocol> analyticsParamsMaker,
                         const std::shared_ptr<KwsAppListDelegate>& delegate) {
    auto model =
        std::make_shared<KwAppListViewModel>(std::move(request), std::move(kwsAppList), authService,
                                             std::move(analyticsService), std::move(analyticsParamsMaker), delegate);
    model->setupBindings();
    return model;
}

KwAppListViewModel::KwAppListViewModel(VYDAuthRequest request, std::vector<KWAppInfo> kwsAppList,
                                       const std::shared_ptr<AuthServiceInternalProtocol>& authService,
                                       std::shared_ptr<AnalyticsServiceProtocol> analyticsService,
                                       std::shared_ptr<AnalyticsParamsMakerProtocol> analyticsParamsMaker,
                                       const std::shared_ptr<KwsAppListDelegate>& delegate)
    : kwsAppList(*this, std::move(kwsAppList)), request_(std::move(request)), authService_(authService),
      delegate_(delegate), analyticsParamsMaker_(std::move(analyticsParamsMaker)),
      analyticsService_(std::move(analyticsService)) {}

void KwAppListViewModel::setupBindings() {
    // The subscription refers to the model weakly: it never keeps the model alive.
    std::weak_ptr<KwAppListViewModel> weak = weak_from_this();
    selectedApp_.compactMap([](const std::optional<KWAppInfo>& app) { return app; })
        .sink([weak](const KWAppInfo& app) {
            if (const auto model = weak.lock()) {
                model->appWasSelected(app);
            }
        })
        .store(cancellableSet_);
}

void KwAppListViewModel::crossButtonPressed() {
    analyticsService_->sendEvent(AnalyticsEventAction::cancelSheetChoice,
                                 analyticsParamsMaker_->makeKwsAppListEventParams(std::nullopt));
    dismissSubject_.send();
}

void KwAppListViewModel::appWasSelected(const KWAppInfo& appInfo) {
    analyticsService_->sendEvent(AnalyticsEventAction::clickSheetChoice,
                                 analyticsParamsMaker_->makeKwsAppListEventParams(appInfo.name));
    // The attempt runs off the main thread and holds the model until it ends; it reads only
    // the request, the weak service and its own copy of the entry.
    foundation::DispatchQueue::global().async([model = shared_from_this(), appInfo] {
        const auto service = model->authService_.lock();
        if (!service) {
            return;
        }
        auto opened = [model](bool wasOpened) {
            if (wasOpened) {
                foundation::DispatchQueue::main().async([model] { model->appIsOpened(true); });
            }
        };
        if (const auto* stable = std::get_if<KWAppInfo::Stable>(&appInfo.type)) {
            service->authenticateUserByDeeplink(stable->deeplink, model->request_, std::move(opened));
        } else {
            service->authenticateUserPriorityApp2AppNoVCScenarios(model->request_, std::move(opened));
        }
    });
}

void KwAppListViewModel::appIsOpened(bool isOpened) {
    dismissSubject_.send();
    if (const auto delegate = delegate_.lock()) {
        delegate->appWasOpened(isOpened);
    }
}

} // namespace vyd
