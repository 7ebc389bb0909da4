#pragma once

#include <vector>

// One figure of the table that scripts/bench.sh prints, beside its baseline measured in the
// same run, as a tab-separated line after the word FIGURE: the script gathers these lines
// instead of parsing each benchmark's own report.
class CBenchFigure {
public:
    // One side of a comparison: the median of its runs and its fastest run, which others'
    // load on a shared machine disturbs least.
    struct SRuns {
        double median;
        double best;
    };

    // The median and the fastest of the runs' figures.
    static SRuns Of(std::vector<double> runs);

    // ratio: the median of the pairwise ratios of runs made one after the other.
    // pszTarget: "ratio <= 1.05", "value < 2" (in pszUnit), or "" when none is set.
    static void Print(const char* pszFigure, const char* pszUnit, SRuns value,
                      const char* pszBaseline, SRuns baseline, double ratio, const char* pszTarget);
};
