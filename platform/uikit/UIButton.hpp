#pragma once

// A push button with per-state titles, title colours, images and background images.
//
// A value for a state falls back to the normal state's when that state has none. The button
// shows the values of its current state in its title label and image view (made with the
// button, added as subviews when they first have something to show). Its intrinsic size is the
// image's and the title's side by side plus the content edge insets (the image and title edge
// insets move and shrink those two within their places, as on the platform, and do not count).

#include "platform/uikit/UIControl.hpp"
#include "platform/uikit/UIImage.hpp"
#include "platform/uikit/UIImageView.hpp"
#include "platform/uikit/UILabel.hpp"

#include <map>
#include <memory>
#include <optional>
#include <string>

namespace uikit {

// The platform's raw values.
enum class UIButtonType : int {
    custom = 0,
    system = 1,
    detailDisclosure = 2,
    infoLight = 3,
    infoDark = 4,
    contactAdd = 5,
    close = 7
};

class UIButton : public UIControl {
public:
    static std::shared_ptr<UIButton> make(UIButtonType type = UIButtonType::custom) {
        return create<UIButton>(type, CGRect::zero());
    }
    static std::shared_ptr<UIButton> make(const CGRect& frame) { return create<UIButton>(UIButtonType::custom, frame); }

    UIButton(UIButtonType type, const CGRect& frame);
    explicit UIButton(const CGRect& frame = CGRect::zero()) : UIButton(UIButtonType::custom, frame) {}

    std::string className() const override { return "UIButton"; }
    UIButtonType buttonType() const { return type_; }

    void setTitle(std::optional<std::string> title, UIControlState state);
    std::optional<std::string> title(UIControlState state) const;
    void setTitleColor(std::optional<UIColor> color, UIControlState state);
    // Without a colour of its own: the tint colour for a system button (grey when disabled),
    // white for a custom one.
    std::optional<UIColor> titleColor(UIControlState state) const;
    void setImage(std::shared_ptr<UIImage> image, UIControlState state);
    std::shared_ptr<UIImage> image(UIControlState state) const;
    void setBackgroundImage(std::shared_ptr<UIImage> image, UIControlState state);
    std::shared_ptr<UIImage> backgroundImage(UIControlState state) const;

    std::optional<std::string> currentTitle() const { return title(state()); }
    std::optional<UIColor> currentTitleColor() const { return titleColor(state()); }
    std::shared_ptr<UIImage> currentImage() const { return image(state()); }
    std::shared_ptr<UIImage> currentBackgroundImage() const { return backgroundImage(state()); }

    // The system font of 15 points unless set through the label.
    const std::shared_ptr<UILabel>& titleLabel() const { return titleLabel_; }
    const std::shared_ptr<UIImageView>& imageView() const { return imageView_; }
    // Shows the background image behind the image and title.
    const std::shared_ptr<UIImageView>& backgroundImageView() const { return backgroundImageView_; }

    UIEdgeInsets contentEdgeInsets() const { return contentEdgeInsets_; }
    void setContentEdgeInsets(const UIEdgeInsets& insets);
    UIEdgeInsets imageEdgeInsets() const { return imageEdgeInsets_; }
    void setImageEdgeInsets(const UIEdgeInsets& insets);
    UIEdgeInsets titleEdgeInsets() const { return titleEdgeInsets_; }
    void setTitleEdgeInsets(const UIEdgeInsets& insets);

    CGSize intrinsicContentSize() const override;
    CGSize sizeThatFits(const CGSize& size) const override;

protected:
    void didInit() override;
    void layoutSubviews() override;
    void stateDidChange() override;
    void tintColorDidChange() override;

private:
    template <class T>
    static std::optional<T> lookup(const std::map<unsigned, T>& values, UIControlState state);
    void updateContent();
    CGSize titleSize(CGFloat maxWidth) const;
    CGSize imageSize() const;

    UIButtonType type_;
    std::map<unsigned, std::string> titles_;
    std::map<unsigned, UIColor> titleColors_;
    std::map<unsigned, std::shared_ptr<UIImage>> images_;
    std::map<unsigned, std::shared_ptr<UIImage>> backgroundImages_;
    std::shared_ptr<UILabel> titleLabel_;
    std::shared_ptr<UIImageView> imageView_;
    std::shared_ptr<UIImageView> backgroundImageView_;
    UIEdgeInsets contentEdgeInsets_;
    UIEdgeInsets imageEdgeInsets_;
    UIEdgeInsets titleEdgeInsets_;
};

} // namespace uikit
