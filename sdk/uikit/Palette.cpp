#include "sdk/uikit/Palette.hpp"

#include "platform/foundation/NotificationCenter.hpp"
#include "sdk/base/NotificationNames.hpp"
#include "sdk/uikit/HexColor.hpp"

#include <atomic>
#include <mutex>

namespace vyd::palette {

namespace {

// A settable entry: made with its initial colour on first use (thread-safe) and never destroyed,
// so that code running during shutdown still reads a colour; read and replaced under a lock,
// since a colour value shares its internals and cannot be copied while another thread writes it.
class StoredColor {
public:
    explicit StoredColor(UIColor initial) : color_(std::move(initial)) {}

    UIColor get() const {
        std::lock_guard lock(mutex_);
        return color_;
    }
    void set(const UIColor& color) {
        std::lock_guard lock(mutex_);
        color_ = color;
    }

private:
    mutable std::mutex mutex_;
    UIColor color_;
};

StoredColor& brandStore() {
    static StoredColor& store = *new StoredColor(rgb(33, 160, 56));
    return store;
}

StoredColor& brandOrangeStore() {
    static StoredColor& store = *new StoredColor(rgb(254, 109, 30));
    return store;
}

StoredColor& defaultBorderStore() {
    static StoredColor& store = *new StoredColor(rgb(118, 118, 118));
    return store;
}

StoredColor& darkGrayStore() {
    // 44/225, not 44/255: the snack bar has always been this shade.
    constexpr coregraphics::CGFloat component = 0.19555555555555557;
    static StoredColor& store = *new StoredColor(UIColor(component, component, component, 1));
    return store;
}

// The interface style `clearShimmerColor` last resolved under, as its raw value. One atomic
// exchange both compares and stores, so two resolutions racing on a change post only once.
std::atomic<int> previousTraitCollectionStyle{uikit::rawValue(uikit::UIUserInterfaceStyle::unspecified)};

} // namespace

UIColor textPrimary() { return colorPair(rgb(8, 8, 8), rgb(255, 255, 255)); }
UIColor textSecondary() { return colorPair(rgb(8, 8, 8, 0.5), rgb(255, 255, 255, 0.5)); }
UIColor textSecondaryLight() { return rgb(8, 8, 8, 0.5); }
UIColor textSecondaryDark() { return rgb(255, 255, 255, 0.5); }
UIColor themedText() { return colorPair(UIColor::white(), UIColor::black()); }
UIColor inversedThemedText() { return colorPair(UIColor::black(), UIColor::white()); }

UIColor themedSubTitle() {
    return colorPair(UIColor(0.6746488, 0.6890887, 0.7148605, 1), UIColor(0.5294023, 0.544161, 0.5656634, 1));
}

UIColor themedElementBackground() {
    return colorPair(UIColor(0.35423163, 0.36879966, 0.41167507, 1), UIColor(0.91764706, 0.91764706, 0.91764706, 1));
}

UIColor themedGlobalBackground() {
    return colorPair(UIColor(0.27058825, 0.27432492, 0.3216106, 1), UIColor(0.97254926, 0.972549, 0.97254914, 1));
}

UIColor backgroundSecondary() { return colorPair(rgb(255, 255, 255), rgb(39, 39, 39)); }
UIColor backgroundSecondaryLight() { return rgb(255, 255, 255); }
UIColor backgroundSecondaryDark() { return rgb(39, 39, 39); }
UIColor pureWhite() { return rgb(255, 255, 255); }
UIColor backgroundTransparencePrimary() { return colorPair(rgb(8, 8, 8, 0.02), rgb(255, 255, 255, 0.06)); }
UIColor backgroundTransparenceSecondary() { return colorPair(rgb(8, 8, 8, 0.06), rgb(255, 255, 255, 0.12)); }
UIColor backgroundTransparenceSecondaryLight() { return rgb(8, 8, 8, 0.06); }
UIColor backgroundTransparenceSecondaryDark() { return rgb(255, 255, 255, 0.12); }
UIColor backgroundTransparenceThird() { return colorPair(rgb(248, 248, 248), rgb(68, 69, 80)); }
UIColor borderPrimary() { return colorPair(rgb(8, 8, 8, 0.08), rgb(255, 255, 255, 0.1)); }
UIColor separatorColor() { return rgb(0, 0, 0, 0.12); }

UIColor overlay() {
    return colorPair(UIColor::black().withAlphaComponent(0.2), UIColor::black().withAlphaComponent(0.6));
}

UIColor accent() { return colorPair(rgb(20, 143, 43), rgb(36, 178, 62)); }
UIColor logoGreenWhite() { return colorPair(rgb(20, 143, 43), rgb(255, 255, 255)); }
UIColor greenSecondary() { return rgb(224, 251, 225); }
UIColor greenShadow() { return colorPair(rgb(106, 193, 156), rgb(106, 193, 156)); }
UIColor secondaryShadow() { return rgb(0, 0, 0, 0.15); }
UIColor lightShadow() { return rgb(0, 0, 0, 0.25); }
UIColor iconDragModel() { return rgb(255, 255, 255, 0.25); }
UIColor darkGradientStart() { return colorPair(rgb(255, 255, 255), rgb(70, 68, 80)); }
UIColor darkGradientEnd() { return colorPair(rgb(255, 255, 255), rgb(63, 86, 99)); }
UIColor shimmerColor() { return colorPair(rgb(236, 240, 241), rgb(28, 35, 37)); }

UIColor clearShimmerColor() {
    return UIColor([](const uikit::UITraitCollection& traits) {
        const int style = uikit::rawValue(traits.userInterfaceStyle());
        if (previousTraitCollectionStyle.exchange(style) != style) {
            foundation::NotificationCenter::defaultCenter().post(NotificationNames::traitCollectionDidChange());
        }
        return UIColor::clear();
    });
}

UIColor brand() { return brandStore().get(); }
void setBrand(const UIColor& color) { brandStore().set(color); }
UIColor brandOrange() { return brandOrangeStore().get(); }
void setBrandOrange(const UIColor& color) { brandOrangeStore().set(color); }
UIColor defaultBorder() { return defaultBorderStore().get(); }
void setDefaultBorder(const UIColor& color) { defaultBorderStore().set(color); }
UIColor darkGray() { return darkGrayStore().get(); }
void setDarkGray(const UIColor& color) { darkGrayStore().set(color); }

} // namespace vyd::palette
