#pragma once
#include "platform/foundation/URL.hpp"

#include <any>
#include <functional>
#include <map>
#include <string>

namespace vyd {

// The application's options for opening a URL outside the app, by option key.
using OpenExternalURLOptions = std::map<std::string, std::any>;

// The application's URL opening, behind a protocol so that flows can be tried without a device.
class AppMethodsWrapperProtocol {
public:
    using Completion = std::function<void(bool opened)>;

    virtual ~AppMethodsWrapperProtocol() = default;

    // Asks the application to open the URL (another app, or the browser); the completion, when
    // given, hears whether it did. Main thread.
    virtual void open(const foundation::URL& url, const OpenExternalURLOptions& options, Completion completion) = 0;
    // Whether an installed app handles the URL. Main thread.
    virtual bool canOpenURL(const foundation::URL& url) const = 0;
};

} // namespace vyd
