#include "sdk/uikit/ViewShimmer.hpp"

#include "platform/foundation/NotificationCenter.hpp"
#include "platform/quartzcore/CABasicAnimation.hpp"
#include "platform/quartzcore/CAGradientLayer.hpp"
#include "platform/quartzcore/CAShapeLayer.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UITextView.hpp"
#include "sdk/base/NotificationNames.hpp"
#include "sdk/uikit/AssociatedObjects.hpp"
#include "sdk/uikit/HexColor.hpp"
#include "sdk/uikit/Palette.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace vyd {

using coregraphics::CGFloat;
using coregraphics::CGRect;
using uikit::UIColor;
using uikit::UIView;

std::uint8_t ViewAssociatedKeys::shimmerable = 0;
std::uint8_t ViewAssociatedKeys::shimmerCornerRadius = 0;

namespace {

constexpr std::string_view labelPlaceholder = "______________";
constexpr std::string_view textViewPlaceholder = "______________\n_______________________";
// Above every other sublayer.
constexpr CGFloat topZPosition = std::numeric_limits<float>::max();
constexpr double sweepDuration = 1.25;
std::uint8_t traitWatcherKey = 0;

std::shared_ptr<quartzcore::CALayer> sublayerNamed(const UIView& view, std::string_view name) {
    for (const auto& layer : view.layer()->sublayers()) {
        if (layer->name() && *layer->name() == name) {
            return layer;
        }
    }
    return nullptr;
}

// Half the height, but no rounder than 5 points.
CGFloat cappedCornerRadius(const UIView& view) { return std::min<CGFloat>(view.bounds().size.height / 2, 5); }

// The three stops of a highlight in the colour, resolved for the view's appearance.
std::vector<coregraphics::CGColor> gradientColors(const UIView& view, const UIColor& color) {
    const auto traits = view.traitCollection();
    std::vector<coregraphics::CGColor> colors;
    for (const auto& stop : makeGradient(color.resolvedColor(traits))) {
        colors.push_back(stop.resolvedColor(traits).cgColor());
    }
    return colors;
}

CGFloat alignedX(uikit::NSTextAlignment alignment, const CGRect& bounds, CGFloat width) {
    switch (alignment) {
    case uikit::NSTextAlignment::right:
        return bounds.size.width - width;
    case uikit::NSTextAlignment::center:
        return bounds.midX() - width / 2;
    default:
        return 0;
    }
}

CGRect getFrameForTextView(const uikit::UITextView& textView) {
    const CGRect bounds = textView.bounds();
    coregraphics::CGSize size = textView.contentSize();
    if (textView.text().empty()) {
        size.width = bounds.size.width != 0 ? bounds.size.width : 200;
        size.height =
            bounds.size.height != 0 ? bounds.size.height : (textView.font() ? textView.font()->lineHeight() : 20);
    }
    return {alignedX(textView.textAlignment(), bounds, size.width), 0, size.width, size.height};
}

CGRect getFrameForLabel(const uikit::UILabel& label) {
    const CGRect bounds = label.bounds();
    coregraphics::CGSize size;
    if (label.text() && !label.text()->empty()) {
        size = label.intrinsicContentSize();
    } else {
        size.width = bounds.size.width;
        size.height = bounds.size.height != 0 ? bounds.size.height : label.font().lineHeight();
    }
    return {alignedX(label.textAlignment(), bounds, size.width), 0, size.width, size.height};
}

// A view before its own descendants, below unmarked views too.
void getSubShimmerViews(const UIView& view, std::vector<std::shared_ptr<UIView>>& views) {
    for (const auto& subview : view.subviews()) {
        if (isShimmerable(*subview)) {
            views.push_back(subview);
        }
        getSubShimmerViews(*subview, views);
    }
}

// A view of no size whose colour the platform resolves whenever the view's appearance changes,
// which is what tells the palette of the change. It stays when the shimmer stops; one is enough
// for any number of shimmers, so a view that shimmers again does not collect more.
void addTraitWatcher(UIView& view) {
    const auto stored = ao_get(view, &traitWatcherKey);
    if (const auto* known = std::any_cast<std::weak_ptr<UIView>>(&stored)) {
        if (const auto watcher = known->lock(); watcher && watcher->superview().get() == &view) {
            return;
        }
    }
    const auto watcher = UIView::make();
    watcher->setUserInteractionEnabled(false);
    watcher->setBackgroundColor(palette::clearShimmerColor());
    view.addSubview(watcher);
    ao_set(view, std::weak_ptr<UIView>(watcher), &traitWatcherKey);
}

void setShimmeringAnimation(UIView& view, bool shimmer, const std::optional<UIColor>& shimmerColor) {
    const auto existing = sublayerNamed(view, ShimmerKey::shimmer);
    if (!shimmer) {
        if (existing) {
            existing->removeFromSuperlayer();
        }
        return;
    }
    if (existing) {
        return;
    }
    addTraitWatcher(view);

    const auto gradient = quartzcore::CAGradientLayer::make();
    gradient->setName(std::string(ShimmerKey::shimmer));
    gradient->setFrame(getFrame(view));
    gradient->setCornerRadius(cappedCornerRadius(view));
    gradient->setStartPoint({0, 1});
    gradient->setEndPoint({1, 1});
    gradient->setColors(gradientColors(view, shimmerColor.value_or(palette::shimmerColor())));
    gradient->setLocations(std::vector<double>{0, 0.5, 1});
    view.layer()->addSublayer(gradient);
    gradient->setZPosition(topZPosition);

    auto sweep = quartzcore::CABasicAnimation::make("locations");
    sweep->fromValue = std::vector<double>{-1, -0.5, 0};
    sweep->toValue = std::vector<double>{1, 1.5, 2};
    sweep->duration = sweepDuration;
    sweep->repeatCount = HUGE_VALF;
    gradient->add(sweep, sweep->keyPath);
}

void traitCollectionDidChange(UIView& view) {
    if (const auto gradient =
            std::dynamic_pointer_cast<quartzcore::CAGradientLayer>(sublayerNamed(view, ShimmerKey::shimmer))) {
        gradient->setColors(gradientColors(view, palette::shimmerColor()));
    }
}

} // namespace

