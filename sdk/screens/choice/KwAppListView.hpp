#pragma once

// The content of the sheet that offers the VY Bank apps installed on the device: a title, a
// subtitle, one card per app and a close button in the top trailing corner. It reads its model
// from the environment (showing it without one is fatal). A tap on a card sends that app into
// the model, the close button calls the model, and while the view is shown the model's dismiss
// signal makes it ask its presentation to end.

#include "platform/combine/AnyCancellable.hpp"
#include "platform/swiftui/State.hpp"
#include "platform/swiftui/View.hpp"
#include "sdk/screens/choice/KwAppListViewModel.hpp"

#include <optional>

namespace vyd {

struct KwAppListView {
    static constexpr coregraphics::CGFloat singleAppAreaHeight = 74;
    static constexpr coregraphics::CGFloat cardsAreaHeight = 154;

    swiftui::View body() const;

    swiftui::EnvironmentObject<KwAppListViewModel> viewModel;
    swiftui::Environment<&swiftui::EnvironmentValues::presentationMode> presentationMode;
    swiftui::State<std::optional<combine::AnyCancellable>> cancellable;
};

} // namespace vyd
