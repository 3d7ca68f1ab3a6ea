#pragma once
#include "platform/uikit/NSLayoutConstraint.hpp"
#include "platform/uikit/UIColor.hpp"
#include "platform/uikit/UIFont.hpp"
#include "sdk/base/VYDFonts.hpp"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace uikit {
class UILayoutGuide;
class UINavigationController;
class UINavigationItem;
class UIStackView;
class UIView;
} // namespace uikit

// The view, stack and navigation helpers that the SDK's screens share.
namespace vyd {

// MARK: Views

// Shadow colour, offset, radius and opacity on the view's layer, then clipping off so that the
// shadow shows.
void dropShadow(uikit::UIView& view, const uikit::UIColor& shadowColor, const coregraphics::CGSize& shadowOffset,
                coregraphics::CGFloat shadowRadius, float shadowOpacity);

// Adds each view as a subview, in order.
void addSubviews(uikit::UIView& view, const std::vector<std::shared_ptr<uikit::UIView>>& subviews);

// Top, leading, trailing and bottom equal to the superview's, activated and returned in that
// order. Without a superview (or a view) nothing changes and the result is empty.
std::vector<uikit::NSLayoutConstraint::Pointer> pinToEdges(const std::shared_ptr<uikit::UIView>& view);

// A new layout guide of the view whose top, left, bottom and right equal the view's.
std::shared_ptr<uikit::UILayoutGuide> makeBoundsLayoutGuide(const std::shared_ptr<uikit::UIView>& view);

// The first of the view's own constraints whose first attribute is `withFirstAttribute` and,
// when a second attribute is given, whose second attribute is that one.
uikit::NSLayoutConstraint::Pointer
constraint(const uikit::UIView& view, uikit::NSLayoutAttribute withFirstAttribute,
           std::optional<uikit::NSLayoutAttribute> andSecondAttribute = std::nullopt);
// The first of the view's own constraints with that identifier.
uikit::NSLayoutConstraint::Pointer constraint(const uikit::UIView& view, const std::string& withIdentifier);

// MARK: Stack views

// Each view in turn: transparent, arranged, the stack laid out at once, then faded in (over
// 0.3 s with a new layout of the stack when animated, at once otherwise).
void addArrangedSubviews(uikit::UIStackView& stackView, const std::vector<std::shared_ptr<uikit::UIView>>& views,
                         bool animated);
void addArrangedSubview(uikit::UIStackView& stackView, const std::shared_ptr<uikit::UIView>& view, bool animated,
                        double duration = 0.3);
// Takes the view out of the arrangement and out of the stack view at once; `animated` and
// `duration` are kept for callers but change nothing.
void removeArrangedSubview(uikit::UIStackView& stackView, const std::shared_ptr<uikit::UIView>& view, bool animated,
                           double duration = 0.3);
// Takes every view out of the arrangement; they stay subviews of the stack view.
void removeAllArrangedSubviews(uikit::UIStackView& stackView);

// MARK: Navigation

// Hides the bar's own shadow line and hangs a line of that colour and height under the bar.
void addCustomBottomLine(uikit::UINavigationController& navigationController, const uikit::UIColor& color,
                         double height);

// A title and a subtitle, centred one above the other, as the item's title view.
void setTitle(uikit::UINavigationItem& navigationItem, std::optional<std::string> title,
              const uikit::UIFont& titleFont = uikit::UIFont::systemFont(17),
              const uikit::UIColor& titleColor = uikit::UIColor::white(),
              std::optional<std::string> subtitle = std::nullopt,
              const uikit::UIFont& subtitleFont = uikit::UIFont::systemFont(12),
              const uikit::UIColor& subtitleColor = uikit::UIColor::white());

// The font of the personal-account pages: the host app's medium or semibold font from the UI
// preferences at that size, else the system font of that size and weight.
uikit::UIFont personalCabinetFont(coregraphics::CGFloat ofSize, VYDFonts::VYDFontType weight);

} // namespace vyd
