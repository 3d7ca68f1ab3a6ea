// What laying out costs when several windows are on screen: one constant changes in one window,
// then the display pass lays out every window on screen, as the platform does at the end of a
// run-loop turn. A window in which nothing changed should cost next to nothing, so the frame
// with ten other windows on screen should cost about what it costs with that window alone.
#include "bench/RatioReporter.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UIWindow.hpp"

#include <memory>
#include <string>
#include <vector>

namespace {

using namespace uikit;

// A form of twelve captioned fields one under the other (about fifty constraints), whose top
// inset the benchmarks move.
struct Form {
    std::shared_ptr<UIWindow> window;
    NSLayoutConstraint::Pointer topInset;
};

Form makeForm() {
    Form form;
    form.window = UIWindow::make({0, 0, 390, 844});
    const auto& root = form.window;
    std::vector<NSLayoutConstraint::Pointer> constraints;
    auto above = root->topAnchor();
    for (int i = 0; i < 12; ++i) {
        auto caption = UILabel::make();
        caption->setText("VY ID field " + std::to_string(i));
        auto field = UIView::make();
        for (const auto& view : {std::static_pointer_cast<UIView>(caption), field}) {
            view->setTranslatesAutoresizingMaskIntoConstraints(false);
            root->addSubview(view);
        }
        auto top = caption->topAnchor().constraintEqualTo(above, i == 0 ? 60 : 12);
        if (i == 0) {
            form.topInset = top;
        }
        constraints.insert(constraints.end(),
                           {
                               top,
                               caption->leadingAnchor().constraintEqualTo(root->leadingAnchor(), 16),
                               field->topAnchor().constraintEqualTo(caption->bottomAnchor(), 4),
                               field->leadingAnchor().constraintEqualTo(caption->leadingAnchor()),
                               field->trailingAnchor().constraintEqualTo(root->trailingAnchor(), -16),
                               field->heightAnchor().constraintEqualToConstant(36),
                           });
        above = field->bottomAnchor();
    }
    NSLayoutConstraint::activate(constraints);
    form.window->setHidden(false);
    form.window->layoutIfNeeded();
    return form;
}

// Moves the first window's top inset, then lays out every window on screen.
void frames(benchmark::State& state, int windowCount) {
    std::vector<Form> forms;
    for (int i = 0; i < windowCount; ++i) {
        forms.push_back(makeForm());
    }
    CGFloat inset = 60;
    for (auto _ : state) {
        inset = inset > 70 ? 60 : inset + 1;
        forms.front().topInset->setConstant(inset);
        for (const Form& form : forms) {
            form.window->layoutIfNeeded();
        }
        if (forms.front().window->subviews().front()->frame().origin.y != inset) {
            state.SkipWithError("the window was laid out wrongly");
            break;
        }
    }
}

void BM_Baseline_OneWindowAlone(benchmark::State& state) { frames(state, 1); }
BENCHMARK(BM_Baseline_OneWindowAlone);

void BM_OneWindowAmongTenOthers(benchmark::State& state) { frames(state, 11); }
BENCHMARK(BM_OneWindowAmongTenOthers);

} // namespace

int main(int argc, char** argv) { return vyd::bench::runWithRatios(argc, argv, "BM_Baseline"); }
