#pragma once

// The system browser view: shows a URL in the system's browser inside the app. Headless, it
// keeps its URL, bar tint and delegate and loads nothing; its "Done" button (which the simulated
// user presses) dismisses it and then tells the delegate.

#include "platform/foundation/URL.hpp"
#include "platform/uikit/UIButton.hpp"
#include "platform/uikit/UIColor.hpp"
#include "platform/uikit/UIViewController.hpp"

#include <memory>
#include <optional>
#include <string>

namespace safariservices {

class SFSafariViewController;

class SFSafariViewControllerDelegate {
public:
    virtual ~SFSafariViewControllerDelegate() = default;
    // After the user pressed "Done" and the browser view was dismissed.
    virtual void safariViewControllerDidFinish(SFSafariViewController& controller) {}
};

class SFSafariViewController : public uikit::UIViewController {
public:
    static std::shared_ptr<SFSafariViewController> make(foundation::URL url) {
        return create<SFSafariViewController>(std::move(url));
    }

    // Public so that `create` can reach it; make browser views with `make`.
    explicit SFSafariViewController(foundation::URL url) : url_(std::move(url)) {}

    std::string className() const override { return "SFSafariViewController"; }

    const foundation::URL& url() const { return url_; }
    const std::optional<uikit::UIColor>& preferredBarTintColor() const { return preferredBarTintColor_; }
    void setPreferredBarTintColor(std::optional<uikit::UIColor> color) { preferredBarTintColor_ = std::move(color); }
    // Held weakly, as on the platform.
    std::shared_ptr<SFSafariViewControllerDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::shared_ptr<SFSafariViewControllerDelegate>& delegate) { delegate_ = delegate; }

    // The bar's "Done" button (made with the view).
    std::shared_ptr<uikit::UIButton> doneButton();

    void loadView() override;

private:
    void done();

    foundation::URL url_;
    std::optional<uikit::UIColor> preferredBarTintColor_;
    std::weak_ptr<SFSafariViewControllerDelegate> delegate_;
    std::shared_ptr<uikit::UIButton> doneButton_;
};

} // namespace safariservices
