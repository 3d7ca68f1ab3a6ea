#include "sdk/screens/loginbutton/LoginButtonSettings.hpp"

#include "platform/foundation/NSCache.hpp"
#include "platform/uikit/UIGraphicsImageRenderer.hpp"
#include "platform/uikit/UIImage.hpp"
#include "sdk/catalogue/L10n.hpp"
#include "sdk/catalogue/SdkBundle.hpp"
#include "sdk/screens/loginbutton/VYDInvalidOptionError.hpp"
#include "sdk/services/SharedKeychainService.hpp"
#include "sdk/uikit/Palette.hpp"

#include <unicode/brkiter.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace vyd {
namespace {

using coregraphics::CGFloat;
using coregraphics::CGSize;

// Negative, NaN and infinite lengths cannot size a view: they count as 0.
CGFloat usableLength(CGFloat length) { return std::isfinite(length) && length > 0 ? length : 0; }

constexpr CGFloat defaultCornerRadius = 4;
constexpr CGSize defaultLogoSize{16, 16};
constexpr CGFloat defaultFontSize = 14;

// Green is brand-coloured with a white logo and title and no border; white has a green logo, a
// black title and a one-point border.
LoginButtonSettings defaultsOf(VYDLoginButtonStyle style) {
    const auto text = VYDLoginButtonTextType::loginWithVyID;
    if (style == VYDLoginButtonStyle::green) {
        return {style,
                text,
                defaultCornerRadius,
                0,
                uikit::UIColor::clear(),
                uikit::UIColor::white(),
                CGSize{},
                uikit::UIColor::white(),
                "logo_white",
                defaultLogoSize,
                defaultFontSize,
                0,
                0};
    }
    return {style,
            text,
            defaultCornerRadius,
            1,
            palette::defaultBorder(),
            uikit::UIColor::gray(),
            CGSize{},
            uikit::UIColor::black(),
            "logo_green",
            defaultLogoSize,
            defaultFontSize,
            0,
            0};
}

// Every button draws its logo at one of a few sizes, and loading and redrawing one costs more
// than the rest of the button: redrawn logos are kept, by name, size and display scale (which
// picks the asset's variant and the bitmap's scale). The bundle is fixed for the process, so a
// kept logo never goes stale; images are immutable, so buttons may share one.
struct LogoKey {
    std::string name;
    CGSize size;
    CGFloat scale;

    friend bool operator==(const LogoKey&, const LogoKey&) = default;
};

struct LogoKeyHash {
    std::size_t operator()(const LogoKey& key) const {
        std::size_t hash = std::hash<std::string>()(key.name);
        for (const CGFloat value : {key.size.width, key.size.height, key.scale}) {
            hash = hash * 31 + std::hash<CGFloat>()(value);
        }
        return hash;
    }
};

std::shared_ptr<uikit::UIImage> redrawnLogo(const std::string& name, CGSize size) {
    static foundation::NSCache<LogoKey, uikit::UIImage, LogoKeyHash> logos(16);
    const LogoKey key{name, size, uikit::UITraitCollection::current().displayScale()};
    // A size that is not a number would never find its entry again.
    const bool keepable = std::isfinite(size.width) && std::isfinite(size.height) && std::isfinite(key.scale);
    if (auto kept = keepable ? logos.object(key) : nullptr) {
        return kept;
    }
    auto image = uikit::UIImage::named(name, sdkBundle());
    if (!image) {
        return nullptr;
    }
    const uikit::UIGraphicsImageRenderer renderer(size, {.scale = 0, .opaque = false});
    auto redrawn = renderer.image([&](uikit::UIGraphicsImageRendererContext&) {
        image->draw(coregraphics::CGRect({0, 0}, size));
    });
    auto logo = redrawn ? redrawn : image;
    if (keepable) {
        logos.setObject(logo, key);
    }
    return logo;
}

} // namespace

LoginButtonSettings::LoginButtonSettings(VYDLoginButtonStyle style)
    : LoginButtonSettings(defaultsOf(validOption(style))) {}

LoginButtonSettings::LoginButtonSettings(VYDLoginButtonStyle backgroundColor, VYDLoginButtonTextType textType,
                                         CGFloat cornerRadius, CGFloat borderWidth, UIColor borderColor,
                                         UIColor loaderColor, CGSize desiredSize, UIColor titleColor,
                                         std::string logoName, CGSize logoSize, CGFloat fontSize, CGFloat height,
                                         CGFloat width)
    : backgroundColor_(validOption(backgroundColor)), textType_(validOption(textType)), cornerRadius_(cornerRadius),
      borderWidth_(borderWidth), borderColor_(std::move(borderColor)),
      loaderColor_(std::move(loaderColor)), desiredSize_{usableLength(desiredSize.width),
                                                         usableLength(desiredSize.height)},
      titleColor_(std::move(titleColor)), logoName_(std::move(logoName)), logoSize_(logoSize), fontSize_(fontSize),
      height_(height), width_(width) {}

void LoginButtonSettings::setTextType(VYDLoginButtonTextType textType) { textType_ = validOption(textType); }

