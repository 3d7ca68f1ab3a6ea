#pragma once

namespace vyd {

// How the login button's controller hides the button.
class VYDLoginButtonProtocol {
public:
    virtual ~VYDLoginButtonProtocol() = default;

    virtual void hideButton() = 0;
};

} // namespace vyd
