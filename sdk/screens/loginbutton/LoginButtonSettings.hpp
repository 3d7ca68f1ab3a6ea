#pragma once
#include "sdk/base/LoginButtonSettingsProtocol.hpp"
#include "sdk/base/VYDCornerRadiusStyle.hpp"

namespace vyd {

// The login button's appearance and sizes, with the answers that depend on them. Its style and
// text type are always cases of their enumerations: the initialisers and setTextType throw
// VYDInvalidOptionError for an integer that names none, so every text and width is defined.
class LoginButtonSettings : public LoginButtonSettingsProtocol {
public:
    using UIColor = uikit::UIColor;

    // The defaults of the style: green is brand-coloured with a white logo and title and no
    // border; white has a green logo, a black title and a one-point border.
    explicit LoginButtonSettings(VYDLoginButtonStyle style);
    LoginButtonSettings(VYDLoginButtonStyle backgroundColor, VYDLoginButtonTextType textType, CGFloat cornerRadius,
                        CGFloat borderWidth, UIColor borderColor, UIColor loaderColor, CGSize desiredSize,
                        UIColor titleColor, std::string logoName, CGSize logoSize, CGFloat fontSize, CGFloat height,
                        CGFloat width);

    VYDLoginButtonStyle backgroundColor() const override { return backgroundColor_; }
    VYDLoginButtonTextType textType() const override { return textType_; }
    void setTextType(VYDLoginButtonTextType textType) override;
    CGFloat cornerRadius() const override { return cornerRadius_; }
    void setCornerRadius(CGFloat cornerRadius) override { cornerRadius_ = cornerRadius; }
    CGFloat borderWidth() const override { return borderWidth_; }
    void setBorderWidth(CGFloat borderWidth) override { borderWidth_ = borderWidth; }
    UIColor borderColor() const override { return borderColor_; }
    void setBorderColor(UIColor borderColor) override { borderColor_ = std::move(borderColor); }
    UIColor loaderColor() const override { return loaderColor_; }
    void setLoaderColor(UIColor loaderColor) override { loaderColor_ = std::move(loaderColor); }
    UIColor titleColor() const override { return titleColor_; }
    void setTitleColor(UIColor titleColor) override { titleColor_ = std::move(titleColor); }
    CGSize desiredSize() const override { return desiredSize_; }
    // A component that is negative or not a number (NaN, infinite) is stored as 0, so that the
    // sizing falls back to the limits of the sizing rule.
    void setDesiredSize(CGSize desiredSize) override;
    CGSize logoSize() const override { return logoSize_; }
    void setLogoSize(CGSize logoSize) override { logoSize_ = logoSize; }
    CGFloat fontSize() const override { return fontSize_; }
    void setFontSize(CGFloat fontSize) override { fontSize_ = fontSize; }
    std::string logoName() const override { return logoName_; }
    void setLogoName(std::string logoName) override { logoName_ = std::move(logoName); }
    CGFloat height() const override { return height_; }
    void setHeight(CGFloat height) override { height_ = height; }
    CGFloat width() const override { return width_; }
    void setWidth(CGFloat width) override { width_ = width; }

    CGFloat minimalWidth() const override;
    uikit::UIFont font() const override;
    std::string text() const override;
    std::shared_ptr<uikit::UIImage> logoImage() const override;
    std::optional<std::string> maskedName() const override;
    // " Login as <name>" (the catalogue's format) when the name has no more user-perceived
    // characters than text(); otherwise two spaces and the name.
    std::string adaptedDescription(const std::string& name) const override;

    // All thirteen fields; colours compare as colour objects do.
    friend bool operator==(const LoginButtonSettings& a, const LoginButtonSettings& b);

private:
    VYDLoginButtonStyle backgroundColor_;
    VYDLoginButtonTextType textType_;
    CGFloat cornerRadius_;
    CGFloat borderWidth_;
    UIColor borderColor_;
    UIColor loaderColor_;
    CGSize desiredSize_;
    UIColor titleColor_;
    std::string logoName_;
    CGSize logoSize_;
    CGFloat fontSize_;
    CGFloat height_;
    CGFloat width_;
};

// The catalogue text of a text type (VYDInvalidOptionError for a value that names no case).
const std::string& loginButtonText(VYDLoginButtonTextType textType);

// The number of user-perceived characters (grapheme clusters) of UTF-8 text; bytes that are not
// UTF-8 count one each.
std::size_t userPerceivedLength(const std::string& text);

// The sizing rule, from the desired height: below 28 the height is 28; up to 34 at most 32; up
// to 50 at most 48 with a 22-point logo; above that at most 64 with a 26-point logo and a
// 16-point font. A desired height that is not a positive number counts as 0.
void sizeHeightToDesiredSize(LoginButtonSettingsProtocol& settings);
// The width becomes the larger of the desired width and the minimal width (measured with the
// sizes the height step left); true when the desired width was smaller, which the controller
// reports. Run it after sizeHeightToDesiredSize. A desired width that is not a positive number
// counts as 0.
bool sizeWidthToDesiredSize(LoginButtonSettingsProtocol& settings);
// The corner radius of the style for the settings' height: 0, 4, or half the height.
// VYDInvalidOptionError, changing nothing, for a value that names no case.
void applyCornerStyle(LoginButtonSettingsProtocol& settings, VYDCornerRadiusStyle style);

} // namespace vyd
