#include "platform/testing/SimulatedKeyboard.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/foundation/NotificationCenter.hpp"
#include "platform/testing/SimulatedUser.hpp"
#include "platform/uikit/UIKeyboard.hpp"
#include "platform/uikit/UIPresentationController.hpp"
#include "platform/uikit/UIScreen.hpp"
#include "platform/uikit/UIView.hpp"
#include "platform/uikit/UIViewAnimation.hpp"
#include "platform/uikit/UIViewController.hpp"

#include <cmath>
#include <iostream>

namespace testing {

using coregraphics::CGFloat;
using coregraphics::CGPoint;
using coregraphics::CGRect;

namespace {

struct KeyboardState {
    bool visible = false;
    CGFloat height = 0;
    CGRect frame;
};

KeyboardState& keyboard() {
    static KeyboardState state;
    return state;
}

CGRect frameBelowScreen(CGFloat height) {
    const CGRect screen = uikit::UIScreen::main().bounds();
    return {screen.origin.x, screen.maxY(), screen.size.width, height};
}

void post(const foundation::NotificationName& name, const CGRect& begin, const CGRect& end) {
    foundation::NotificationCenter::defaultCenter().post(
        name, nullptr,
        {{uikit::UIKeyboard::frameBeginUserInfoKey, begin},
         {uikit::UIKeyboard::frameEndUserInfoKey, end},
         {uikit::UIKeyboard::animationDurationUserInfoKey, SimulatedKeyboard::animationDuration},
         {uikit::UIKeyboard::animationCurveUserInfoKey, 7}});
}

} // namespace

void SimulatedKeyboard::show(CGFloat height) {
    if (!std::isfinite(height) || height <= 0) {
        std::cerr << "SimulatedKeyboard: a keyboard height must be finite and positive; using " << defaultHeight
                  << ".\n";
        height = defaultHeight;
    }
    auto& state = keyboard();
    const CGRect screen = uikit::UIScreen::main().bounds();
    const CGRect begin = state.visible ? state.frame : frameBelowScreen(height);
    const CGRect end{screen.origin.x, screen.maxY() - height, screen.size.width, height};
    state.visible = true;
    state.height = height;
    state.frame = end;
    post(uikit::UIKeyboard::willShowNotification, begin, end);
    foundation::DispatchQueue::main().asyncAfter(animationDuration, [begin, end] {
        if (keyboard().visible && keyboard().frame == end) {
            post(uikit::UIKeyboard::didShowNotification, begin, end);
        }
    });
}

void SimulatedKeyboard::hide() {
    auto& state = keyboard();
    if (!state.visible) {
        return;
    }
    const CGRect begin = state.frame;
    const CGRect end = frameBelowScreen(state.height);
    state.visible = false;
    state.frame = end;
    post(uikit::UIKeyboard::willHideNotification, begin, end);
    foundation::DispatchQueue::main().asyncAfter(animationDuration, [begin, end] {
        if (!keyboard().visible) {
            post(uikit::UIKeyboard::didHideNotification, begin, end);
        }
    });
}

bool SimulatedKeyboard::isVisible() { return keyboard().visible; }

CGFloat SimulatedKeyboard::height() { return keyboard().visible ? keyboard().height : 0; }

void SimulatedKeyboard::reset() { keyboard() = KeyboardState{}; }

std::shared_ptr<uikit::UIView> SimulatedBackdrop::tap(const std::shared_ptr<uikit::UIViewController>& presented) {
    const auto controller = presented ? presented->presentationController() : nullptr;
    const auto container = controller ? controller->containerView() : nullptr;
    if (!container) {
        std::cerr << "SimulatedBackdrop: " << (presented ? presented->description() : std::string("nil"))
                  << " is not presented; there is no backdrop to tap.\n";
        return nullptr;
    }
    const CGRect area = container->bounds();
    const auto view = controller->presentedView();
    const CGRect covered = view && view->superview() ? view->convert(view->bounds(), container.get()) : CGRect::zero();
    const CGPoint candidates[] = {
        {area.midX(), (area.minY() + covered.minY()) / 2},
        {area.midX(), (covered.maxY() + area.maxY()) / 2},
        {(area.minX() + covered.minX()) / 2, area.midY()},
        {(covered.maxX() + area.maxX()) / 2, area.midY()},
    };
    for (const CGPoint& point : candidates) {
        const bool inside =
            point.x > area.minX() && point.x < area.maxX() && point.y > area.minY() && point.y < area.maxY();
        const bool onPresented = point.x >= covered.minX() && point.x <= covered.maxX() && point.y >= covered.minY() &&
                                 point.y <= covered.maxY();
        if (inside && (!view || !view->superview() || !onPresented)) {
            return SimulatedUser::tap(container, point);
        }
    }
    std::cerr << "SimulatedBackdrop: the presented view of " << presented->description()
              << " covers its whole container; there is no backdrop to tap.\n";
    return nullptr;
}

} // namespace testing
