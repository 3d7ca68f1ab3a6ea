#pragma once

// A view of the declarative layer that shows a platform view. The tree calls `makeUIView` once
// per identity, `updateUIView` at every later evaluation, and `sizeThatFits` when it lays the
// view out (without an answer the view's intrinsic size is used where it has one, the offered
// size elsewhere). The platform view becomes a subview of the hosting view, framed by layout.

#include "platform/swiftui/Animation.hpp"
#include "platform/swiftui/EnvironmentValues.hpp"
#include "platform/swiftui/Geometry.hpp"
#include "platform/uikit/UIView.hpp"

#include <memory>
#include <optional>

namespace swiftui {

class UIViewRepresentable {
public:
    struct Context {
        const EnvironmentValues& environment;
        Transaction transaction;
    };

    UIViewRepresentable() = default;
    UIViewRepresentable(const UIViewRepresentable&) = default;
    UIViewRepresentable& operator=(const UIViewRepresentable&) = default;
    virtual ~UIViewRepresentable() = default;

    virtual std::shared_ptr<uikit::UIView> makeUIView(Context& context) const = 0;
    virtual void updateUIView(uikit::UIView& view, Context& context) const = 0;
    virtual std::optional<CGSize> sizeThatFits(ProposedViewSize proposal, uikit::UIView& view, Context& context) const {
        return std::nullopt;
    }
};

} // namespace swiftui
