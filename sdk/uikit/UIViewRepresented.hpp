#pragma once

// Lets declarative content embed a platform view built elsewhere: making the platform view
// gives that very view, and updating it changes nothing.

#include "platform/swiftui/UIViewRepresentable.hpp"

#include <memory>

namespace vyd {

struct UIViewRepresented : swiftui::UIViewRepresentable {
    explicit UIViewRepresented(std::shared_ptr<uikit::UIView> view) : view(std::move(view)) {}

    std::shared_ptr<uikit::UIView> makeUIView(Context&) const override { return view; }
    void updateUIView(uikit::UIView&, Context&) const override {}

    const std::shared_ptr<uikit::UIView> view;
};

} // namespace vyd
