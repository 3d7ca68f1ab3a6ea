#pragma once
#include "sdk/base/LoginButtonSettingsProtocol.hpp"
#include "sdk/screens/loginbutton/LoginButtonControllerProtocol.hpp"
#include "sdk/screens/loginbutton/VYDLoginButtonObserverProtocol.hpp"
#include "sdk/screens/loginbutton/VYDLoginButtonProtocol.hpp"
#include "sdk/services/AnalyticsEventAction.hpp"
#include "sdk/services/AnalyticsSink.hpp"
#include "sdk/services/LoginButtonHideReason.hpp"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace vyd {

class AnalyticsParamsMakerProtocol;
class AnalyticsServiceProtocol;
class NetworkServiceProtocol;
class RemoteConfig;
class StaticStorageServiceProtocol;

// Decides whether the login button may be shown and reports the button's life to analytics. It
// lives as long as its button, which owns it; it holds the button and the host app's observer
// weakly. Main thread only.
//
// The hide rules, first match wins:
// 1. The configuration's user blacklist holds the client identifier in lower case (the empty
//    string without one; entries compare as they are): hidden for `blacklist`.
// 2. With version restrictions, the SDK version is on the critical list (exact match): the
//    error message is printed and the button hidden for `versions`.
// 3. The version is at most `warning`: the warning message is printed.
// 4. The version is below `current`: the information message is printed.
// Versions order as numbers, component by component (VersionOrder.hpp), so 1.9.0 is older than
// 1.10.0. The messages are printed visibly through the Logger, later on the main queue.
class LoginButtonController : public LoginButtonControllerProtocol {
public:
    // The SDK's version; the SDK bundle's unless a test gives another.
    using VersionProvider = std::function<std::string()>;

    // Sets the store's personalisation flag to false and writes the store's client identifier
    // back, which refreshes the analytics profile's login identifier.
    LoginButtonController(std::shared_ptr<NetworkServiceProtocol> networkService,
                          std::shared_ptr<AnalyticsParamsMakerProtocol> analyticsParamsMaker,
                          std::shared_ptr<StaticStorageServiceProtocol> staticStorageService,
                          const std::shared_ptr<VYDLoginButtonObserverProtocol>& buttonObserver,
                          std::shared_ptr<LoginButtonSettingsProtocol> buttonSettings,
                          const std::shared_ptr<VYDLoginButtonProtocol>& loginButton, VersionProvider sdkVersion = {});

    void hideButtonIfNeeded() override;
    // Puts the settings in the session store and sends the show event.
    void loginButtonShowed() override;
    // Nothing: the host app's own target starts the sign-in.
    void buttonTapped() override {}
    // Sends the wrong-size event with the desired and the final width.
    void desiredWidthIsWrong() override;
    void buttonPersonalizationChanged(bool personalized) override;

    // Why the button was hidden; none while it is not.
    const std::optional<LoginButtonHideReason>& reasonForButtonHiding() const { return reasonForButtonHiding_; }

private:
    void analizeConfig(const RemoteConfig& config);
    void hideButton(LoginButtonHideReason reason);
    void send(AnalyticsEventAction action, const AnalyticsParams& params);

    std::weak_ptr<VYDLoginButtonProtocol> loginButton_;
    std::weak_ptr<VYDLoginButtonObserverProtocol> observer_;
    std::shared_ptr<AnalyticsServiceProtocol> analyticsService_;
    std::shared_ptr<LoginButtonSettingsProtocol> buttonSettings_;
    std::optional<LoginButtonHideReason> reasonForButtonHiding_;
    std::shared_ptr<NetworkServiceProtocol> networkService_;
    std::shared_ptr<AnalyticsParamsMakerProtocol> analyticsParamsMaker_;
    std::shared_ptr<StaticStorageServiceProtocol> staticStorageService_;
    VersionProvider sdkVersion_;
};

} // namespace vyd
