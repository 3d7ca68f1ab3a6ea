#pragma once

// Colour helpers of the SDK: light/dark pairs, colours from 0-255 numbers and from hexadecimal
// text, and the small helpers the shimmer effects build their gradients with.

#include "platform/uikit/UIColor.hpp"

#include <string>
#include <string_view>
#include <vector>

namespace vyd {

using coregraphics::CGFloat;
using uikit::UIColor;

// A dynamic colour: `dark` under the dark interface style, `light` under every other (light and
// unspecified). Each call makes a new colour object.
UIColor colorPair(const UIColor& light, const UIColor& dark);

// An RGB colour from red, green and blue on the 0-255 scale and alpha on the 0-1 scale.
UIColor rgb(CGFloat red, CGFloat green, CGFloat blue, CGFloat alpha = 1);

// A colour from hexadecimal text such as "#AABBCC", "abc" or "80FF0000" (alpha first). Never
// fails: text that is not a colour gives opaque black, and only the leading hexadecimal digits
// count (the number of characters chooses the form: 3, 6 or 8; anything else is black).
UIColor colorFromHex(std::string_view hex);

// "#" and six upper-case hexadecimal digits for red, green and blue of the colour as it
// resolves now; alpha is dropped.
std::string toHex(const UIColor& color);

// Whether the colour, as it resolves now, is light by its perceived brightness. A grey colour
// (two components) is never light, not even white.
bool isLight(const UIColor& color);

// The same hue, saturation and alpha with the brightness multiplied by `factor`, kept within
// 0...1.
UIColor adjust(const UIColor& color, CGFloat by);

// Three stops for a shimmer: the colour, the colour darkened (when light) or brightened (when
// dark), the colour again.
std::vector<UIColor> makeGradient(const UIColor& color);

} // namespace vyd
