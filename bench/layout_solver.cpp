// The constraint solver on the systems an embedding app pays for: a screen of about fifty
// constraints, a row of a thousand views, and re-solving both after an edit. Figures are also
// printed as ratios against a baseline measured in the same run: placing the same thousand frames
// by plain arithmetic, the cost of a layout with no solver at all.

#include "bench/RatioReporter.hpp"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/uikit/layout/Solver.hpp"

namespace {

using uikit::layout::Constraint;
using uikit::layout::Expression;
using uikit::layout::RelationalOperator;
using uikit::layout::Solver;
using uikit::layout::Variable;
namespace Strength = uikit::layout::Strength;

constexpr int kChainLength = 1000;
constexpr double kGap = 8;

Constraint eq(const Expression& lhs, const Expression& rhs, double priority = Strength::required) {
  return Constraint(lhs, RelationalOperator::Equal, rhs, priority);
}
Constraint le(const Expression& lhs, const Expression& rhs, double priority = Strength::required) {
  return Constraint(lhs, RelationalOperator::LessOrEqual, rhs, priority);
}
Constraint ge(const Expression& lhs, const Expression& rhs, double priority = Strength::required) {
  return Constraint(lhs, RelationalOperator::GreaterOrEqual, rhs, priority);
}

struct Box {
  Variable left;
  Variable top;
  Variable width;
  Variable height;

  Expression right() const { return left + width; }
  Expression bottom() const { return top + height; }
  Expression centerX() const { return left + width / 2; }
};

// A sign-in screen: header, logo, title, subtitle, two buttons, two small icons and a footer
// inside a root view, with the hugging and compression-style preferences of real layouts. The
// root's width is left to the caller (a required constraint or an edit variable).
struct Screen {
  Box root;
  std::vector<Box> boxes = std::vector<Box>(9);
  std::vector<Constraint> constraints;

  Screen() {
    Box& header = boxes[0];
    Box& logo = boxes[1];
    Box& title = boxes[2];
    Box& subtitle = boxes[3];
    Box& primary = boxes[4];
    Box& secondary = boxes[5];
    Box& footer = boxes[6];
    Box& icon = boxes[7];
    Box& badge = boxes[8];
    constraints = {
        eq(root.left, 0), eq(root.top, 0), eq(root.height, 812),
        eq(header.left, root.left), eq(header.right(), root.right()), eq(header.top, root.top),
        eq(header.height, 56),
        eq(logo.centerX(), root.centerX()), eq(logo.top, header.bottom() + 24), eq(logo.width, 64),
        eq(logo.height, logo.width),
        ge(title.left, root.left + 16), le(title.right(), root.right() - 16),
        eq(title.centerX(), root.centerX()), eq(title.top, logo.bottom() + 16),
        eq(title.width, 220, Strength::defaultLow), ge(title.width, 100, Strength::defaultHigh),
        eq(title.height, 28),
        eq(subtitle.left, root.left + 16), eq(subtitle.right(), root.right() - 16),
        eq(subtitle.top, title.bottom() + 8), ge(subtitle.height, 20),
        eq(subtitle.height, 40, Strength::defaultLow),
        eq(primary.left, root.left + 16), eq(primary.right(), root.right() - 16),
        eq(primary.height, 52), ge(primary.top, subtitle.bottom() + 24),
        eq(primary.top, subtitle.bottom() + 200, Strength::defaultLow),
        eq(secondary.left, primary.left), eq(secondary.width, primary.width),
        eq(secondary.height, primary.height), eq(secondary.top, primary.bottom() + 12),
        le(secondary.bottom(), footer.top - 16),
        eq(footer.left, root.left), eq(footer.width, root.width), eq(footer.height, 34),
        eq(footer.bottom(), root.bottom()),
        eq(icon.left, root.left + 16), eq(icon.top, footer.top - 40), eq(icon.width, 24),
        eq(icon.height, 24),
        eq(badge.left, icon.right() + kGap), eq(badge.top, icon.top), eq(badge.width, icon.width),
        eq(badge.height, icon.height), le(badge.right(), root.right() - 16),
        ge(logo.top, header.bottom()), le(title.width, 320, 999), le(subtitle.height, 60),
    };
  }
};

// A thousand views in a row, each as wide as it may be up to 40 points, as high as wide,
// 8 points after the one before.
struct Row {
  std::vector<Box> views = std::vector<Box>(kChainLength);
  std::vector<Constraint> constraints;

