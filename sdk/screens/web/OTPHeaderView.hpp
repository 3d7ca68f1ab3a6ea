#pragma once
#include "platform/swiftui/View.hpp"

#include <functional>

namespace vyd {

// The header of the full-screen authorization web scene: a back chevron (when asked for), a
// flexible space and "Done", 42 points high on the system grouped background.
struct OTPHeaderView {
    std::function<void()> onBack;
    std::function<void()> onDone;
    bool isShowBackButton = false;

    OTPHeaderView() = default;
    OTPHeaderView(std::function<void()> onBack, std::function<void()> onDone, bool isShowBackButton)
        : onBack(std::move(onBack)), onDone(std::move(onDone)), isShowBackButton(isShowBackButton) {}

    swiftui::View body() const;
};

} // namespace vyd
