#pragma once
#include "platform/coregraphics/CGGeometry.hpp"
#include "platform/uikit/UIColor.hpp"
#include "platform/uikit/UIFont.hpp"
#include "sdk/base/VYDLoginButtonStyle.hpp"
#include "sdk/base/VYDLoginButtonTextType.hpp"

#include <memory>
#include <optional>
#include <string>

namespace uikit {
class UIImage;
}

namespace vyd {

// What decides how the login button looks. One object is shared by the button, its controller
// and the session store, so all of them see the same changes.
class LoginButtonSettingsProtocol {
public:
    using CGFloat = coregraphics::CGFloat;
    using CGSize = coregraphics::CGSize;

    virtual ~LoginButtonSettingsProtocol() = default;

    // The colour style (despite the name, not a colour).
    virtual VYDLoginButtonStyle backgroundColor() const = 0;
    virtual VYDLoginButtonTextType textType() const = 0;
    virtual void setTextType(VYDLoginButtonTextType textType) = 0;
    virtual CGFloat cornerRadius() const = 0;
    virtual void setCornerRadius(CGFloat cornerRadius) = 0;
    virtual CGFloat borderWidth() const = 0;
    virtual void setBorderWidth(CGFloat borderWidth) = 0;
    virtual uikit::UIColor borderColor() const = 0;
    virtual void setBorderColor(uikit::UIColor borderColor) = 0;
    virtual uikit::UIColor loaderColor() const = 0;
    virtual void setLoaderColor(uikit::UIColor loaderColor) = 0;
    virtual uikit::UIColor titleColor() const = 0;
    virtual void setTitleColor(uikit::UIColor titleColor) = 0;
    // The size the host app asked for.
    virtual CGSize desiredSize() const = 0;
    virtual void setDesiredSize(CGSize desiredSize) = 0;
    virtual CGSize logoSize() const = 0;
    virtual void setLogoSize(CGSize logoSize) = 0;
    virtual CGFloat fontSize() const = 0;
    virtual void setFontSize(CGFloat fontSize) = 0;
    // The logo's image name in the SDK bundle.
    virtual std::string logoName() const = 0;
    virtual void setLogoName(std::string logoName) = 0;
    // The button's final size.
    virtual CGFloat height() const = 0;
    virtual void setHeight(CGFloat height) = 0;
    virtual CGFloat width() const = 0;
    virtual void setWidth(CGFloat width) = 0;

    // The narrowest the button may be: the plain text in a font two points larger than the
    // button's, plus three logo widths.
    virtual CGFloat minimalWidth() const = 0;
    // The system font at fontSize.
    virtual uikit::UIFont font() const = 0;
    // The text of the text type (never the personalised title).
    virtual std::string text() const = 0;
    // The logo redrawn at logoSize; none when the bundle has no such image.
    virtual std::shared_ptr<uikit::UIImage> logoImage() const = 0;
    // The user's masked name that the VY Bank app stored in the shared keychain; read on every
    // access. None for the text type vyID, when nothing is stored, or when the name is empty.
    virtual std::optional<std::string> maskedName() const = 0;
    // The personalised title for a masked name.
    virtual std::string adaptedDescription(const std::string& name) const = 0;
};

} // namespace vyd
