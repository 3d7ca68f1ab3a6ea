#pragma once

namespace vyd {

// Implemented by the host app to learn that its login button hid itself because the remote
// configuration blocks the client or this SDK version. The call comes while the button is being
// made, on the main thread.
class VYDLoginButtonObserverProtocol {
public:
    virtual ~VYDLoginButtonObserverProtocol() = default;

    virtual void loginButtonWasHidden() = 0;
};

} // namespace vyd
