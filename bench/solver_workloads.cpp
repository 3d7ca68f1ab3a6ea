// The solver's workloads on today's solver, each against the same workload on the solver as it
// was before its rows were stored side by side (bench/reference), in the same run: a chain of
// 1,000 variables built and solved (with the peak memory that takes), 1,000 suggestions on an
// edit of the chain's middle and of its head (which moves the whole chain), 1,000 constraints
// added and removed, a row of 1,000 views, a screen of about fifty constraints.
//
// And the cost of changing one constant of the system a chain of 1,000 views makes, against
// the same move through an edit variable: in place (through the constraint's marker), by
// removing and adding the constraint (the previous way, on both solvers), and through the
// layout engine, frames written.

#include "bench/RatioReporter.hpp"
#include "bench/SolverWorkloads.hpp"
#include "bench/reference/Solver.hpp"
#include "platform/uikit/UIView.hpp"
#include "platform/uikit/layout/Solver.hpp"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>
#include <vector>

namespace {

std::atomic<std::size_t> gLiveBytes{0};
std::atomic<std::size_t> gPeakBytes{0};

} // namespace

// Every allocation counted, for the peak memory of a solve.
void* operator new(std::size_t size) {
    void* block = std::malloc(size == 0 ? 1 : size);
    if (!block) {
        throw std::bad_alloc();
    }
    const std::size_t live = gLiveBytes.fetch_add(malloc_usable_size(block)) + malloc_usable_size(block);
    std::size_t peak = gPeakBytes.load();
    while (live > peak && !gPeakBytes.compare_exchange_weak(peak, live)) {
    }
    return block;
}

void operator delete(void* block) noexcept {
    if (block) {
        gLiveBytes.fetch_sub(malloc_usable_size(block));
        std::free(block);
    }
}

void operator delete(void* block, std::size_t) noexcept { operator delete(block); }

namespace {

using namespace vyd::bench::solver;
using Now = uikit::layout::Solver;
using Before = uikit::layout::reference::Solver;

constexpr int kSuggestions = 1000;

template <class Solver>
void chainBuild(benchmark::State& state) {
    Chain chain;
    const std::size_t start = gLiveBytes.load();
    gPeakBytes.store(start);
    {
        Solver solver;
        addAll(solver, chain.constraints, state);
        solver.updateVariables();
        state.counters["peak_MiB"] = static_cast<double>(gPeakBytes.load() - start) / (1024.0 * 1024.0);
    }
    for (auto _ : state) {
        Solver solver;
        addAll(solver, chain.constraints, state);
        solver.updateVariables();
        benchmark::DoNotOptimize(chain.x.back().value());
    }
    expectValue(state, chain.x.back(), 10 * (kChainLength - 1));
}
void BM_ChainBuild_BaselineBefore(benchmark::State& state) { chainBuild<Before>(state); }
void BM_ChainBuild_Now(benchmark::State& state) { chainBuild<Now>(state); }
BENCHMARK(BM_ChainBuild_BaselineBefore)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChainBuild_Now)->Unit(benchmark::kMillisecond);

template <class Solver>
void chainEdit(benchmark::State& state, int edited) {
    Chain chain;
    Solver solver;
    addAll(solver, chain.constraints, state);
    (void)solver.addEditVariable(chain.x[edited], Strength::defaultHigh);
    double value = 0;
    for (auto _ : state) {
        for (int i = 0; i < kSuggestions; ++i) {
            value = value > 500 ? 0 : value + 1;
            (void)solver.suggestValue(chain.x[edited], value);
            solver.updateVariables();
        }
    }
    expectValue(state, chain.x.back(), value + 10 * (kChainLength - 1 - edited));
}
void BM_ChainEditMiddle_BaselineBefore(benchmark::State& state) { chainEdit<Before>(state, kChainLength / 2); }
void BM_ChainEditMiddle_Now(benchmark::State& state) { chainEdit<Now>(state, kChainLength / 2); }
void BM_ChainEditHead_BaselineBefore(benchmark::State& state) { chainEdit<Before>(state, 0); }
void BM_ChainEditHead_Now(benchmark::State& state) { chainEdit<Now>(state, 0); }
BENCHMARK(BM_ChainEditMiddle_BaselineBefore)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChainEditMiddle_Now)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChainEditHead_BaselineBefore)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChainEditHead_Now)->Unit(benchmark::kMillisecond);

// A thousand bounds added to the solved chain, then removed.
template <class Solver>
void addRemove(benchmark::State& state) {
    Chain chain;
    Solver solver;
    addAll(solver, chain.constraints, state);
    std::vector<Constraint> bounds;
    for (int i = 0; i < kChainLength; ++i) {
        bounds.push_back(le(chain.x[i], 100000 + i));
    }
    for (auto _ : state) {
        addAll(solver, bounds, state);
        for (const Constraint& bound : bounds) {
            (void)solver.removeConstraint(bound);
        }
    }
    solver.updateVariables();
    expectValue(state, chain.x.back(), 10 * (kChainLength - 1));
}
void BM_AddRemove_BaselineBefore(benchmark::State& state) { addRemove<Before>(state); }
void BM_AddRemove_Now(benchmark::State& state) { addRemove<Now>(state); }
BENCHMARK(BM_AddRemove_BaselineBefore)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddRemove_Now)->Unit(benchmark::kMillisecond);

