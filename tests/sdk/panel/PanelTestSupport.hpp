#pragma once

// What the panel tests share: a simulated phone on the manual clock, and a delegate that writes
// every call it gets into a log.

#include "platform/testing/SimulatedUser.hpp"
#include "platform/uikit/UIViewPropertyAnimator.hpp"
#include "platform/uikit/UIWindow.hpp"
#include "sdk/panel/SlidePanelController.hpp"
#include "sdk/uikit/UIKitTestSupport.hpp"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace paneltests {

using Log = std::vector<std::string>;

class RecordingDelegate : public vyd::SlidePanelDidMoveDelegate,
                          public vyd::SlidePanelWillRemoveDelegate,
                          public vyd::SlidePanelDidRemoveDelegate {
public:
    void slidePanelDidMove(const std::shared_ptr<vyd::SlidePanelController>& panel) override {
        // Consecutive moves in the same state and manner make one entry.
        const std::string entry =
            std::string(panel->isAttracting() ? "spring" : "move") + ":" + panel->state()->description();
        if (log.empty() || log.back() != entry) {
            log.push_back(entry);
        }
        if (onMove) {
            onMove(panel);
        }
    }
    void slidePanelWillRemove(const std::shared_ptr<vyd::SlidePanelController>& panel) override {
        log.push_back("willRemove:" + panel->state()->description());
    }
    void slidePanelDidRemove(const std::shared_ptr<vyd::SlidePanelController>& panel) override {
        log.push_back("didRemove:" + panel->state()->description());
    }

    // Entries other than the moves.
    Log removals() const {
        Log kept = log;
        std::erase_if(kept, [](const std::string& e) { return e.starts_with("move") || e.starts_with("spring"); });
        return kept;
    }

    Log log;
    std::function<void(const std::shared_ptr<vyd::SlidePanelController>&)> onMove;
};

// A 390 x 844 phone with insets 47 (top) and 34 (bottom), on the manual clock.
class PanelTest : public uikittests::PhoneTest {
protected:
    // A panel presented without animation, shown in its initial state.
    std::shared_ptr<vyd::SlidePanelController>
    presentedPanel(const std::shared_ptr<vyd::SlidePanelControllerDelegate>& panelDelegate = nullptr) {
        auto panel = vyd::SlidePanelController::make(panelDelegate);
        root->present(panel, false);
        settle();
        return panel;
    }

    // A finger drags the panel by its grabber handle and lets go.
    static void drag(const vyd::SlidePanelController& panel, double dy, double velocity) {
        ::testing::SimulatedUser::drag(panel.surfaceView()->grabberHandle(), {0, dy}, {0, velocity});
    }

    // Panels hold their delegate weakly: the test keeps it.
    std::shared_ptr<RecordingDelegate> delegate = std::make_shared<RecordingDelegate>();
};

// Where the default layout puts the surface's top on that phone.
constexpr double fullTop = 47 + 18;
constexpr double halfTop = 844 - 34 - 262;
constexpr double tipTop = 844 - 34 - 69;
constexpr double hiddenTop = 844;

} // namespace paneltests