  Row() {
    for (int i = 0; i < kChainLength; ++i) {
      const Box& view = views[i];
      if (i == 0) {
        constraints.push_back(eq(view.top, 20));
      } else {
        constraints.push_back(eq(view.left, views[i - 1].right() + kGap));
        constraints.push_back(eq(view.top, views[i - 1].top));
      }
      constraints.push_back(le(view.width, 40));
      constraints.push_back(eq(view.width, 44, Strength::defaultLow));
      constraints.push_back(eq(view.height, view.width));
    }
  }
};

void addAll(Solver& solver, const std::vector<Constraint>& constraints, benchmark::State& state) {
  for (const Constraint& constraint : constraints) {
    if (!solver.addConstraint(constraint).ok()) {
      state.SkipWithError("a constraint was refused");
      return;
    }
  }
}

// A benchmark of a wrong answer measures nothing.
void expectValue(benchmark::State& state, const Variable& variable, double expected) {
  if (std::fabs(variable.value() - expected) > 1e-6) {
    state.SkipWithError("the solver produced a wrong layout");
  }
}

void BM_Baseline_ArithmeticFramesForThousandViews(benchmark::State& state) {
  std::vector<double> frames(4 * kChainLength);
  double head = 0;
  for (auto _ : state) {
    double left = head;
    for (int i = 0; i < kChainLength; ++i) {
      frames[4 * i] = left;
      frames[4 * i + 1] = 20;
      frames[4 * i + 2] = 40;
      frames[4 * i + 3] = 40;
      left += 40 + kGap;
    }
    benchmark::DoNotOptimize(frames.data());
    benchmark::ClobberMemory();
    head += 1;
  }
}
BENCHMARK(BM_Baseline_ArithmeticFramesForThousandViews);

void BM_SolveScreenOfFiftyConstraints(benchmark::State& state) {
  Screen screen;
  for (auto _ : state) {
    Solver solver;
    addAll(solver, screen.constraints, state);
    (void)solver.addConstraint(eq(screen.root.width, 375));
    solver.updateVariables();
    benchmark::DoNotOptimize(screen.boxes[5].top.value());
  }
  // 56 header + 24 + 64 logo + 16 + 28 title + 8 + 40 subtitle + 200 + 52 primary + 12
  expectValue(state, screen.boxes[5].top, 500);
  state.counters["constraints"] = static_cast<double>(screen.constraints.size() + 1);
}
BENCHMARK(BM_SolveScreenOfFiftyConstraints);

void BM_ResizeScreenOfFiftyConstraints(benchmark::State& state) {
  Screen screen;
  Solver solver;
  addAll(solver, screen.constraints, state);
  (void)solver.addEditVariable(screen.root.width, Strength::required - 1);
  double widths[] = {320, 375, 414, 768};
  std::size_t step = 0;
  for (auto _ : state) {
    (void)solver.suggestValue(screen.root.width, widths[step++ % 4]);
    solver.updateVariables();
    benchmark::DoNotOptimize(screen.boxes[5].width.value());
  }
  (void)solver.suggestValue(screen.root.width, 414);
  solver.updateVariables();
  expectValue(state, screen.boxes[5].width, 414 - 32);
}
BENCHMARK(BM_ResizeScreenOfFiftyConstraints);

void BM_SolveRowOfThousandViews(benchmark::State& state) {
  Row row;
  for (auto _ : state) {
    Solver solver;
    addAll(solver, row.constraints, state);
    (void)solver.addConstraint(eq(row.views[0].left, 0));
    solver.updateVariables();
    benchmark::DoNotOptimize(row.views.back().left.value());
  }
  expectValue(state, row.views.back().left, (kChainLength - 1) * (40 + kGap));
  state.counters["constraints"] = static_cast<double>(row.constraints.size() + 1);
}
BENCHMARK(BM_SolveRowOfThousandViews)->Unit(benchmark::kMillisecond);

void BM_MoveRowOfThousandViews(benchmark::State& state) {
  Row row;
  Solver solver;
  addAll(solver, row.constraints, state);
  (void)solver.addEditVariable(row.views[0].left, Strength::required - 1);
  double head = 0;
  for (auto _ : state) {
    head = head > 100 ? 0 : head + 7;
    (void)solver.suggestValue(row.views[0].left, head);
    solver.updateVariables();
    benchmark::DoNotOptimize(row.views.back().left.value());
  }
  expectValue(state, row.views.back().left, head + (kChainLength - 1) * (40 + kGap));
}
BENCHMARK(BM_MoveRowOfThousandViews)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) { return vyd::bench::runWithRatios(argc, argv, "BM_Baseline"); }
