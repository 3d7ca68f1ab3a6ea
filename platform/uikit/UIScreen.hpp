#pragma once

// The simulated device's screen: its bounds in points (portrait) and its scale. New windows and
// the views that view controllers make take their size from it. Main thread only.

#include "platform/coregraphics/CGGeometry.hpp"

namespace uikit {

class UIScreen {
public:
    static UIScreen& main();

    // 390 x 844 points at scale 3 (a current iPhone) until the simulated device sets others.
    coregraphics::CGRect bounds() const { return bounds_; }
    coregraphics::CGFloat scale() const { return scale_; }

    // A size that is not finite or not positive is refused with a message on standard error.
    bool setBounds(const coregraphics::CGRect& bounds);
    bool setScale(coregraphics::CGFloat scale);

    UIScreen(const UIScreen&) = delete;
    UIScreen& operator=(const UIScreen&) = delete;

private:
    UIScreen() = default;

    coregraphics::CGRect bounds_{0, 0, 390, 844};
    coregraphics::CGFloat scale_ = 3;
};

} // namespace uikit
