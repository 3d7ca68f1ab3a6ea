// What Auto Layout costs a screen: views laid out by the constraint solver against the same
// frames set by hand, for a screen of about fifty constraints and for a chain of 1,000 views.
#include "bench/RatioReporter.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UIStackView.hpp"
#include "platform/uikit/UIView.hpp"

#include <benchmark/benchmark.h>

#include <memory>
#include <stdexcept>
#include <vector>

namespace {

using namespace uikit;

std::shared_ptr<UIView> constrained(const std::shared_ptr<UIView>& parent) {
    auto view = UIView::make();
    view->setTranslatesAutoresizingMaskIntoConstraints(false);
    parent->addSubview(view);
    return view;
}

// A sheet like the SDK's choice screen: a header area with a logo and a close button, two
// labels and two buttons in stacks, containers pinned around them. Returns the constraint whose
// constant the resize benchmark moves.
struct Screen {
    std::shared_ptr<UIView> root;
    NSLayoutConstraint::Pointer topInset;
    std::size_t constraintCount = 0;
};

Screen makeScreen() {
    Screen screen;
    screen.root = UIView::make({0, 0, 375, 812});
    auto main = constrained(screen.root);
    auto top = constrained(main);
    auto bottom = constrained(main);
    auto logo = constrained(top);
    auto close = constrained(top);
    auto header = UILabel::make();
    header->setText("Open VY Bank");
    header->setNumberOfLines(0);
    auto description = UILabel::make();
    description->setText("This is a secure way to log in with a VY ID: the partner will not get access to your "
                         "application");
    description->setNumberOfLines(0);
    auto labels = UIStackView::make({header, description});
    labels->setAxis(UILayoutConstraintAxis::vertical);
    labels->setAlignment(UIStackViewAlignment::leading);
    labels->setSpacing(16);
    auto first = UIView::make();
    auto second = UIView::make();
    auto buttons = UIStackView::make({first, second});
    buttons->setAxis(UILayoutConstraintAxis::vertical);
    buttons->setSpacing(8);
    auto stack = UIStackView::make({labels, buttons});
    stack->setAxis(UILayoutConstraintAxis::vertical);
    stack->setSpacing(24);
    stack->setTranslatesAutoresizingMaskIntoConstraints(false);
    bottom->addSubview(stack);

    screen.topInset = logo->topAnchor().constraintEqualTo(top->topAnchor(), 58);
    const std::vector<NSLayoutConstraint::Pointer> constraints = {
        screen.topInset,
        logo->leadingAnchor().constraintEqualTo(top->leadingAnchor(), 24),
        logo->widthAnchor().constraintEqualToConstant(78),
        logo->heightAnchor().constraintEqualToConstant(78),
        logo->bottomAnchor().constraintEqualTo(top->bottomAnchor(), -24),
        close->topAnchor().constraintEqualTo(top->topAnchor(), 22),
        close->trailingAnchor().constraintEqualTo(top->trailingAnchor(), -20),
        close->widthAnchor().constraintEqualToConstant(32),
        close->heightAnchor().constraintEqualToConstant(32),
        first->heightAnchor().constraintEqualToConstant(40),
        second->heightAnchor().constraintEqualToConstant(40),
        stack->topAnchor().constraintEqualTo(bottom->topAnchor(), 24),
        stack->leadingAnchor().constraintEqualTo(bottom->leadingAnchor(), 24),
        stack->trailingAnchor().constraintEqualTo(bottom->trailingAnchor(), -24),
        stack->bottomAnchor().constraintEqualTo(bottom->bottomAnchor(), -32),
        top->topAnchor().constraintEqualTo(main->topAnchor()),
        top->leadingAnchor().constraintEqualTo(main->leadingAnchor()),
        top->trailingAnchor().constraintEqualTo(main->trailingAnchor()),
        bottom->topAnchor().constraintEqualTo(top->bottomAnchor()),
        bottom->leadingAnchor().constraintEqualTo(main->leadingAnchor()),
        bottom->trailingAnchor().constraintEqualTo(main->trailingAnchor()),
        bottom->bottomAnchor().constraintEqualTo(main->bottomAnchor()),
        main->leadingAnchor().constraintEqualTo(screen.root->leadingAnchor()),
        main->trailingAnchor().constraintEqualTo(screen.root->trailingAnchor()),
        main->bottomAnchor().constraintEqualTo(screen.root->bottomAnchor()),
    };
    NSLayoutConstraint::activate(constraints);
    screen.root->layoutIfNeeded();
    // The stacks add their own constraints (alignment, spacing, edges) on the first pass.
    std::vector<std::shared_ptr<UIView>> pending{screen.root};
    while (!pending.empty()) {
        const auto view = pending.back();
        pending.pop_back();
        screen.constraintCount += view->constraints().size();
        pending.insert(pending.end(), view->subviews().begin(), view->subviews().end());
    }
    return screen;
}

void BM_Baseline_FramesForScreenByHand(benchmark::State& state) {
    auto root = UIView::make({0, 0, 375, 812});
    std::vector<std::shared_ptr<UIView>> views;
    for (int i = 0; i < 12; ++i) {
        views.push_back(UIView::make());
        root->addSubview(views.back());
    }
    CGFloat offset = 0;
    for (auto _ : state) {
        offset = offset > 10 ? 0 : offset + 1;
        for (std::size_t i = 0; i < views.size(); ++i) {
            views[i]->setFrame({24, 58 + offset + 40 * static_cast<CGFloat>(i), 327, 40});
        }
        root->layoutIfNeeded();
        benchmark::DoNotOptimize(views.back()->frame());
    }
}
BENCHMARK(BM_Baseline_FramesForScreenByHand);

void BM_SolveScreenOfFiftyConstraints(benchmark::State& state) {
    Screen screen = makeScreen();
    if (screen.constraintCount < 45 || screen.constraintCount > 70) {
        throw std::logic_error("the screen should have about fifty constraints");
    }
    CGFloat inset = 58;
    for (auto _ : state) {
        inset = inset > 70 ? 58 : inset + 1;
        screen.topInset->setConstant(inset);
        screen.root->layoutIfNeeded();
        benchmark::DoNotOptimize(screen.root->subviews().front()->frame());
    }
    state.counters["constraints"] = static_cast<double>(screen.constraintCount);
}
BENCHMARK(BM_SolveScreenOfFiftyConstraints);

void BM_BuildAndSolveScreen(benchmark::State& state) {
    for (auto _ : state) {
        Screen screen = makeScreen();
        benchmark::DoNotOptimize(screen.root->subviews().front()->frame());
    }
}
BENCHMARK(BM_BuildAndSolveScreen);

// 1,000 views in a row, each 10 points right of the one before it.
std::vector<std::shared_ptr<UIView>> makeChain(const std::shared_ptr<UIView>& root, NSLayoutConstraint::Pointer& head) {
    std::vector<std::shared_ptr<UIView>> views;
    std::vector<NSLayoutConstraint::Pointer> constraints;
    for (int i = 0; i < 1000; ++i) {
        auto view = constrained(root);
        if (views.empty()) {
            head = view->leadingAnchor().constraintEqualTo(root->leadingAnchor(), 0);
            constraints.push_back(head);
        } else {
            constraints.push_back(view->leadingAnchor().constraintEqualTo(views.back()->trailingAnchor(), 2));
        }
        constraints.push_back(view->widthAnchor().constraintEqualToConstant(8));
        constraints.push_back(view->topAnchor().constraintEqualTo(root->topAnchor()));
        constraints.push_back(view->heightAnchor().constraintEqualToConstant(8));
        views.push_back(view);
    }
    NSLayoutConstraint::activate(constraints);
    return views;
}

void BM_SolveChainOfThousandViews(benchmark::State& state) {
    auto root = UIView::make({0, 0, 10000, 100});
    NSLayoutConstraint::Pointer head;
    const auto views = makeChain(root, head);
    CGFloat start = 0;
    for (auto _ : state) {
        start = start > 10 ? 0 : start + 1;
        head->setConstant(start);
        root->layoutIfNeeded();
        if (views.back()->frame().origin.x != start + 999 * 10) {
            state.SkipWithError("the chain was laid out wrongly");
            break;
        }
    }
}
BENCHMARK(BM_SolveChainOfThousandViews)->Unit(benchmark::kMillisecond);

void BM_BuildAndSolveChainOfThousandViews(benchmark::State& state) {
    for (auto _ : state) {
        auto root = UIView::make({0, 0, 10000, 100});
        NSLayoutConstraint::Pointer head;
        const auto views = makeChain(root, head);
        root->layoutIfNeeded();
        benchmark::DoNotOptimize(views.back()->frame());
    }
}
BENCHMARK(BM_BuildAndSolveChainOfThousandViews)->Unit(benchmark::kMillisecond);

void BM_UnchangedChainOfThousandViews(benchmark::State& state) {
    // A pass with nothing changed since the last one solves nothing.
    auto root = UIView::make({0, 0, 10000, 100});
    NSLayoutConstraint::Pointer head;
    const auto views = makeChain(root, head);
    root->layoutIfNeeded();
    for (auto _ : state) {
        views[500]->setNeedsLayout();
        root->layoutIfNeeded();
        benchmark::DoNotOptimize(views.back()->frame());
    }
}
BENCHMARK(BM_UnchangedChainOfThousandViews)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) { return vyd::bench::runWithRatios(argc, argv, "BM_Baseline"); }
