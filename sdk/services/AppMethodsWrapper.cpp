#include "sdk/services/AppMethodsWrapper.hpp"

#include "platform/uikit/UIApplication.hpp"
#include "sdk/base/Logger.hpp"
#include "sdk/catalogue/L10n.hpp"

namespace vyd {

void AppMethodsWrapper::open(const foundation::URL& url, const OpenExternalURLOptions& options, Completion completion) {
    Logger::log(L10n::Logs::openLinkInExternalEnviromentValue(url.absoluteString()));
    uikit::UIApplication::shared().open(url, options, std::move(completion));
}

bool AppMethodsWrapper::canOpenURL(const foundation::URL& url) const {
    return uikit::UIApplication::shared().canOpenURL(url);
}

} // namespace vyd
