#pragma once

// Skeleton placeholders for views whose data is still loading. A templated view is covered by a
// solid rounded layer in a base colour and masked to the area where its text or content sits; a
// shimmering one also carries a highlight (an animated gradient layer) that sweeps across that
// area for as long as it shimmers.
//
// Either template one view (`startShimmering` / `stopShimmering`), or mark the views that take
// part (`setShimmerable`) and template every marked descendant of a container at once
// (`setTemplateWithSubviews`). Layer colours are resolved once, when set; only views started with
// `startShimmering` recolour their highlight when the appearance changes between light and dark.
//
// Main thread only, as everything that touches views.

#include "platform/uikit/UIColor.hpp"
#include "platform/uikit/UIView.hpp"

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

namespace vyd {

// The names of the layers added here, by which they are found again.
struct ShimmerKey {
    static constexpr std::string_view shimmer = "Key.ShimmerLayer";
    static constexpr std::string_view template_ = "Key.TemplateLayer";
};

// The keys of the per-view settings: only their addresses are used.
struct ViewAssociatedKeys {
    ViewAssociatedKeys() = delete;
    static std::uint8_t shimmerable;
    static std::uint8_t shimmerCornerRadius;
};

// Whether the view takes part in `setTemplateWithSubviews` (false until set).
bool isShimmerable(const uikit::UIView& view);
void setShimmerable(uikit::UIView& view, bool shimmerable);
// The least corner radius of the view's template; the layer's own corner radius until set.
float shimmerCornerRadius(const uikit::UIView& view);
void setShimmerCornerRadius(uikit::UIView& view, float radius);

// Templates the view itself, starts its highlight in the palette's shimmer colour, and recolours
// the highlight whenever the appearance changes, until `stopShimmering`.
void startShimmering(const std::shared_ptr<uikit::UIView>& view);
// Removes the template, the mask and the highlight, and stops the recolouring.
void stopShimmering(uikit::UIView& view);

// Templates (or, with false, un-templates) every marked descendant, at any depth, a view before
// its own descendants; never the container. With `animate`, their highlights start (or stop)
// too; without, highlights already there are left as they are. `color` is the template colour
// (the palette's shimmer colour when absent).
void setTemplateWithSubviews(uikit::UIView& view, bool template_, const std::optional<uikit::UIColor>& color,
                             bool animate);

// Gives an empty text view or label of zero width a placeholder text, so that it has a size to
// cover (true), or takes that placeholder away again (false). Other views and texts stay.
void prepareTemplate(uikit::UIView& view, bool template_);
// Adds the template layer and the mask (once), or removes both.
void setTemplate(uikit::UIView& view, bool template_, const std::optional<uikit::UIColor>& baseColor = std::nullopt);
// The area the template covers, in the view's own coordinates: the text of a text view or a
// label, placed as its alignment places it; the bounds of any other view.
coregraphics::CGRect getFrame(const uikit::UIView& view);

} // namespace vyd
