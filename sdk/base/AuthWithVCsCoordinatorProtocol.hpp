#pragma once

namespace vyd {

// The native choice of a login: the choice sheet, the list of VY Bank apps, or straight to the
// app-to-app attempts with the web page as fallback. Main thread.
class AuthWithVCsCoordinatorProtocol {
public:
    virtual ~AuthWithVCsCoordinatorProtocol() = default;

    virtual void startAuthChooseScenario() = 0;
    virtual void startAppChooseScenario() = 0;
};

} // namespace vyd
