#include "sdk/uikit/ViewHelpers.hpp"

#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UILayoutGuide.hpp"
#include "platform/uikit/UINavigationBar.hpp"
#include "platform/uikit/UINavigationController.hpp"
#include "platform/uikit/UINavigationItem.hpp"
#include "platform/uikit/UIStackView.hpp"
#include "platform/uikit/UIView.hpp"
#include "sdk/base/DIContainer.hpp"
#include "sdk/base/VYDUIPreferences.hpp"
#include "sdk/services/StaticStorageServiceProtocol.hpp"

#include <algorithm>

namespace vyd {

using uikit::NSLayoutConstraint;
using uikit::UIView;

void dropShadow(UIView& view, const uikit::UIColor& shadowColor, const coregraphics::CGSize& shadowOffset,
                coregraphics::CGFloat shadowRadius, float shadowOpacity) {
    const auto& layer = view.layer();
    layer->setShadowColor(shadowColor.cgColor());
    layer->setShadowOffset(shadowOffset);
    layer->setShadowRadius(shadowRadius);
    layer->setShadowOpacity(shadowOpacity);
    view.setClipsToBounds(false);
}

void addSubviews(UIView& view, const std::vector<std::shared_ptr<UIView>>& subviews) {
    for (const auto& subview : subviews) {
        view.addSubview(subview);
    }
}

std::vector<NSLayoutConstraint::Pointer> pinToEdges(const std::shared_ptr<UIView>& view) {
    const auto superview = view ? view->superview() : nullptr;
    if (!superview) {
        return {};
    }
    view->setTranslatesAutoresizingMaskIntoConstraints(false);
    std::vector<NSLayoutConstraint::Pointer> constraints{
        view->topAnchor().constraintEqualTo(superview->topAnchor()),
        view->leadingAnchor().constraintEqualTo(superview->leadingAnchor()),
        view->trailingAnchor().constraintEqualTo(superview->trailingAnchor()),
        view->bottomAnchor().constraintEqualTo(superview->bottomAnchor()),
    };
    for (const auto& constraint : constraints) {
        constraint->setActive(true);
    }
    return constraints;
}

std::shared_ptr<uikit::UILayoutGuide> makeBoundsLayoutGuide(const std::shared_ptr<UIView>& view) {
    auto guide = uikit::UILayoutGuide::make();
    if (!view) {
        return guide;
    }
    view->addLayoutGuide(guide);
    NSLayoutConstraint::activate({
        guide->topAnchor().constraintEqualTo(view->topAnchor()),
        guide->leftAnchor().constraintEqualTo(view->leftAnchor()),
        guide->bottomAnchor().constraintEqualTo(view->bottomAnchor()),
        guide->rightAnchor().constraintEqualTo(view->rightAnchor()),
    });
    return guide;
}

NSLayoutConstraint::Pointer constraint(const UIView& view, uikit::NSLayoutAttribute withFirstAttribute,
                                       std::optional<uikit::NSLayoutAttribute> andSecondAttribute) {
    const auto& constraints = view.constraints();
    const auto it = std::find_if(constraints.begin(), constraints.end(), [&](const NSLayoutConstraint::Pointer& c) {
        return c->firstAttribute() == withFirstAttribute &&
               (!andSecondAttribute || c->secondAttribute() == *andSecondAttribute);
    });
    return it == constraints.end() ? nullptr : *it;
}

NSLayoutConstraint::Pointer constraint(const UIView& view, const std::string& withIdentifier) {
    const auto& constraints = view.constraints();
    const auto it = std::find_if(constraints.begin(), constraints.end(), [&](const NSLayoutConstraint::Pointer& c) {
        return c->identifier() == withIdentifier;
    });
    return it == constraints.end() ? nullptr : *it;
}

void addArrangedSubviews(uikit::UIStackView& stackView, const std::vector<std::shared_ptr<UIView>>& views,
                         bool animated) {
    for (const auto& view : views) {
        addArrangedSubview(stackView, view, animated);
    }
}

void addArrangedSubview(uikit::UIStackView& stackView, const std::shared_ptr<UIView>& view, bool animated,
                        double duration) {
    if (!view) {
        return;
    }
    view->setAlpha(0);
    stackView.addArrangedSubview(view);
    stackView.layoutIfNeeded();
    if (!animated) {
        view->setAlpha(1);
        return;
    }
    // The animation holds the stack view until it ends, as the platform's block would.
    const auto stack = std::static_pointer_cast<uikit::UIStackView>(stackView.shared_from_this());
    UIView::animate(duration, [view, stack] {
        view->setAlpha(1);
        stack->layoutIfNeeded();
    });
}

void removeArrangedSubview(uikit::UIStackView& stackView, const std::shared_ptr<UIView>& view, bool /*animated*/,
                           double /*duration*/) {
    if (!view) {
        return;
    }
    stackView.removeArrangedSubview(view);
    view->removeFromSuperview();
}

void removeAllArrangedSubviews(uikit::UIStackView& stackView) {
    const auto arranged = stackView.arrangedSubviews();
    for (const auto& view : arranged) {
        stackView.removeArrangedSubview(view);
    }
}

void addCustomBottomLine(uikit::UINavigationController& navigationController, const uikit::UIColor& color,
                         double height) {
    const auto bar = navigationController.navigationBar();
    bar->setValue(true, "hidesShadow");
    const auto line = UIView::make({0, 0, 0, height});
    line->setBackgroundColor(color);
    bar->addSubview(line);
    line->setTranslatesAutoresizingMaskIntoConstraints(false);
    line->widthAnchor().constraintEqualTo(bar->widthAnchor())->setActive(true);
    line->heightAnchor().constraintEqualToConstant(height)->setActive(true);
    line->centerXAnchor().constraintEqualTo(bar->centerXAnchor())->setActive(true);
    line->topAnchor().constraintEqualTo(bar->bottomAnchor())->setActive(true);
}

void setTitle(uikit::UINavigationItem& navigationItem, std::optional<std::string> title, const uikit::UIFont& titleFont,
              const uikit::UIColor& titleColor, std::optional<std::string> subtitle, const uikit::UIFont& subtitleFont,
              const uikit::UIColor& subtitleColor) {
    const auto titleLabel = uikit::UILabel::make();
    titleLabel->setText(std::move(title));
    titleLabel->setFont(titleFont);
    titleLabel->setTextColor(titleColor);
    titleLabel->sizeToFit();

    const auto subtitleLabel = uikit::UILabel::make();
    subtitleLabel->setText(std::move(subtitle));
    subtitleLabel->setFont(subtitleFont);
    subtitleLabel->setTextColor(subtitleColor);
    subtitleLabel->setTextAlignment(uikit::NSTextAlignment::center);
    subtitleLabel->sizeToFit();

    const auto stackView = uikit::UIStackView::make(std::vector<std::shared_ptr<UIView>>{titleLabel, subtitleLabel});
    stackView->setAxis(uikit::UILayoutConstraintAxis::vertical);
    stackView->setDistribution(uikit::UIStackViewDistribution::equalCentering);
    stackView->setAlignment(uikit::UIStackViewAlignment::center);
    const auto width = std::max(titleLabel->frame().size.width, subtitleLabel->frame().size.width);
    stackView->setFrame({0, 0, width, 35});

    titleLabel->sizeToFit();
    subtitleLabel->sizeToFit();
    navigationItem.setTitleView(stackView);
}

uikit::UIFont personalCabinetFont(coregraphics::CGFloat ofSize, VYDFonts::VYDFontType weight) {
    const auto preferences = DIContainer::staticStorageService()->uiPreferences();
    if (preferences) {
        if (const auto& font = preferences->fonts.font(weight)) {
            return font->withSize(ofSize);
        }
    }
    return uikit::UIFont::systemFont(ofSize, weight == VYDFonts::VYDFontType::medium ? uikit::UIFontWeight::medium
                                                                                     : uikit::UIFontWeight::semibold);
}

} // namespace vyd
