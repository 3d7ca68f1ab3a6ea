#include "sdk/uikit/ViewHelpers.hpp"

#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UINavigationItem.hpp"
#include "platform/uikit/UIStackView.hpp"
#include "sdk/base/DIContainer.hpp"
#include "sdk/base/VYDUIPreferences.hpp"
#include "sdk/services/StaticStorageServiceProtocol.hpp"
#include "sdk/uikit/UIKitTestSupport.hpp"

#include <gmock/gmock.h>

namespace {

using namespace uikit;
using ::testing::ElementsAre;

using ViewHelpersTest = uikittests::ManualClockTest;

TEST_F(ViewHelpersTest, SubviewsKeepTheArgumentOrderAndPinToTheSuperview) {
    const auto view = UIView::make({0, 0, 200, 100});
    const auto a = UIView::make(), b = UIView::make({5, 5, 10, 10}), c = UIView::make();
    view->addSubview(b);
    vyd::addSubviews(*view, {a, b, c});
    EXPECT_THAT(view->subviews(), ElementsAre(a, b, c)) << "b moves to its place in the argument order";

    const auto lonely = UIView::make({0, 0, 10, 10});
    EXPECT_TRUE(vyd::pinToEdges(lonely).empty());
    EXPECT_TRUE(lonely->translatesAutoresizingMaskIntoConstraints()) << "nothing changes without a superview";
    EXPECT_EQ(vyd::pinToEdges(b).size(), 4u);
    view->layoutIfNeeded();
    EXPECT_EQ(b->frame(), (CGRect{0, 0, 200, 100}));
}

TEST_F(ViewHelpersTest, ConstraintLookupsFindTheFirstMatchOfTheViewsOwnConstraints) {
    const auto view = UIView::make({0, 0, 100, 100});
    const auto a = UIView::make(), b = UIView::make();
    vyd::addSubviews(*view, {a, b});
    const auto topToTop = a->topAnchor().constraintEqualTo(view->topAnchor());
    const auto topToBottom = b->topAnchor().constraintEqualTo(a->bottomAnchor(), 8);
    const auto height = a->heightAnchor().constraintEqualToConstant(20);
    topToBottom->setIdentifier("gap");
    NSLayoutConstraint::activate({topToTop, topToBottom, height});

    EXPECT_EQ(vyd::constraint(*view, NSLayoutAttribute::top), topToTop) << "any second attribute when none is asked";
    EXPECT_EQ(vyd::constraint(*view, NSLayoutAttribute::top, NSLayoutAttribute::bottom), topToBottom);
    EXPECT_EQ(vyd::constraint(*view, NSLayoutAttribute::height), nullptr) << "a's own constraint is not the view's";
    EXPECT_EQ(vyd::constraint(*view, std::string("gap")), topToBottom);
}

TEST_F(ViewHelpersTest, ArrangedSubviewsFadeInEachAndLeaveAtOnce) {
    const auto stack = UIStackView::make(CGRect{0, 0, 100, 100});
    const auto a = UIView::make(), b = UIView::make(), c = UIView::make();
    vyd::addArrangedSubviews(*stack, {a, b}, true);
    EXPECT_NE(a->layer()->animation("opacity"), nullptr);
    EXPECT_NE(b->layer()->animation("opacity"), nullptr) << "each view has its own animation";
    vyd::addArrangedSubview(*stack, c, false);
    EXPECT_EQ(c->layer()->animation("opacity"), nullptr);
    EXPECT_THAT(stack->arrangedSubviews(), ElementsAre(a, b, c));

    vyd::removeArrangedSubview(*stack, b, true);
    EXPECT_EQ(b->superview(), nullptr) << "removed at once, animated or not";
    vyd::removeAllArrangedSubviews(*stack);
    EXPECT_TRUE(stack->arrangedSubviews().empty());
    EXPECT_THAT(stack->subviews(), ElementsAre(a, c)) << "the views stay subviews of the stack";
}

TEST_F(ViewHelpersTest, SetTitleBuildsATwoLabelTitleViewAsWideAsItsWiderLabel) {
    UINavigationItem item;
    for (const auto& subtitle : {std::optional<std::string>("vy.example"), std::optional<std::string>()}) {
        vyd::setTitle(item, "VY ID", UIFont::systemFont(15, UIFontWeight::semibold), UIColor::red(), subtitle);
        const auto stack = std::dynamic_pointer_cast<UIStackView>(item.titleView());
        ASSERT_NE(stack, nullptr);
        ASSERT_EQ(stack->arrangedSubviews().size(), 2u) << "two labels also without a subtitle";
        const auto title = std::dynamic_pointer_cast<UILabel>(stack->arrangedSubviews()[0]);
        const auto second = std::dynamic_pointer_cast<UILabel>(stack->arrangedSubviews()[1]);
        EXPECT_EQ(title->text(), "VY ID");
        EXPECT_EQ(title->textColor(), UIColor::red());
        EXPECT_EQ(second->text().value_or(""), subtitle.value_or(""));
        EXPECT_EQ(stack->frame().size.height, 35);
        EXPECT_EQ(stack->frame().size.width, subtitle ? second->frame().size.width : title->frame().size.width);
    }
}

TEST_F(ViewHelpersTest, PersonalCabinetFontPrefersTheHostsMediumFont) {
    const auto preferences = vyd::DIContainer::staticStorageService()->uiPreferences();
    const auto saved = preferences->fonts;
    preferences->fonts = vyd::VYDFonts();
    using Type = vyd::VYDFonts::VYDFontType;
    EXPECT_EQ(vyd::personalCabinetFont(14, Type::medium), UIFont::systemFont(14, UIFontWeight::medium));
    preferences->fonts.mediumFont = UIFont::systemFont(30, UIFontWeight::light);
    EXPECT_EQ(vyd::personalCabinetFont(14, Type::medium), UIFont::systemFont(14, UIFontWeight::light));
    preferences->fonts = saved;
}

} // namespace
