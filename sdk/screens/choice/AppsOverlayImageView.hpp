#pragma once

// A short row of app icons overlapping like fanned cards, right-aligned in a frame exactly as
// wide as the row: icon 0 at the trailing edge, each further one 33 points towards the leading
// edge and drawn above the one before.

#include "platform/swiftui/View.hpp"

#include <memory>
#include <vector>

namespace vyd {

struct AppsOverlayImageView {
    static constexpr coregraphics::CGFloat iconSize = 42;
    static constexpr coregraphics::CGFloat step = 33;

    swiftui::View body() const;

    std::vector<std::shared_ptr<uikit::UIImage>> images;
};

} // namespace vyd
