#include "platform/testing/SimulatedKeyboard.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/foundation/NotificationCenter.hpp"
#include "platform/uikit/UIKeyboard.hpp"
#include "platform/uikit/UIScreen.hpp"

#include <cmath>
#include <iostream>

namespace testing {

using coregraphics::CGFloat;
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

void SimulatedKeyboard::reset() { keyboard() = KeyboardState{}; }

} // namespace testing
