#pragma once

// Values that flow from a view down to everything inside it: text styling, the environment
// objects and the presentation the view belongs to.

#include "platform/combine/ObservableObject.hpp"
#include "platform/swiftui/Color.hpp"
#include "platform/swiftui/Font.hpp"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <typeindex>

namespace swiftui {

// The presentation a view belongs to: whether it is shown modally, and the way to end that.
class PresentationMode {
public:
    PresentationMode() = default;
    PresentationMode(std::function<bool()> isPresented, std::function<void()> dismiss)
        : isPresented_(std::move(isPresented)), dismiss_(std::move(dismiss)) {}

    bool isPresented() const { return isPresented_ && isPresented_(); }
    // Ends the presentation when there is one; does nothing otherwise.
    void dismiss() const {
        if (isPresented() && dismiss_) {
            dismiss_();
        }
    }

private:
    std::function<bool()> isPresented_;
    std::function<void()> dismiss_;
};

struct EnvironmentValues {
    std::optional<Font> font;
    std::optional<Color> foregroundColor;
    std::optional<int> lineLimit;
    TruncationMode truncationMode = TruncationMode::tail;
    TextAlignment multilineTextAlignment = TextAlignment::leading;
    CGFloat minimumScaleFactor = 1;
    PresentationMode presentationMode;
    // Environment objects by their type.
    std::map<std::type_index, std::shared_ptr<combine::ObservableObject>> objects;
    // The axis of the stack a view sits in (through modifiers), which spacers grow along.
    std::optional<Axis> stackAxis;
};

} // namespace swiftui
