#pragma once
#include "platform/uikit/UIView.hpp"

#include <memory>
#include <string>

namespace uikit {
class UIButton;
class UIImageView;
class UILabel;
class UIStackView;
} // namespace uikit

namespace vyd {

class ImageContainerView;

// The sheet's three buttons, as the view reports them.
class AuthChooseViewDelegate {
public:
    virtual ~AuthChooseViewDelegate() = default;
    virtual void closeButtonPressed() = 0;
    virtual void continueButtonPressed() = 0;
    virtual void enterByPhoneButtonPressed() = 0;
};

class AuthChooseViewProtocol {
public:
    virtual ~AuthChooseViewProtocol() = default;
    // Held weakly.
    virtual std::shared_ptr<AuthChooseViewDelegate> delegate() const = 0;
    virtual void setDelegate(const std::shared_ptr<AuthChooseViewDelegate>& delegate) = 0;
};

// The sheet that offers to continue with a VY Bank app or to log in by phone number: a top
// area with the gradient background, the logo and a close button, and below it the header,
// the description (naming the partner) and the two buttons. Its height follows its content: the
// background image's own height plus the lower area. It decides nothing; every tap goes to its
// delegate. Main thread.
class AuthChooseView : public uikit::UIView, public AuthChooseViewProtocol {
public:
    static std::shared_ptr<AuthChooseView> make(std::string partnerName) {
        return create<AuthChooseView>(std::move(partnerName));
    }

    // Public so that `create` can reach it; make the view with `make`.
    explicit AuthChooseView(std::string partnerName);

    std::string className() const override { return "AuthChooseView"; }

    std::shared_ptr<AuthChooseViewDelegate> delegate() const override { return delegate_.lock(); }
    void setDelegate(const std::shared_ptr<AuthChooseViewDelegate>& delegate) override { delegate_ = delegate; }
    const std::string& partnerName() const { return partnerName_; }

    std::shared_ptr<uikit::UIImageView> backgroundImageView();
    // 78 x 78, with a green shadow under rounded corners.
    std::shared_ptr<ImageContainerView> logoImageView();
    // 32 x 32 on screen (made with a 44 x 44 frame), its cross inset by 4.
    std::shared_ptr<uikit::UIButton> closeButton();
    std::shared_ptr<uikit::UILabel> headerLabel();
    std::shared_ptr<uikit::UILabel> descritionLabel();
    // 40 high each.
    std::shared_ptr<uikit::UIButton> continueButton();
    std::shared_ptr<uikit::UIButton> enterByPhoneButton();
    std::shared_ptr<uikit::UIStackView> labelsStackView();
    std::shared_ptr<uikit::UIStackView> buttonsStackView();
    std::shared_ptr<uikit::UIStackView> mainStackView();
    std::shared_ptr<uikit::UIView> topContainerView();
    std::shared_ptr<uikit::UIView> bottomContainerView();
    std::shared_ptr<uikit::UIView> mainContainerView();

    void closeButtonAction();
    void continueButtonAction();
    void enterByPhoneButtonAction();

protected:
    void didInit() override;

private:
    void setupUI();
    void setupConstraints();
    std::shared_ptr<uikit::UIButton> makeButton(void (AuthChooseView::*action)());

    std::weak_ptr<AuthChooseViewDelegate> delegate_;
    const std::string partnerName_;
    std::shared_ptr<uikit::UIImageView> backgroundImageView_;
    std::shared_ptr<ImageContainerView> logoImageView_;
    std::shared_ptr<uikit::UIButton> closeButton_;
    std::shared_ptr<uikit::UILabel> headerLabel_;
    std::shared_ptr<uikit::UILabel> descritionLabel_;
    std::shared_ptr<uikit::UIButton> continueButton_;
    std::shared_ptr<uikit::UIButton> enterByPhoneButton_;
    std::shared_ptr<uikit::UIStackView> labelsStackView_;
    std::shared_ptr<uikit::UIStackView> buttonsStackView_;
    std::shared_ptr<uikit::UIStackView> mainStackView_;
    std::shared_ptr<uikit::UIView> topContainerView_;
    std::shared_ptr<uikit::UIView> bottomContainerView_;
    std::shared_ptr<uikit::UIView> mainContainerView_;
};

} // namespace vyd