void BM_ThousandViews_BaselineBefore(benchmark::State& state) { solveThousandViews<Before>(state); }
void BM_ThousandViews_Now(benchmark::State& state) { solveThousandViews<Now>(state); }
BENCHMARK(BM_ThousandViews_BaselineBefore)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ThousandViews_Now)->Unit(benchmark::kMillisecond);

void BM_Screen_BaselineBefore(benchmark::State& state) { solveScreen<Before>(state); }
void BM_Screen_Now(benchmark::State& state) { solveScreen<Now>(state); }
BENCHMARK(BM_Screen_BaselineBefore);
BENCHMARK(BM_Screen_Now);

// The head of the view chain moved between 0 and 10.
double nextHead(double head) { return head >= 10 ? 0 : head + 1; }

void expectChainAt(benchmark::State& state, const ViewChain& chain, double head) {
    expectValue(state, chain.views.back().left, head + (kChainLength - 1) * 10);
}

template <class Solver>
void moveThroughEdit(benchmark::State& state) {
    ViewChain chain(false);
    Solver solver;
    addAll(solver, chain.constraints, state);
    (void)solver.addEditVariable(chain.views[0].left, Strength::required - 1);
    double head = 0;
    for (auto _ : state) {
        head = nextHead(head);
        (void)solver.suggestValue(chain.views[0].left, head);
        solver.updateVariables();
    }
    expectChainAt(state, chain, head);
}
void BM_ViewChainMove_BaselineEdit(benchmark::State& state) { moveThroughEdit<Now>(state); }
void BM_ViewChainMove_EditBefore(benchmark::State& state) { moveThroughEdit<Before>(state); }
BENCHMARK(BM_ViewChainMove_BaselineEdit)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ViewChainMove_EditBefore)->Unit(benchmark::kMicrosecond);

// The head's constraint swapped for one with the new constant by `change`.
template <class Solver, class Change>
void changeHead(benchmark::State& state, Change change) {
    ViewChain chain;
    Solver solver;
    addAll(solver, chain.constraints, state);
    Constraint current = chain.constraints[4];
    double head = 0;
    for (auto _ : state) {
        head = nextHead(head);
        const Constraint moved = chain.headAt(head);
        change(solver, current, moved);
        current = moved;
        solver.updateVariables();
    }
    expectChainAt(state, chain, head);
}

void inPlace(Now& solver, const Constraint& current, const Constraint& moved) {
    (void)solver.replaceConstraint(current, moved);
}

template <class Solver>
void removeAndAdd(Solver& solver, const Constraint& current, const Constraint& moved) {
    (void)solver.removeConstraint(current);
    (void)solver.addConstraint(moved);
}

void BM_ViewChainMove_InPlace(benchmark::State& state) { changeHead<Now>(state, inPlace); }
void BM_ViewChainMove_RemoveAdd(benchmark::State& state) { changeHead<Now>(state, removeAndAdd<Now>); }
void BM_ViewChainMove_RemoveAddBefore(benchmark::State& state) { changeHead<Before>(state, removeAndAdd<Before>); }
BENCHMARK(BM_ViewChainMove_InPlace)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ViewChainMove_RemoveAdd)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ViewChainMove_RemoveAddBefore)->Unit(benchmark::kMicrosecond);

// The same chain of views laid out by the engine, its head's constant changed.
void BM_ViewChainMove_Engine(benchmark::State& state) {
    using namespace uikit;
    const auto root = UIView::make({0, 0, 10000, 100});
    std::vector<std::shared_ptr<UIView>> views;
    std::vector<NSLayoutConstraint::Pointer> constraints;
    NSLayoutConstraint::Pointer head;
    for (int i = 0; i < kChainLength; ++i) {
        auto view = UIView::make();
        view->setTranslatesAutoresizingMaskIntoConstraints(false);
        root->addSubview(view);
        auto leading = views.empty() ? view->leadingAnchor().constraintEqualTo(root->leadingAnchor())
                                     : view->leadingAnchor().constraintEqualTo(views.back()->trailingAnchor(), 2);
        head = head ? head : leading;
        constraints.insert(constraints.end(), {leading, view->widthAnchor().constraintEqualToConstant(8),
                                               view->topAnchor().constraintEqualTo(root->topAnchor()),
                                               view->heightAnchor().constraintEqualToConstant(8)});
        views.push_back(view);
    }
    NSLayoutConstraint::activate(constraints);
    root->layoutIfNeeded();
    double start = 0;
    for (auto _ : state) {
        start = nextHead(start);
        head->setConstant(start);
        root->layoutIfNeeded();
    }
    if (views.back()->frame().origin.x != start + (kChainLength - 1) * 10) {
        state.SkipWithError("the chain was laid out wrongly");
    }
}
BENCHMARK(BM_ViewChainMove_Engine)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) { return vyd::bench::runWithRatios(argc, argv); }
