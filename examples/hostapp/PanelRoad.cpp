#include "PanelRoad.hpp"

#include "sdk/VYDCore.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/testing/SimulatedDevice.hpp"
#include "platform/testing/SimulatedUser.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UIViewController.hpp"

#include <cstdio>
#include <memory>
#include <string>

namespace hostapp {
namespace {

using vyd::SlidePanelController;
using vyd::SlidePanelState;

// Prints the panel's way: each spring towards a state, each state it comes to rest in, and its
// removal.
class PanelPrinter : public vyd::SlidePanelDidMoveDelegate,
                     public vyd::SlidePanelWillRemoveDelegate,
                     public vyd::SlidePanelDidRemoveDelegate {
public:
    void slidePanelDidMove(const std::shared_ptr<SlidePanelController>& panel) override {
        const bool springing = panel->isAttracting();
        const auto& state = panel->state();
        if (dragging_) {
            return;
        }
        if (state == last_ && springing == lastSpringing_) {
            return;
        }
        last_ = state;
        lastSpringing_ = springing;
        if (springing) {
            std::printf("  springing towards %s\n", state->description().c_str());
        } else {
            std::printf("  at %-6s (surface top %.0f of %.0f)\n", state->description().c_str(),
                        panel->surfaceLocation().y, panel->view()->bounds().height());
        }
    }
    void slidePanelWillRemove(const std::shared_ptr<SlidePanelController>& panel) override {
        std::printf("  being removed from %s\n", panel->state()->description().c_str());
    }
    void slidePanelDidRemove(const std::shared_ptr<SlidePanelController>&) override { std::printf("  removed\n"); }

    // Moves while the finger holds the surface are not printed one by one.
    void setDragging(bool dragging) { dragging_ = dragging; }

private:
    vyd::SlidePanelStateRef last_;
    bool lastSpringing_ = false;
    bool dragging_ = false;
};

// Waits (on the real clock) until the panel has come to rest.
void waitForRest(const std::shared_ptr<SlidePanelController>& panel) {
    foundation::RunLoop::main().runUntil(
        [&] {
            return !panel->isAttracting() && !panel->transitionAnimator() && !panel->isBeingPresented() &&
                   !panel->isBeingDismissed();
        },
        5.0);
    foundation::RunLoop::main().runUntilIdle();
}

void drag(PanelPrinter& printer, const std::shared_ptr<SlidePanelController>& panel, const char* what, double dy,
          double velocity) {
    std::printf("drag %s (%+.0f points at %+.0f points/s)\n", what, dy, velocity);
    printer.setDragging(true);
    testing::SimulatedUser::drag(panel->surfaceView()->grabberHandle(), {0, dy}, {0, velocity});
    printer.setDragging(false);
    waitForRest(panel);
}

// The sheet's content: a title and a line of text, as tall as they need.
std::shared_ptr<uikit::UIViewController> sheet() {
    auto controller = uikit::UIViewController::make();
    const auto view = controller->view();
    const auto title = uikit::UILabel::make();
    title->setText("Sign in with VY ID");
    const auto body = uikit::UILabel::make();
    body->setText("VY Bank confirms who you are; the shop gets no password.");
    body->setNumberOfLines(0);
    for (const auto& label : {title, body}) {
        label->setTranslatesAutoresizingMaskIntoConstraints(false);
        view->addSubview(label);
    }
    uikit::NSLayoutConstraint::activate({
        title->topAnchor().constraintEqualTo(view->topAnchor(), 24),
        title->leadingAnchor().constraintEqualTo(view->leadingAnchor(), 16),
        body->topAnchor().constraintEqualTo(title->bottomAnchor(), 8),
        body->leadingAnchor().constraintEqualTo(view->leadingAnchor(), 16),
        body->trailingAnchor().constraintEqualTo(view->trailingAnchor(), -16),
    });
    return controller;
}

} // namespace

void showPanelRoad() {
    std::printf("\n== Slide panel\n");
    testing::SimulatedDevice device;
    const auto screen = device.rootViewController();
    auto printer = std::make_shared<PanelPrinter>();

    auto panel = SlidePanelController::make(printer);
    panel->set(sheet());
    std::printf("present a panel with a sheet\n");
    screen->present(panel, true);
    waitForRest(panel);
    drag(*printer, panel, "up, quickly", -120, -1500);
    drag(*printer, panel, "down, slowly", 600, 50);
    drag(*printer, panel, "down a little", 40, 10);
    drag(*printer, panel, "up, quickly", -150, -2000);
    drag(*printer, panel, "up, quickly", -150, -2000);
    std::printf("tap the dimmed screen beside it (tap to dismiss is on)\n");
    panel->backdropView()->dismissalTapGestureRecognizer()->setEnabled(true);
    testing::SimulatedUser::tap(panel->backdropView(), {195, 30});
    waitForRest(panel);
    std::printf("panel presented: %s\n", screen->presentedViewController() ? "yes" : "no");

    std::printf("present a web-page panel as the SDK makes them\n");
    auto web = vyd::DIContainer::slidePanelFactory()->createSlidePanel(
        vyd::SlidePanelFactory::PanelStyle::web, vyd::SlidePanelFactory::PanelBehavior::default_, printer);
    screen->present(web, true);
    waitForRest(web);
    drag(*printer, web, "down, flicked", 120, 6000);
    std::printf("panel presented: %s\n", screen->presentedViewController() ? "yes" : "no");
}

} // namespace hostapp
