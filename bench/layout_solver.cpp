// The constraint solver on the systems an embedding app pays for: a screen of about fifty
// constraints, a row of a thousand views, and re-solving both after an edit. Figures are also
// printed as ratios against a baseline measured in the same run: placing the same thousand frames
// by plain arithmetic, the cost of a layout with no solver at all.

#include "bench/RatioReporter.hpp"
#include "bench/SolverWorkloads.hpp"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/uikit/layout/Solver.hpp"

namespace {

using uikit::layout::Solver;

using namespace vyd::bench::solver;

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
    solveScreen<Solver>(state);
    state.counters["constraints"] = static_cast<double>(Screen().constraints.size() + 1);
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
    solveThousandViews<Solver>(state);
    state.counters["constraints"] = static_cast<double>(ThousandViews().constraints.size() + 1);
}
BENCHMARK(BM_SolveRowOfThousandViews)->Unit(benchmark::kMillisecond);

void BM_MoveRowOfThousandViews(benchmark::State& state) {
    ThousandViews row;
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

} // namespace

int main(int argc, char** argv) { return vyd::bench::runWithRatios(argc, argv, "BM_Baseline"); }
