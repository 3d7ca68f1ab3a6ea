#pragma once

// The traits that colours and images resolve against: interface style and display scale.
//
// `current()` stands for the appearance of the simulated device: light style at scale 3 until
// something (the simulated user switching appearance, a view drawing with its own traits) sets
// another. It is one process-wide value, safe to read from any thread.

#include "platform/coregraphics/CGGeometry.hpp"

#include <functional>
#include <optional>

namespace uikit {

using coregraphics::CGFloat;

enum class UIUserInterfaceStyle : int { unspecified = 0, light = 1, dark = 2 };

constexpr int rawValue(UIUserInterfaceStyle style) { return static_cast<int>(style); }

class UITraitCollection {
public:
    // Every trait unspecified: style unspecified, display scale 0.
    UITraitCollection() = default;

    static UITraitCollection withUserInterfaceStyle(UIUserInterfaceStyle style);
    static UITraitCollection withDisplayScale(CGFloat scale);
    // The traits of all collections, a later collection's specified traits winning.
    static UITraitCollection combining(std::initializer_list<UITraitCollection> collections);

    UIUserInterfaceStyle userInterfaceStyle() const { return style_; }
    CGFloat displayScale() const { return displayScale_; }

    static UITraitCollection current();
    static void setCurrent(const UITraitCollection& traits);
    // Runs `body` with this collection as the current one, restoring the previous one after.
    void performAsCurrent(const std::function<void()>& body) const;

    friend bool operator==(const UITraitCollection&, const UITraitCollection&) = default;

private:
    UIUserInterfaceStyle style_ = UIUserInterfaceStyle::unspecified;
    CGFloat displayScale_ = 0;
};

} // namespace uikit
