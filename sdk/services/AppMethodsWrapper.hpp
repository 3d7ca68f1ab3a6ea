#pragma once
#include "sdk/base/AppMethodsWrapperProtocol.hpp"

namespace vyd {

// The shared application's URL opening.
class AppMethodsWrapper : public AppMethodsWrapperProtocol {
public:
    // Forms the "open link in external environment" log line (not printed in release) and asks
    // the application, handing the completion on.
    void open(const foundation::URL& url, const OpenExternalURLOptions& options, Completion completion) override;
    bool canOpenURL(const foundation::URL& url) const override;
};

} // namespace vyd
