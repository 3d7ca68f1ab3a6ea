#pragma once

// Benchmarks report their figures as multiples of a baseline measured in the same run, so that
// numbers from different machines compare. `runWithRatios` stands in for BENCHMARK_MAIN().

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace vyd::bench {

// Prints the usual table, then every benchmark's time per iteration over the time of the first
// benchmark whose name starts with `baselinePrefix`.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    explicit RatioReporter(std::string baselinePrefix) : baselinePrefix_(std::move(baselinePrefix)) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
                times_.emplace_back(run.benchmark_name(), run.real_accumulated_time / static_cast<double>(run.iterations));
            }
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        double baseline = 0;
        for (const auto& [name, seconds] : times_) {
            if (name.rfind(baselinePrefix_, 0) == 0) {
                baseline = seconds;
                break;
            }
        }
        if (baseline <= 0) {
            return;
        }
        std::printf("\nTime per iteration as a multiple of %s (%.3g us):\n", baselinePrefix_.c_str(), baseline * 1e6);
        for (const auto& [name, seconds] : times_) {
            std::printf("  %-50s %12.2fx\n", name.c_str(), seconds / baseline);
        }
    }

private:
    std::string baselinePrefix_;
    std::vector<std::pair<std::string, double>> times_;
};

inline int runWithRatios(int argc, char** argv, const std::string& baselinePrefix) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    RatioReporter reporter(baselinePrefix);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

} // namespace vyd::bench
