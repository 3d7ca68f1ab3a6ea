#include "sdk/uikit/ViewShimmer.hpp"

#include "platform/quartzcore/CABasicAnimation.hpp"
#include "platform/quartzcore/CAGradientLayer.hpp"
#include "platform/quartzcore/CAShapeLayer.hpp"
#include "platform/testing/SimulatedDevice.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UITextView.hpp"
#include "platform/uikit/UIViewController.hpp"
#include "sdk/uikit/HexColor.hpp"
#include "sdk/uikit/Palette.hpp"
#include "sdk/uikit/UIKitTestSupport.hpp"
#include "sdk/uikit/ViewHelpers.hpp"

#include <memory>

namespace {

using quartzcore::CALayer;
using namespace uikit;
using Views = std::vector<std::shared_ptr<UIView>>;

std::shared_ptr<CALayer> layerNamed(const UIView& view, std::string_view name) {
    std::shared_ptr<CALayer> found;
    for (const auto& layer : view.layer()->sublayers()) {
        if (layer->name() == name) {
            EXPECT_EQ(found, nullptr) << "one " << name << " at most";
            found = layer;
        }
    }
    return found;
}
std::shared_ptr<CALayer> templateLayer(const UIView& view) { return layerNamed(view, vyd::ShimmerKey::template_); }
std::shared_ptr<quartzcore::CAGradientLayer> shimmerLayer(const UIView& view) {
    return std::dynamic_pointer_cast<quartzcore::CAGradientLayer>(layerNamed(view, vyd::ShimmerKey::shimmer));
}
std::vector<coregraphics::CGColor> highlightColours(UIUserInterfaceStyle style) {
    std::vector<coregraphics::CGColor> colours;
    for (const auto& colour : vyd::makeGradient(vyd::palette::shimmerColor().resolvedColor(uikittests::style(style)))) {
        colours.push_back(colour.cgColor());
    }
    return colours;
}

using ViewShimmerTest = uikittests::ManualClockTest;

TEST_F(ViewShimmerTest, EmptyTextOfNoWidthGetsAPlaceholderWhileTemplated) {
    const auto emptyLabel = UILabel::make();
    const auto emptyTextView = UITextView::make();
    vyd::startShimmering(emptyLabel);
    vyd::startShimmering(emptyTextView);
    EXPECT_EQ(emptyLabel->text(), "______________");
    EXPECT_EQ(emptyTextView->text(), "______________\n_______________________");
    EXPECT_GT(templateLayer(*emptyLabel)->frame().width(), 0) << "the placeholder gives the template a size";
    vyd::stopShimmering(*emptyLabel);
    vyd::stopShimmering(*emptyTextView);
    EXPECT_EQ(emptyLabel->text(), std::nullopt);
    EXPECT_EQ(emptyTextView->text(), "");
}

TEST_F(ViewShimmerTest, TemplateAndMaskCoverTheTextWhereItsAlignmentPutsIt) {
    const auto label = UILabel::make({0, 0, 200, 30});
    label->setText("VY ID");
    label->setTextAlignment(NSTextAlignment::right);
    const auto text = label->intrinsicContentSize();
    vyd::setTemplate(*label, true);
    const CGRect area{200 - text.width, 0, text.width, text.height};
    EXPECT_EQ(templateLayer(*label)->frame(), area);
    const auto mask = std::dynamic_pointer_cast<quartzcore::CAShapeLayer>(label->layer()->mask());
    ASSERT_NE(mask, nullptr);
    EXPECT_EQ(mask->path()->boundingBox(), area);
    vyd::setTemplate(*label, false);
    EXPECT_EQ(templateLayer(*label), nullptr);
    EXPECT_EQ(label->layer()->mask(), nullptr);
}

TEST_F(ViewShimmerTest, LayersOnceWithTheirRadiiAndTheEndlessSweepUntilStopped) {
    // Columns: height, least radius asked for, radius of the template, of the highlight.
    const std::tuple<double, std::optional<float>, double, double> cases[] = {
        {6, 3.0f, 3, 3}, {40, std::nullopt, 5, 5}, {40, 8.0f, 8, 5}};
    for (const auto& [height, leastRadius, templateRadius, shimmerRadius] : cases) {
        const auto view = UIView::make({0, 0, 100, height});
        if (leastRadius) {
            vyd::setShimmerCornerRadius(*view, *leastRadius);
        }
        vyd::startShimmering(view);
        vyd::startShimmering(view);
        const auto highlight = shimmerLayer(*view);
        ASSERT_NE(highlight, nullptr);
        EXPECT_EQ(templateLayer(*view)->cornerRadius(), templateRadius) << height;
        EXPECT_EQ(highlight->cornerRadius(), shimmerRadius) << height;
        EXPECT_EQ(highlight->colors(), highlightColours(UIUserInterfaceStyle::light));
        const auto sweep =
            std::dynamic_pointer_cast<const quartzcore::CABasicAnimation>(highlight->animation("locations"));
        ASSERT_NE(sweep, nullptr);
        EXPECT_EQ(sweep->duration, 1.25);
        advance(10);
        EXPECT_NE(highlight->animation("locations"), nullptr) << "the sweep repeats until the shimmer stops";
        vyd::stopShimmering(*view);
        EXPECT_EQ(shimmerLayer(*view), nullptr);
        EXPECT_EQ(templateLayer(*view), nullptr);
        EXPECT_EQ(view->layer()->mask(), nullptr);
        vyd::startShimmering(view);
        EXPECT_EQ(view->subviews().size(), 1u) << "one appearance watcher however often it shimmers";
    }
}

TEST_F(ViewShimmerTest, MarkedDescendantsAtAnyDepthAreTemplatedAndOnlyViewsStartedOnTheirOwnRecolour) {
    testing::SimulatedDevice device;
    const auto started = UIView::make({0, 0, 100, 20});
    const auto container = UIView::make({0, 100, 300, 300});
    const auto marked = UIView::make({0, 0, 100, 20});
    const auto unmarked = UIView::make({0, 40, 100, 20});
    const auto middle = UIView::make({0, 80, 100, 40});
    const auto deep = UIView::make({0, 0, 50, 10});
    vyd::addSubviews(*device.rootViewController()->view(), {started, container});
    vyd::addSubviews(*container, {marked, unmarked, middle});
    middle->addSubview(deep);
    for (const auto& view : {container, marked, deep}) {
        vyd::setShimmerable(*view, true);
    }
    vyd::startShimmering(started);
    vyd::setTemplateWithSubviews(*container, true, vyd::rgb(1, 2, 3), true);
    for (const auto& view : Views{container, marked, unmarked, middle, deep}) {
        const bool included = view == marked || view == deep;
        EXPECT_EQ(templateLayer(*view) != nullptr, included);
        EXPECT_EQ(shimmerLayer(*view) != nullptr, included);
    }

    const auto templateColour = templateLayer(*started)->backgroundColor();
    device.setUserInterfaceStyle(UIUserInterfaceStyle::dark);
    EXPECT_EQ(shimmerLayer(*started)->colors(), highlightColours(UIUserInterfaceStyle::dark));
    EXPECT_EQ(shimmerLayer(*marked)->colors(), highlightColours(UIUserInterfaceStyle::light));
    EXPECT_EQ(templateLayer(*started)->backgroundColor(), templateColour) << "templates keep their colour";
    EXPECT_EQ(templateLayer(*marked)->backgroundColor(), vyd::rgb(1, 2, 3).cgColor());

    vyd::setTemplateWithSubviews(*container, false, std::nullopt, false);
    for (const auto& view : {marked, deep}) {
        EXPECT_EQ(templateLayer(*view), nullptr);
        EXPECT_NE(shimmerLayer(*view), nullptr) << "without animate the highlights stay";
    }
}

} // namespace
