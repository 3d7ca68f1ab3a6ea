#pragma once

// The model behind the sheet that lists the VY Bank apps found on the device. A pick sends the
// click event, then tries the authorization through the login's authorization service off the
// main thread (the app's deep link, or the service's own app-to-app and web fallback for the
// dynamic entry); when that opens something, the sheet is told to close and the delegate that
// the app was opened, in that order, on the main thread. The close button sends the cancel
// event and the signal to close, without telling the delegate.

#include "platform/combine/ObservableObject.hpp"
#include "sdk/base/AuthServiceInternalProtocol.hpp"
#include "sdk/base/KWAppInfo.hpp"
#include "sdk/base/VYDAuthRequest.hpp"
#include "sdk/services/AnalyticsParamsMakerProtocol.hpp"
#include "sdk/services/AnalyticsServiceProtocol.hpp"

#include <memory>
#include <optional>
#include <vector>

namespace vyd {

class KwsAppListDelegate {
public:
    virtual ~KwsAppListDelegate() = default;
    // The sheet's pick opened a bank app or page.
    virtual void appWasOpened(bool wasOpened) = 0;
};

class KwAppListViewModel : public combine::ObservableObject, public std::enable_shared_from_this<KwAppListViewModel> {
public:
    // The authorization service and the delegate are held weakly.
    static std::shared_ptr<KwAppListViewModel> make(VYDAuthRequest request, std::vector<KWAppInfo> kwsAppList,
                                                    const std::shared_ptr<AuthServiceInternalProtocol>& authService,
                                                    std::shared_ptr<AnalyticsServiceProtocol> analyticsService,
                                                    std::shared_ptr<AnalyticsParamsMakerProtocol> analyticsParamsMaker,
                                                    const std::shared_ptr<KwsAppListDelegate>& delegate);

    KwAppListViewModel(VYDAuthRequest request, std::vector<KWAppInfo> kwsAppList,
                       const std::shared_ptr<AuthServiceInternalProtocol>& authService,
                       std::shared_ptr<AnalyticsServiceProtocol> analyticsService,
                       std::shared_ptr<AnalyticsParamsMakerProtocol> analyticsParamsMaker,
                       const std::shared_ptr<KwsAppListDelegate>& delegate);

    // The view sends each picked app into it; absent values are ignored.
    const combine::PassthroughSubject<std::optional<KWAppInfo>>& selectedApp() const { return selectedApp_; }
    // Sent when the sheet must close.
    const combine::PassthroughSubject<combine::Void>& dismissSubject() const { return dismissSubject_; }

    void crossButtonPressed();

    combine::Published<std::vector<KWAppInfo>> kwsAppList;

private:
    void setupBindings();
    void appWasSelected(const KWAppInfo& appInfo);
    void appIsOpened(bool isOpened);

    const VYDAuthRequest request_;
    std::weak_ptr<AuthServiceInternalProtocol> authService_;
    std::weak_ptr<KwsAppListDelegate> delegate_;
    std::shared_ptr<AnalyticsParamsMakerProtocol> analyticsParamsMaker_;
    std::shared_ptr<AnalyticsServiceProtocol> analyticsService_;
    combine::CancellableSet cancellableSet_;
    combine::PassthroughSubject<std::optional<KWAppInfo>> selectedApp_;
    const combine::PassthroughSubject<combine::Void> dismissSubject_;
};

} // namespace vyd
