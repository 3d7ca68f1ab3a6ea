// What a partner app pays for the SDK's slide panel, against the plain way of the same job:
// making one with its sheet and showing it, against placing the same sheet in the lower part of
// the screen and laying it out; each frame of a drag (the surface placed from the layout's
// anchors, the backdrop darkened to match), against moving a plain view's frame in the same
// hierarchy.
#include "bench/RatioReporter.hpp"

#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UIViewController.hpp"
#include "sdk/screens/SlidePanelFactory.hpp"

#include <string>

namespace {

using Style = vyd::SlidePanelFactory::PanelStyle;
using Behavior = vyd::SlidePanelFactory::PanelBehavior;

// A sheet of `lines` labels one under the other, as tall as they need.
std::shared_ptr<uikit::UIViewController> sheet(int lines) {
    auto controller = uikit::UIViewController::make();
    const auto view = controller->view();
    auto above = view->topAnchor();
    for (int i = 0; i < lines; ++i) {
        const auto label = uikit::UILabel::make();
        label->setText("VY ID line " + std::to_string(i));
        label->setTranslatesAutoresizingMaskIntoConstraints(false);
        view->addSubview(label);
        uikit::NSLayoutConstraint::activate({label->topAnchor().constraintEqualTo(above, 8),
                                             label->leadingAnchor().constraintEqualTo(view->leadingAnchor(), 16)});
        above = label->bottomAnchor();
    }
    return controller;
}

std::shared_ptr<vyd::SlidePanelController> shownPanel(Style style, int lines,
                                                      const std::shared_ptr<uikit::UIView>& root) {
    auto panel = vyd::SlidePanelFactory().createSlidePanel(style, Behavior::default_, nullptr);
    panel->set(sheet(lines));
    root->addSubview(panel->view());
    panel->view()->setFrame(root->bounds());
    panel->show(false);
    return panel;
}

void BM_Drag_Baseline_MoveView(benchmark::State& state) {
    const auto root = uikit::UIView::make({0, 0, 390, 844});
    const auto view = uikit::UIView::make({0, 400, 390, 444});
    root->addSubview(view);
    double y = 400;
    for (auto _ : state) {
        y = y > 600 ? 400 : y + 1;
        view->setFrame({0, y, 390, 844 - y});
        benchmark::DoNotOptimize(view->frame());
    }
}

void BM_Drag_PanelFrame(benchmark::State& state) {
    const auto root = uikit::UIView::make({0, 0, 390, 844});
    const auto panel =
        shownPanel(state.range(0) == 0 ? Style::web : Style::contentSize, static_cast<int>(state.range(1)), root);
    const double top = panel->surfaceLocation().y;
    double y = top;
    for (auto _ : state) {
        y = y > top + 200 ? top : y + 1;
        panel->setSurfaceLocation({0, y});
        benchmark::DoNotOptimize(panel->surfaceLocation());
    }
}

void BM_Show_Baseline_SheetInPlainView(benchmark::State& state) {
    const auto root = uikit::UIView::make({0, 0, 390, 844});
    for (auto _ : state) {
        const auto controller = sheet(static_cast<int>(state.range(0)));
        root->addSubview(controller->view());
        controller->view()->setFrame({0, 400, 390, 444});
        controller->view()->layoutIfNeeded();
        benchmark::DoNotOptimize(controller->view()->frame());
        controller->view()->removeFromSuperview();
    }
}

void BM_Show_PanelMadeAndShown(benchmark::State& state) {
    const auto root = uikit::UIView::make({0, 0, 390, 844});
    for (auto _ : state) {
        const auto panel = shownPanel(Style::contentSize, static_cast<int>(state.range(0)), root);
        benchmark::DoNotOptimize(panel->surfaceLocation());
        panel->view()->removeFromSuperview();
    }
}

BENCHMARK(BM_Drag_Baseline_MoveView);
// Style (0: web page, 1: as tall as its content) by lines of content.
BENCHMARK(BM_Drag_PanelFrame)->Args({0, 3})->Args({1, 3})->Args({1, 12});
// Lines of content.
BENCHMARK(BM_Show_Baseline_SheetInPlainView)->Arg(3)->Arg(12);
BENCHMARK(BM_Show_PanelMadeAndShown)->Arg(3)->Arg(12);

} // namespace

int main(int argc, char** argv) { return vyd::bench::runWithRatios(argc, argv); }
