#pragma once

namespace vyd {

// What the login button tells its controller.
class LoginButtonControllerProtocol {
public:
    virtual ~LoginButtonControllerProtocol() = default;

    // Hides the button when the session store's remote configuration blocks it.
    virtual void hideButtonIfNeeded() = 0;
    // The button is set up (also when it was hidden).
    virtual void loginButtonShowed() = 0;
    virtual void buttonTapped() = 0;
    // The host app asked for a width below the minimal width.
    virtual void desiredWidthIsWrong() = 0;
    virtual void buttonPersonalizationChanged(bool personalized) = 0;
};

} // namespace vyd
