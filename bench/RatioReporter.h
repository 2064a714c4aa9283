#pragma once

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <map>
#include <string>
#include <vector>

// What the benchmark programs share: default flags and the `ratio NAME VALUE` lines, each the
// quotient of two medians measured in the same run.
namespace korven::bench {

// Adds each default flag ("--name=value") that the command line does not set itself.
inline std::vector<char*> withDefaults(int argc, char** argv, std::vector<std::string>& defaults) {
    std::vector<char*> args(argv, argv + argc);
    for (std::string& flag : defaults) {
        const std::string name = flag.substr(0, flag.find('='));
        if (std::none_of(args.begin(), args.end(),
                         [&](const char* a) { return std::string(a).starts_with(name); })) {
            args.insert(args.begin() + 1, flag.data());
        }
    }
    return args;
}

// Starts Google Benchmark with `defaults` for the flags the command line leaves unset: by
// default five repetitions in random interleaving, so that a change in the machine's load
// hits both sides of a ratio alike, and each ratio is a quotient of medians of five.
inline void initialize(int argc, char** argv,
                       std::vector<std::string> defaults = {"--benchmark_repetitions=5",
                                                            "--benchmark_enable_random_interleaving=true"}) {
    std::vector<char*> args = withDefaults(argc, argv, defaults);
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
}

// Keeps the console table and remembers each repetition's real time per benchmark.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter() : ConsoleReporter(::isatty(STDOUT_FILENO) ? OO_Defaults : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
                m_seconds[run.run_name.function_name].push_back(
                    run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit));
            }
        }
    }

    double median(const std::string& name) const {
        const auto found = m_seconds.find(name);
        if (found == m_seconds.end() || found->second.empty()) {
            return 0;
        }
        std::vector<double> times = found->second;
        std::sort(times.begin(), times.end());
        const std::size_t n = times.size();
        return n % 2 == 1 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
    }

    static void printRatio(const char* name, double top, double bottom) {
        if (top <= 0 || bottom <= 0) {
            std::printf("ratio %s nan\n", name);
        } else {
            // Two decimals, or four for what is far below its measure (a step against a frame).
            const double ratio = top / bottom;
            std::printf("ratio %s %.*f\n", name, ratio < 0.01 ? 4 : 2, ratio);
        }
    }
    void printRatio(const char* name, const std::string& numerator, const std::string& denominator) const {
        printRatio(name, median(numerator), median(denominator));
    }

    // Runs the registered benchmarks and flushes their table, so the ratios come last.
    void run() {
        benchmark::RunSpecifiedBenchmarks(this);
        benchmark::Shutdown();
        std::fflush(stdout);
        std::cout.flush();
    }

private:
    std::map<std::string, std::vector<double>> m_seconds;
};

}  // namespace korven::bench
