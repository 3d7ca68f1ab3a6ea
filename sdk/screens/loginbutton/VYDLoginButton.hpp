#pragma once
#include "platform/uikit/UIButton.hpp"
#include "sdk/base/LoginButtonSettingsProtocol.hpp"
#include "sdk/base/VYDCornerRadiusStyle.hpp"
#include "sdk/base/VYDLoginButtonStyle.hpp"
#include "sdk/base/VYDLoginButtonTextType.hpp"
#include "sdk/screens/loginbutton/LoginButtonControllerProtocol.hpp"
#include "sdk/screens/loginbutton/VYDLoginButtonObserverProtocol.hpp"
#include "sdk/screens/loginbutton/VYDLoginButtonProtocol.hpp"

#include <cstdint>
#include <memory>
#include <optional>

namespace uikit {
class UIActivityIndicatorView;
}

namespace vyd {

// The ready-made sign-in button for host apps: the SDK's logo and one of four texts in one of
// two colour styles, sized from the size the host app asks for within fixed limits, showing the
// user's masked name when the VY Bank app stored one, and hiding itself when the remote
// configuration blocks the client or this SDK version. It adds no action of its own: the host
// app adds its target and starts the sign-in.
//
// A button made by a public initialiser is complete when it returns: sized by constraints (its
// size is fixed at creation), drawn, possibly personalised or hidden, with the show event sent.
// Main thread only. There is no initialiser from an archive.
//
// Options that name no case (an integer cast to the enumeration, or given to the raw-value
// initialisers) are refused with VYDInvalidOptionError before anything is made or reported.
class VYDLoginButton : public uikit::UIButton, public VYDLoginButtonProtocol {
public:
    using CGRect = coregraphics::CGRect;
    using CGSize = coregraphics::CGSize;

    // Text type loginWithVyID and a desired size of 50 by 30.
    static std::shared_ptr<VYDLoginButton> make(VYDLoginButtonStyle type,
                                                const std::shared_ptr<VYDLoginButtonObserverProtocol>& observer);
    // The observer is held weakly: the host app keeps it. A desired size that is zero, negative
    // or not a number gives the sizing rule's limits: 28 high and the minimal width.
    static std::shared_ptr<VYDLoginButton> make(VYDLoginButtonStyle type, VYDLoginButtonTextType textType,
                                                CGSize desiredSize,
                                                const std::shared_ptr<VYDLoginButtonObserverProtocol>& observer);
    // The same from raw values, as they arrive from outside (stored settings, casts).
    static std::shared_ptr<VYDLoginButton>
    initWithType(std::int64_t type, const std::shared_ptr<VYDLoginButtonObserverProtocol>& observer);
    static std::shared_ptr<VYDLoginButton>
    initWithType(std::int64_t type, std::int64_t textType, CGSize desiredSize,
                 const std::shared_ptr<VYDLoginButtonObserverProtocol>& observer);
    // The plain button: white-style settings, no controller; neither sized nor drawn.
    static std::shared_ptr<VYDLoginButton> make(const CGRect& frame);

    // Public so that `create` can reach it; make buttons with `make`.
    explicit VYDLoginButton(const CGRect& frame);
    ~VYDLoginButton() override;

    std::string className() const override { return "VYDLoginButton"; }

    // True until set otherwise. Setting false replaces logo and title by the spinning activity
    // indicator; setting true brings back the logo and the (possibly personalised) title. Each
    // write runs its steps, even when the value does not change.
    bool isLoaderHidden();
    void setIsLoaderHidden(bool hidden);

    // Only for the white style: the border's colour. Other styles ignore it.
    void setBorderColor(const uikit::UIColor& color);
    // 0, 4 or half the height.
    void setCornerRadius(VYDCornerRadiusStyle style);
    void setCornerRadius(std::int64_t rawStyle);

    // Shows the masked name stored by the VY Bank app, when there is one; false otherwise, the
    // title then left as it was. Host apps may call it again once the bank app stored a name.
    bool attemptToPersonalize();

    // Delivers the action (to the host app's target), then tells the controller of the tap.
    void sendAction(const uikit::UIControlAction& action, const std::shared_ptr<void>& to,
                    const uikit::UIEvent* event) override;

    // Hides the view for good: nothing in the SDK shows it again.
    void hideButton() override;

    const std::shared_ptr<LoginButtonSettingsProtocol>& settings() const { return settings_; }
    // None for the plain button.
    const std::shared_ptr<LoginButtonControllerProtocol>& controller() const { return controller_; }
    const std::shared_ptr<uikit::UIActivityIndicatorView>& loaderView() const { return loaderView_; }

private:
    void setUp(VYDLoginButtonStyle type, VYDLoginButtonTextType textType, CGSize desiredSize,
               const std::shared_ptr<VYDLoginButtonObserverProtocol>& observer);
    void setUpView();
    void showLoader();
    void hideLoader();
    void showPlainTitleUnlessPersonalized();
    void showLogo();

    std::optional<bool> isLoaderHidden_;
    std::shared_ptr<LoginButtonControllerProtocol> controller_;
    std::shared_ptr<LoginButtonSettingsProtocol> settings_;
    std::shared_ptr<uikit::UIActivityIndicatorView> loaderView_;
};

} // namespace vyd