void LoginButtonSettings::setDesiredSize(CGSize desiredSize) {
    desiredSize_ = {usableLength(desiredSize.width), usableLength(desiredSize.height)};
}

CGFloat LoginButtonSettings::minimalWidth() const {
    // Measured two points larger than the button draws, so that the title never truncates.
    const auto measuringFont = uikit::UIFont::systemFont(fontSize_ + 2);
    return uikit::sizeWithFont(text(), measuringFont).width + 3 * logoSize_.width;
}

uikit::UIFont LoginButtonSettings::font() const { return uikit::UIFont::systemFont(fontSize_); }

std::string LoginButtonSettings::text() const { return loginButtonText(textType_); }

std::shared_ptr<uikit::UIImage> LoginButtonSettings::logoImage() const { return redrawnLogo(logoName_, logoSize_); }

std::optional<std::string> LoginButtonSettings::maskedName() const {
    if (textType_ == VYDLoginButtonTextType::vyID) {
        return std::nullopt;
    }
    // A new service over a new wrapper on every read: the VY Bank app may have written the
    // record since, and nothing is cached.
    auto name = SharedKeychainService::make()->getPersonalizedButtonMaskedName();
    if (!name || name->empty()) {
        return std::nullopt;
    }
    return name;
}

std::string LoginButtonSettings::adaptedDescription(const std::string& name) const {
    if (userPerceivedLength(text()) >= userPerceivedLength(name)) {
        return L10n::Ui::LoginButton::loginAsValue(name);
    }
    return "  " + name;
}

bool operator==(const LoginButtonSettings& a, const LoginButtonSettings& b) {
    return a.backgroundColor_ == b.backgroundColor_ && a.cornerRadius_ == b.cornerRadius_ &&
           a.borderWidth_ == b.borderWidth_ && a.borderColor_ == b.borderColor_ && a.loaderColor_ == b.loaderColor_ &&
           a.desiredSize_ == b.desiredSize_ && a.titleColor_ == b.titleColor_ && a.logoName_ == b.logoName_ &&
           a.logoSize_ == b.logoSize_ && a.fontSize_ == b.fontSize_ && a.textType_ == b.textType_ &&
           a.height_ == b.height_ && a.width_ == b.width_;
}

const std::string& loginButtonText(VYDLoginButtonTextType textType) {
    switch (validOption(textType)) {
    case VYDLoginButtonTextType::vyID:
        return L10n::Ui::LoginButton::vyIdB64();
    case VYDLoginButtonTextType::loginWithVyID:
        return L10n::Ui::LoginButton::loginWithVyIdB64();
    case VYDLoginButtonTextType::fillWithVyID:
        return L10n::Ui::LoginButton::fillWithVyIdB64();
    case VYDLoginButtonTextType::continueWithVyID:
        return L10n::Ui::LoginButton::continueWithVyIdB64();
    }
    throw VYDInvalidOptionError("VYDLoginButtonTextType", rawValue(textType),
                                rawValue(VYDLoginButtonTextType::continueWithVyID));
}

std::size_t userPerceivedLength(const std::string& text) {
    if (text.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
        return text.size();
    }
    const auto unicode = icu::UnicodeString::fromUTF8(text);
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::BreakIterator> characters(
        icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
    if (U_FAILURE(status) || !characters) {
        // Without ICU's break rules, code points are the closest count.
        return static_cast<std::size_t>(unicode.countChar32());
    }
    characters->setText(unicode);
    std::size_t count = 0;
    while (characters->next() != icu::BreakIterator::DONE) {
        ++count;
    }
    return count;
}

void sizeHeightToDesiredSize(LoginButtonSettingsProtocol& settings) {
    const CGFloat desired = usableLength(settings.desiredSize().height);
    if (desired < 28) {
        settings.setHeight(28);
    } else if (desired <= 34) {
        settings.setHeight(std::min<CGFloat>(desired, 32));
    } else if (desired <= 50) {
        settings.setHeight(std::min<CGFloat>(desired, 48));
        settings.setLogoSize({22, 22});
    } else {
        settings.setHeight(std::min<CGFloat>(desired, 64));
        settings.setLogoSize({26, 26});
        settings.setFontSize(16);
    }
}

bool sizeWidthToDesiredSize(LoginButtonSettingsProtocol& settings) {
    const CGFloat desired = usableLength(settings.desiredSize().width);
    const CGFloat minimal = settings.minimalWidth();
    settings.setWidth(std::max(desired, minimal));
    return desired < minimal;
}

void applyCornerStyle(LoginButtonSettingsProtocol& settings, VYDCornerRadiusStyle style) {
    switch (validOption(style)) {
    case VYDCornerRadiusStyle::square:
        settings.setCornerRadius(0);
        break;
    case VYDCornerRadiusStyle::rounded:
        settings.setCornerRadius(4);
        break;
    case VYDCornerRadiusStyle::capsule:
        settings.setCornerRadius(settings.height() * 0.5);
        break;
    }
}

} // namespace vyd
