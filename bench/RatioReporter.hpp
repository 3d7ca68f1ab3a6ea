#pragma once

// Benchmarks report their figures as multiples of a baseline measured in the same run, so that
// numbers from different machines compare and each figure says what the job costs over doing the
// same job the plain way. `runWithRatios` stands in for BENCHMARK_MAIN().
//
// Pairing is by name: "BM_<Topic>_<What>[/arguments]" is divided by its topic's baseline,
// "BM_<Topic>_Baseline<...>", run with the same arguments when the baseline takes arguments (a
// screen of 32 buttons against a screen of 32 plain buttons). Filtering by topic
// (--benchmark_filter=Screen) runs a benchmark together with its baseline. A benchmark whose
// topic has no baseline is divided by the first benchmark named with `fallbackPrefix`, if any.
// With --benchmark_repetitions, the median of the repetitions is used.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vyd::bench {

class RatioReporter : public benchmark::ConsoleReporter {
public:
    explicit RatioReporter(std::string fallbackPrefix = {}) : fallbackPrefix_(std::move(fallbackPrefix)) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if ((run.run_type != Run::RT_Iteration && !median) || run.iterations <= 0) {
                continue;
            }
            // Without the repetition count, which the name carries when there are repetitions.
            std::string name = run.run_name.function_name;
            if (!run.run_name.args.empty()) {
                name += "/" + run.run_name.args;
            }
            auto [it, added] = times_.try_emplace(name);
            if (added) {
                order_.push_back(name);
            }
            const double seconds = run.real_accumulated_time / static_cast<double>(run.iterations);
            if (median) {
                it->second.median = seconds;
            } else {
                it->second.repetitions.push_back(seconds);
            }
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\nTime per iteration as a multiple of its baseline's, measured in this run:\n");
        for (const std::string& name : order_) {
            const std::string baseline = baselineOf(name);
            const double seconds = median(name);
            const std::string time = readable(seconds);
            if (baseline.empty() || baseline == name) {
                std::printf("  %-44s %10s   %s\n", name.c_str(), time.c_str(),
                            baseline.empty() ? "(no baseline)" : "(baseline)");
                continue;
            }
            std::printf("  %-44s %10s %10.2fx  over %s\n", name.c_str(), time.c_str(), seconds / median(baseline),
                        baseline.c_str());
        }
    }

    // "BM_Screen" of "BM_Screen_Login/32"; the whole name before the arguments when it has no
    // second underscore.
    static std::string topicOf(const std::string& name) {
        const std::string function = name.substr(0, name.find('/'));
        const auto underscore = function.find('_', function.rfind("BM_", 0) == 0 ? 3 : 0);
        return function.substr(0, underscore);
    }

    static std::string argumentsOf(const std::string& name) {
        const auto slash = name.find('/');
        return slash == std::string::npos ? std::string() : name.substr(slash);
    }

private:
    // The topic's baseline with the same arguments, else the topic's baseline without any, else
    // the fallback; empty when there is none.
    std::string baselineOf(const std::string& name) const {
        const std::string prefix = topicOf(name) + "_Baseline";
        std::string withoutArguments;
        for (const std::string& candidate : order_) {
            if (candidate.rfind(prefix, 0) != 0) {
                continue;
            }
            if (argumentsOf(candidate) == argumentsOf(name)) {
                return candidate;
            }
            if (withoutArguments.empty() && argumentsOf(candidate).empty()) {
                withoutArguments = candidate;
            }
        }
        if (!withoutArguments.empty()) {
            return withoutArguments;
        }
        if (!fallbackPrefix_.empty()) {
            for (const std::string& candidate : order_) {
                if (candidate.rfind(fallbackPrefix_, 0) == 0) {
                    return candidate;
                }
            }
        }
        return {};
    }

    static std::string readable(double seconds) {
        char text[32];
        if (seconds >= 1) {
            std::snprintf(text, sizeof text, "%.3g s", seconds);
        } else if (seconds >= 1e-3) {
            std::snprintf(text, sizeof text, "%.3g ms", seconds * 1e3);
        } else if (seconds >= 1e-6) {
            std::snprintf(text, sizeof text, "%.3g us", seconds * 1e6);
        } else {
            std::snprintf(text, sizeof text, "%.3g ns", seconds * 1e9);
        }
        return text;
    }

    double median(const std::string& name) const {
        const Times& times = times_.at(name);
        if (times.median) {
            return *times.median;
        }
        std::vector<double> values = times.repetitions;
        std::sort(values.begin(), values.end());
        const std::size_t middle = values.size() / 2;
        return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
    }

    struct Times {
        std::vector<double> repetitions;
        std::optional<double> median; // reported by the library with the aggregates
    };

    std::string fallbackPrefix_;
    std::vector<std::string> order_;
    std::map<std::string, Times> times_;
};

inline int runWithRatios(int argc, char** argv, const std::string& fallbackPrefix = {}) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    RatioReporter reporter(fallbackPrefix);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

} // namespace vyd::bench
