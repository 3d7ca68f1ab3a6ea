#pragma once

// The SDK's named colours. Most are light/dark pairs resolved against the interface style; every
// read makes a new colour object. Four entries are process-wide and settable (`brand`,
// `brandOrange`, `defaultBorder`, `darkGray`): a written colour is what every later read gives.
//
// The entries whose names begin with "themed" run the other way from the rest: dark in the
// light style and light in the dark style.

#include "platform/uikit/UIColor.hpp"

namespace vyd::palette {

using uikit::UIColor;

UIColor textPrimary();
UIColor textSecondary();
UIColor textSecondaryLight();
UIColor textSecondaryDark();
UIColor themedText();
UIColor inversedThemedText();
UIColor themedSubTitle();
UIColor themedElementBackground();
UIColor themedGlobalBackground();
UIColor backgroundSecondary();
UIColor backgroundSecondaryLight();
UIColor backgroundSecondaryDark();
UIColor pureWhite();
UIColor backgroundTransparencePrimary();
UIColor backgroundTransparenceSecondary();
UIColor backgroundTransparenceSecondaryLight();
UIColor backgroundTransparenceSecondaryDark();
UIColor backgroundTransparenceThird();
UIColor borderPrimary();
UIColor separatorColor();
UIColor overlay();
UIColor accent();
UIColor logoGreenWhite();
UIColor greenSecondary();
UIColor greenShadow();
UIColor secondaryShadow();
UIColor lightShadow();
UIColor iconDragModel();
UIColor darkGradientStart();
UIColor darkGradientEnd();
UIColor shimmerColor();

// Always clear. Layer colours do not follow the interface style by themselves, so resolving
// this colour doubles as the SDK's detector of style changes: whenever it is resolved under a
// style other than the one it last saw, it posts `NotificationNames::traitCollectionDidChange()`
// on the default notification centre (no object, no user info). The first resolution in the
// light or dark style after start posts once, and every later change once more.
UIColor clearShimmerColor();

UIColor brand();
void setBrand(const UIColor& color);
UIColor brandOrange();
void setBrandOrange(const UIColor& color);
UIColor defaultBorder();
void setDefaultBorder(const UIColor& color);
UIColor darkGray();
void setDarkGray(const UIColor& color);

} // namespace vyd::palette