bool isShimmerable(const UIView& view) {
    const auto value = ao_get(view, &ViewAssociatedKeys::shimmerable);
    const auto* flag = std::any_cast<bool>(&value);
    return flag && *flag;
}

void setShimmerable(UIView& view, bool shimmerable) { ao_set(view, shimmerable, &ViewAssociatedKeys::shimmerable); }

float shimmerCornerRadius(const UIView& view) {
    const auto value = ao_get(view, &ViewAssociatedKeys::shimmerCornerRadius);
    const auto* radius = std::any_cast<float>(&value);
    return radius ? *radius : static_cast<float>(view.layer()->cornerRadius());
}

void setShimmerCornerRadius(UIView& view, float radius) {
    ao_set(view, radius, &ViewAssociatedKeys::shimmerCornerRadius);
}

void startShimmering(const std::shared_ptr<UIView>& view) {
    if (!view) {
        return;
    }
    prepareTemplate(*view, true);
    setTemplate(*view, true);
    setShimmeringAnimation(*view, true, palette::shimmerColor());
    auto& center = foundation::NotificationCenter::defaultCenter();
    const auto& name = NotificationNames::traitCollectionDidChange();
    // Started twice, a view still recolours once per change.
    center.removeObserver(view.get(), name);
    center.addObserver<UIView>(view, name, nullptr, [](UIView& observer, const foundation::Notification&) {
        traitCollectionDidChange(observer);
    });
}

void stopShimmering(UIView& view) {
    prepareTemplate(view, false);
    setTemplate(view, false);
    setShimmeringAnimation(view, false, std::nullopt);
    foundation::NotificationCenter::defaultCenter().removeObserver(&view,
                                                                   NotificationNames::traitCollectionDidChange());
}

void setTemplateWithSubviews(UIView& view, bool template_, const std::optional<UIColor>& color, bool animate) {
    std::vector<std::shared_ptr<UIView>> views;
    getSubShimmerViews(view, views);
    for (const auto& subview : views) {
        prepareTemplate(*subview, template_);
        setTemplate(*subview, template_, color);
        if (animate) {
            setShimmeringAnimation(*subview, template_, palette::shimmerColor());
        }
    }
}

void prepareTemplate(UIView& view, bool template_) {
    if (auto* textView = dynamic_cast<uikit::UITextView*>(&view)) {
        if (template_ && textView->text().empty() && textView->bounds().size.width == 0) {
            textView->setText(std::string(textViewPlaceholder));
        } else if (!template_ && textView->text() == textViewPlaceholder) {
            textView->setText(std::nullopt);
        }
    } else if (auto* label = dynamic_cast<uikit::UILabel*>(&view)) {
        const auto& text = label->text();
        if (template_ && (!text || text->empty()) && label->bounds().size.width == 0) {
            label->setText(std::string(labelPlaceholder));
        } else if (!template_ && text == labelPlaceholder) {
            label->setText(std::nullopt);
        }
    }
}

void setTemplate(UIView& view, bool template_, const std::optional<UIColor>& baseColor) {
    const auto existing = sublayerNamed(view, ShimmerKey::template_);
    if (!template_) {
        if (existing) {
            existing->removeFromSuperlayer();
        }
        view.layer()->setMask(nullptr);
        return;
    }
    if (existing) {
        return;
    }
    view.setNeedsLayout();
    view.layoutIfNeeded();
    const CGRect area = getFrame(view);
    const CGFloat radius = std::max<CGFloat>(cappedCornerRadius(view), shimmerCornerRadius(view));

    const auto mask = quartzcore::CAShapeLayer::make();
    mask->setPath(coregraphics::CGPath::roundedRect(area, radius));
    view.layer()->setMask(mask);

    const auto cover = quartzcore::CALayer::make();
    cover->setName(std::string(ShimmerKey::template_));
    cover->setFrame(area);
    cover->setCornerRadius(radius);
    cover->setBackgroundColor(
        baseColor.value_or(palette::shimmerColor()).resolvedColor(view.traitCollection()).cgColor());
    cover->setZPosition(topZPosition);
    view.layer()->addSublayer(cover);
}

CGRect getFrame(const UIView& view) {
    if (const auto* textView = dynamic_cast<const uikit::UITextView*>(&view)) {
        return getFrameForTextView(*textView);
    }
    if (const auto* label = dynamic_cast<const uikit::UILabel*>(&view)) {
        return getFrameForLabel(*label);
    }
    return view.bounds();
}

} // namespace vyd
