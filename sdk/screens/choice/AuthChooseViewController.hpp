#pragma once
#include "platform/uikit/UIViewController.hpp"
#include "sdk/screens/choice/AuthChooseView.hpp"

#include <memory>

namespace vyd {

// What the choice sheet's three buttons ask of the flow that shows it.
class AuthChooseViewControllerDelegate {
public:
    virtual ~AuthChooseViewControllerDelegate() = default;
    virtual void closeAction() = 0;
    virtual void continueAction() = 0;
    virtual void enterByPhoneAction() = 0;
};

class AuthChooseViewControllerProtocol {
public:
    virtual ~AuthChooseViewControllerProtocol() = default;
    // Held weakly.
    virtual std::shared_ptr<AuthChooseViewControllerDelegate> delegate() const = 0;
    virtual void setDelegate(const std::shared_ptr<AuthChooseViewControllerDelegate>& delegate) = 0;
};

// The choice sheet's view controller: its view is the sheet, and it passes each button on to
// its delegate. It holds the view; the view and the delegate are weak back to it. Main thread.
class AuthChooseViewController : public uikit::UIViewController,
                                 public AuthChooseViewControllerProtocol,
                                 public AuthChooseViewDelegate {
public:
    // `rootView` is a view (an AuthChooseView).
    static std::shared_ptr<AuthChooseViewController> make(std::shared_ptr<AuthChooseViewProtocol> rootView) {
        return create<AuthChooseViewController>(std::move(rootView));
    }

    // Public so that `create` can reach it; make the controller with `make`.
    explicit AuthChooseViewController(std::shared_ptr<AuthChooseViewProtocol> rootView)
        : rootView_(std::move(rootView)) {}

    std::string className() const override { return "AuthChooseViewController"; }

    const std::shared_ptr<AuthChooseViewProtocol>& rootView() const { return rootView_; }
    std::shared_ptr<AuthChooseViewControllerDelegate> delegate() const override { return delegate_.lock(); }
    void setDelegate(const std::shared_ptr<AuthChooseViewControllerDelegate>& delegate) override {
        delegate_ = delegate;
    }

    void loadView() override;

    void closeButtonPressed() override;
    void continueButtonPressed() override;
    void enterByPhoneButtonPressed() override;

private:
    std::shared_ptr<AuthChooseViewProtocol> rootView_;
    std::weak_ptr<AuthChooseViewControllerDelegate> delegate_;
};

} // namespace vyd
