#pragma once

// A view controller whose view shows a declarative root view (a HostingView). The root view's
// appear and disappear actions follow the controller's own appearance callbacks; a hosting
// controller whose view is put in a window without any view controller containment follows its
// view entering and leaving the window instead. Inside, the presentation environment refers to
// the presentation the controller belongs to: `dismiss()` ends it while it lasts.

#include "platform/swiftui/HostingView.hpp"
#include "platform/uikit/UIViewController.hpp"

#include <memory>

namespace swiftui {

class UIHostingController : public uikit::UIViewController {
public:
    static std::shared_ptr<UIHostingController> make(View rootView) {
        return create<UIHostingController>(std::move(rootView));
    }
    explicit UIHostingController(View rootView);

    std::string className() const override { return "UIHostingController"; }

    const View& rootView() const;
    // Replaces the root view; what keeps its identity keeps its state.
    void setRootView(View rootView);
    // The root view's size for the offered size (a zero length means no limit).
    CGSize sizeThatFits(CGSize in);
    std::shared_ptr<HostingView> hostingView();

    void loadView() override;
    void viewWillAppear(bool animated) override;
    void viewDidDisappear(bool animated) override;

protected:
    void didInit() override;

private:
    bool isContained() const;

    View initialRootView_;
    std::shared_ptr<ViewGraph> graph_;
};

} // namespace swiftui
