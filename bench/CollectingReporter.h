#pragma once

#include <benchmark/benchmark.h>

#include <vector>
#include <unistd.h>

// The console output, keeping every finished run so that a benchmark
// program can print a summary table after it.
class CollectingReporter : public benchmark::ConsoleReporter {
public:
    // Colours only for a terminal, so that logs stay plain text.
    CollectingReporter()
        : ConsoleReporter(::isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                runs_.push_back(run);
        ConsoleReporter::ReportRuns(runs);
    }

protected:
    std::vector<Run> runs_;
};
