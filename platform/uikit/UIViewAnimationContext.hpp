#pragma once

// How view property changes reach the animation that is being described. View setters report
// each change of an animatable property; the innermost animation block (UIView::animate) or
// property animator on the stack turns it into an animation, and performWithoutAnimation
// pushes a block that drops them. Main-thread only.

#include "platform/quartzcore/CABasicAnimation.hpp"

#include <string>

namespace uikit {

class UIView;

namespace animation {

using quartzcore::CAAnimationValue;

class Recorder {
public:
    virtual ~Recorder() = default;
    virtual void record(UIView& view, const std::string& keyPath, const CAAnimationValue& from,
                        const CAAnimationValue& to) = 0;
};

// A null recorder stands for performWithoutAnimation.
void push(Recorder* recorder);
void pop();
bool isRecording();

// Called by view setters before an animatable property ("position", "bounds", "opacity",
// "transform", "backgroundColor", the layer's "cornerRadius") changes from `from` to `to`.
void willChange(UIView& view, const std::string& keyPath, const CAAnimationValue& from, const CAAnimationValue& to);

// Sets an animatable property of a view without recording it.
void setValue(UIView& view, const std::string& keyPath, const CAAnimationValue& value);

// The value at `fraction` (0...1) of the way; values that cannot be blended jump at the end.
CAAnimationValue interpolate(const CAAnimationValue& from, const CAAnimationValue& to, double fraction);

} // namespace animation
} // namespace uikit
