#include "sdk/screens/loginbutton/LoginButtonController.hpp"

#include "sdk/base/Logger.hpp"
#include "sdk/catalogue/L10n.hpp"
#include "sdk/catalogue/SdkBundle.hpp"
#include "sdk/screens/loginbutton/VersionOrder.hpp"
#include "sdk/services/AnalyticsParamsMakerProtocol.hpp"
#include "sdk/services/AnalyticsServiceProtocol.hpp"
#include "sdk/services/RemoteConfig.hpp"
#include "sdk/services/StaticStorageServiceProtocol.hpp"

#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <cstdint>

namespace vyd {
namespace {

bool contains(const std::vector<std::string>& list, const std::string& value) {
    return std::find(list.begin(), list.end(), value) != list.end();
}

// Unicode lower case, as the platform's string lowercasing does (not only ASCII).
std::string lowercased(const std::string& text) {
    auto unicode = icu::UnicodeString::fromUTF8(text);
    std::string lowered;
    unicode.toLower(icu::Locale::getRoot()).toUTF8String(lowered);
    return lowered;
}

using VersionMessage = std::string (*)(std::string_view product, std::string_view current);

// Printed in release builds too: the host app's developer must learn that the SDK is outdated.
void printVersionMessage(VersionMessage message, const std::string& current) {
    Logger::log(message(L10n::Ui::Common::vyIdB64(), current), true);
}

} // namespace

LoginButtonController::LoginButtonController(std::shared_ptr<NetworkServiceProtocol> networkService,
                                             std::shared_ptr<AnalyticsParamsMakerProtocol> analyticsParamsMaker,
                                             std::shared_ptr<StaticStorageServiceProtocol> staticStorageService,
                                             const std::shared_ptr<VYDLoginButtonObserverProtocol>& buttonObserver,
                                             std::shared_ptr<LoginButtonSettingsProtocol> buttonSettings,
                                             const std::shared_ptr<VYDLoginButtonProtocol>& loginButton,
                                             VersionProvider sdkVersion)
    : loginButton_(loginButton), observer_(buttonObserver), analyticsService_(staticStorageService->analyticsService()),
      buttonSettings_(std::move(buttonSettings)), networkService_(std::move(networkService)),
      analyticsParamsMaker_(std::move(analyticsParamsMaker)), staticStorageService_(std::move(staticStorageService)),
      sdkVersion_(sdkVersion ? std::move(sdkVersion) : VersionProvider(curentSdkVersion)) {
    staticStorageService_->setIsButtonPersonalized(false);
    staticStorageService_->setClientId(staticStorageService_->clientId());
}

void LoginButtonController::hideButtonIfNeeded() { analizeConfig(staticStorageService_->remoteConfig()); }

void LoginButtonController::analizeConfig(const RemoteConfig& config) {
    if (config.usersBlacklist) {
        const auto clientId = lowercased(staticStorageService_->clientId().value_or(""));
        if (contains(*config.usersBlacklist, clientId)) {
            hideButton(LoginButtonHideReason::blacklist);
            return;
        }
    }
    if (!config.versionRestrictions) {
        return;
    }
    const auto& restrictions = *config.versionRestrictions;
    const std::string current = restrictions.current.value_or("");
    const std::string version = sdkVersion_();

    if (restrictions.criticalList && contains(*restrictions.criticalList, version)) {
        printVersionMessage(L10n::Logs::versionErrorMessageValues, current);
        hideButton(LoginButtonHideReason::versions);
        return;
    }
    if (restrictions.warning && compareVersions(version, *restrictions.warning) <= 0) {
        printVersionMessage(L10n::Logs::versionWarningMessageValues, current);
        return;
    }
    if (restrictions.current && compareVersions(version, *restrictions.current) < 0) {
        printVersionMessage(L10n::Logs::versionInfoMessageValues, current);
    }
}

void LoginButtonController::hideButton(LoginButtonHideReason reason) {
    if (auto button = loginButton_.lock()) {
        button->hideButton();
    }
    reasonForButtonHiding_ = reason;
    if (auto observer = observer_.lock()) {
        observer->loginButtonWasHidden();
    }
    send(AnalyticsEventAction::vyIDLoginBlocked, analyticsParamsMaker_->makeButtonHideEventParams(reason));
}

void LoginButtonController::loginButtonShowed() {
    staticStorageService_->setButtonSettings(buttonSettings_);
    send(AnalyticsEventAction::vyIDLoginShow, analyticsParamsMaker_->makeLoginShowEventParams(*buttonSettings_));
}

void LoginButtonController::desiredWidthIsWrong() {
    send(AnalyticsEventAction::vyIDWrongButtonSize,
         analyticsParamsMaker_->makeWrongButtonSizeEventParams(buttonSettings_->desiredSize().width,
                                                               buttonSettings_->width()));
}

void LoginButtonController::send(AnalyticsEventAction action, const AnalyticsParams& params) {
    // A session store without an analytics service (a host app's own store) loses the event
    // rather than the button.
    if (analyticsService_) {
        analyticsService_->sendEvent(action, params);
    }
}

void LoginButtonController::buttonPersonalizationChanged(bool personalized) {
    staticStorageService_->setIsButtonPersonalized(personalized);
}

} // namespace vyd
