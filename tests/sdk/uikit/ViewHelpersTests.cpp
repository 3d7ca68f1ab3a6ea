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
#include "sdk/uikit/ImageContainerView.hpp"
#include "sdk/uikit/UIKitTestSupport.hpp"

#include <gmock/gmock.h>

namespace {

using namespace uikit;
using ::testing::ElementsAre;

using ViewHelpersTest = uikittests::ManualClockTest;

TEST_F(ViewHelpersTest, DropShadowOnAnImageContainerSetsItsLayersShadowAndStopsClipping) {
    const auto container = vyd::ImageContainerView::make({0, 0, 64, 48});
    ASSERT_NE(container->imageView(), nullptr);
    EXPECT_EQ(container->imageView()->image(), nullptr) << "made empty";
    container->setClipsToBounds(true);
    vyd::dropShadow(*container, UIColor::red(), {0, 4}, 12, 0.3f);
    const auto& layer = container->layer();
    EXPECT_EQ(layer->shadowColor(), UIColor::red().cgColor());
    EXPECT_EQ(layer->shadowOffset(), (CGSize{0, 4}));
    EXPECT_EQ(layer->shadowRadius(), 12);
    EXPECT_FLOAT_EQ(layer->shadowOpacity(), 0.3f);
    EXPECT_FALSE(container->clipsToBounds()) << "a clipped view would hide its shadow";

    // The image view fills the container and casts no shadow of its own.
    container->layoutIfNeeded();
    EXPECT_EQ(container->imageView()->superview(), container);
    EXPECT_EQ(container->imageView()->frame(), (CGRect{0, 0, 64, 48}));
    EXPECT_FLOAT_EQ(container->imageView()->layer()->shadowOpacity(), 0);
}

TEST_F(ViewHelpersTest, AddSubviewsKeepsTheArgumentOrder) {
    const auto view = UIView::make();
    const auto a = UIView::make();
    const auto b = UIView::make();
    const auto c = UIView::make();
    view->addSubview(b);
    vyd::addSubviews(*view, {a, b, c});
    EXPECT_THAT(view->subviews(), ElementsAre(a, b, c)) << "b moves to its place in the argument order";
}

TEST_F(ViewHelpersTest, PinToEdgesTiesTheFourEdgesToTheSuperview) {
    const auto lonely = UIView::make({0, 0, 10, 10});
    EXPECT_TRUE(vyd::pinToEdges(lonely).empty());
    EXPECT_TRUE(lonely->translatesAutoresizingMaskIntoConstraints()) << "nothing changes without a superview";
    EXPECT_TRUE(vyd::pinToEdges(nullptr).empty());

    const auto parent = UIView::make({0, 0, 200, 100});
    const auto child = UIView::make({5, 5, 10, 10});
    parent->addSubview(child);
    const auto constraints = vyd::pinToEdges(child);
    ASSERT_EQ(constraints.size(), 4u);
    EXPECT_FALSE(child->translatesAutoresizingMaskIntoConstraints());
    parent->layoutIfNeeded();
    EXPECT_EQ(child->frame(), (CGRect{0, 0, 200, 100}));
}

TEST_F(ViewHelpersTest, BoundsLayoutGuideCoversTheView) {
    const auto view = UIView::make({0, 0, 120, 80});
    const auto guide = vyd::makeBoundsLayoutGuide(view);
    EXPECT_EQ(guide->owningView(), view);
    view->layoutIfNeeded();
    EXPECT_EQ(guide->layoutFrame(), (CGRect{0, 0, 120, 80}));
}

TEST_F(ViewHelpersTest, ConstraintLookupsFindTheFirstMatchOfTheViewsOwnConstraints) {
    const auto view = UIView::make({0, 0, 100, 100});
    const auto a = UIView::make();
    const auto b = UIView::make();
    view->addSubview(a);
    view->addSubview(b);
    const auto topToTop = a->topAnchor().constraintEqualTo(view->topAnchor());
    const auto topToBottom = b->topAnchor().constraintEqualTo(a->bottomAnchor(), 8);
    const auto height = a->heightAnchor().constraintEqualToConstant(20);
    topToBottom->setIdentifier("gap");
    NSLayoutConstraint::activate({topToTop, topToBottom});
    height->setActive(true);

    EXPECT_EQ(vyd::constraint(*view, NSLayoutAttribute::top), topToTop) << "any second attribute when none is asked";
    EXPECT_EQ(vyd::constraint(*view, NSLayoutAttribute::top, NSLayoutAttribute::bottom), topToBottom);
    EXPECT_EQ(vyd::constraint(*view, NSLayoutAttribute::leading), nullptr);
    EXPECT_EQ(vyd::constraint(*view, NSLayoutAttribute::height), nullptr) << "a's own constraint is not the view's";
    EXPECT_EQ(vyd::constraint(*a, NSLayoutAttribute::height, NSLayoutAttribute::notAnAttribute), height);

    EXPECT_EQ(vyd::constraint(*view, std::string("gap")), topToBottom);
    EXPECT_EQ(vyd::constraint(*view, std::string("")), nullptr) << "constraints without identifier never match";
    EXPECT_EQ(vyd::constraint(*view, std::string("missing")), nullptr);
}

TEST_F(ViewHelpersTest, ArrangedSubviewsFadeInOneAnimationEach) {
    const auto stack = UIStackView::make(CGRect{0, 0, 100, 100});
    const auto a = UIView::make();
    const auto b = UIView::make();
    vyd::addArrangedSubviews(*stack, {a, b}, true);
    EXPECT_THAT(stack->arrangedSubviews(), ElementsAre(a, b));
    EXPECT_EQ(a->alpha(), 1) << "model values are the end values";
    ASSERT_NE(a->layer()->animation("opacity"), nullptr) << "faded in from transparent";
    ASSERT_NE(b->layer()->animation("opacity"), nullptr) << "each view has its own animation";
    advance(0.3);
    EXPECT_EQ(a->layer()->animation("opacity"), nullptr);

    const auto c = UIView::make();
    vyd::addArrangedSubview(*stack, c, false);
    EXPECT_EQ(c->alpha(), 1);
    EXPECT_EQ(c->layer()->animation("opacity"), nullptr);

    const auto d = UIView::make();
    vyd::addArrangedSubview(*stack, d, true, 1.0);
    advance(0.5);
    EXPECT_NE(d->layer()->animation("opacity"), nullptr) << "the given duration";
    advance(0.5);
    EXPECT_EQ(d->layer()->animation("opacity"), nullptr);
}

TEST_F(ViewHelpersTest, RemovingArrangedSubviews) {
    const auto a = UIView::make();
    const auto b = UIView::make();
    const auto c = UIView::make();
    const auto stack = UIStackView::make(std::vector<std::shared_ptr<UIView>>{a, b, c});

    vyd::removeArrangedSubview(*stack, b, true);
    EXPECT_THAT(stack->arrangedSubviews(), ElementsAre(a, c));
    EXPECT_EQ(b->superview(), nullptr) << "removed at once, animated or not";

    vyd::removeAllArrangedSubviews(*stack);
    EXPECT_TRUE(stack->arrangedSubviews().empty());
    EXPECT_THAT(stack->subviews(), ElementsAre(a, c)) << "the views stay subviews of the stack";
}

TEST_F(ViewHelpersTest, CustomBottomLineHangsUnderTheBar) {
    const auto navigation = UINavigationController::make(UIViewController::make());
    const auto bar = navigation->navigationBar();
    bar->setFrame({0, 0, 390, 44});
    vyd::addCustomBottomLine(*navigation, UIColor::red(), 1);

    EXPECT_TRUE(bar->hidesShadow());
    ASSERT_FALSE(bar->subviews().empty());
    const auto line = bar->subviews().back();
    EXPECT_EQ(line->backgroundColor(), UIColor::red());
    EXPECT_FALSE(line->translatesAutoresizingMaskIntoConstraints());
    ASSERT_EQ(bar->constraints().size(), 3u);
    bar->layoutIfNeeded();
    EXPECT_EQ(line->frame(), (CGRect{0, 44, 390, 1}));
}

TEST_F(ViewHelpersTest, SetTitleBuildsATwoLabelTitleView) {
    UINavigationItem item;
    vyd::setTitle(item, "VY ID", UIFont::systemFont(15, UIFontWeight::semibold), UIColor::red(), "vy.example");
    const auto stack = std::dynamic_pointer_cast<UIStackView>(item.titleView());
    ASSERT_NE(stack, nullptr);
    EXPECT_EQ(stack->axis(), UILayoutConstraintAxis::vertical);
    EXPECT_EQ(rawValue(stack->distribution()), 4);
    EXPECT_EQ(rawValue(stack->alignment()), 3);
    ASSERT_EQ(stack->arrangedSubviews().size(), 2u);
    const auto title = std::dynamic_pointer_cast<UILabel>(stack->arrangedSubviews()[0]);
    const auto subtitle = std::dynamic_pointer_cast<UILabel>(stack->arrangedSubviews()[1]);
    ASSERT_NE(title, nullptr);
    ASSERT_NE(subtitle, nullptr);
    EXPECT_EQ(title->text(), "VY ID");
    EXPECT_EQ(title->font(), UIFont::systemFont(15, UIFontWeight::semibold));
    EXPECT_EQ(title->textColor(), UIColor::red());
    EXPECT_EQ(subtitle->text(), "vy.example");
    EXPECT_EQ(subtitle->font(), UIFont::systemFont(12)) << "the default subtitle font";
    EXPECT_EQ(subtitle->textColor(), UIColor::white());
    EXPECT_EQ(subtitle->textAlignment(), NSTextAlignment::center);
    EXPECT_EQ(stack->frame().size.height, 35);
    EXPECT_EQ(stack->frame().size.width, std::max(title->frame().size.width, subtitle->frame().size.width));
    EXPECT_GT(subtitle->frame().size.width, title->frame().size.width) << "here the subtitle is the wider";

    vyd::setTitle(item, "vy.example");
    const auto alone = std::dynamic_pointer_cast<UIStackView>(item.titleView());
    ASSERT_NE(alone, nullptr);
    EXPECT_EQ(alone->arrangedSubviews().size(), 2u) << "two labels also without a subtitle";
    EXPECT_EQ(alone->frame().size.width, alone->arrangedSubviews()[0]->frame().size.width)
        << "the title label's width decides";
    EXPECT_EQ(std::dynamic_pointer_cast<UILabel>(alone->arrangedSubviews()[0])->font(), UIFont::systemFont(17));
}

TEST_F(ViewHelpersTest, PersonalCabinetFontPrefersTheHostsFonts) {
    const auto preferences = vyd::DIContainer::staticStorageService()->uiPreferences();
    const auto saved = preferences->fonts;
    preferences->fonts = vyd::VYDFonts();
    EXPECT_EQ(vyd::personalCabinetFont(14, vyd::VYDFonts::VYDFontType::medium),
              UIFont::systemFont(14, UIFontWeight::medium));
    EXPECT_EQ(vyd::personalCabinetFont(16, vyd::VYDFonts::VYDFontType::semibold),
              UIFont::systemFont(16, UIFontWeight::semibold));

    preferences->fonts.mediumFont = UIFont::systemFont(30, UIFontWeight::light);
    EXPECT_EQ(vyd::personalCabinetFont(14, vyd::VYDFonts::VYDFontType::medium),
              UIFont::systemFont(14, UIFontWeight::light))
        << "the host's medium font at the size asked";
    EXPECT_EQ(vyd::personalCabinetFont(14, vyd::VYDFonts::VYDFontType::semibold),
              UIFont::systemFont(14, UIFontWeight::semibold))
        << "the other weight is not taken from it";
    preferences->fonts = saved;
}

} // namespace
