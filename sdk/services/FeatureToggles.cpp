#include "sdk/services/FeatureToggles.hpp"

#include "sdk/base/Logger.hpp"
#include "sdk/catalogue/L10n.hpp"

namespace vyd {

bool FeatureToggles::isWebViewEnabled() const {
    if (!webViewEnabled_) {
        Logger::log(L10n::Logs::featureDisabledValue("WebView"));
    }
    return webViewEnabled_;
}

} // namespace vyd
