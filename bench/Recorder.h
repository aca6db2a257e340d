#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <unistd.h>

// Prints the usual table and keeps each benchmark's mean real time per
// iteration, in seconds, for the summary lines a benchmark ends with. With
// --benchmark_repetitions it keeps the repetitions' median, which a noisy
// machine needs and which comes after the repetitions themselves.
class Recorder : public benchmark::ConsoleReporter {
  public:
    // Colours only on a terminal, so that logs stay readable.
    Recorder() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_Defaults : OO_None) {}

    std::map<std::string, double> seconds;

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration || run.aggregate_name == "median")
                seconds[run.run_name.function_name] =
                    run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        ConsoleReporter::ReportRuns(runs);
    }
};
