// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

// One figure of the table that scripts/bench.sh prints, beside its baseline measured in the
// same run, as a tab-separated line after the word FIGURE: the script gathers these lines
// instead of parsing each benchmark's own report.
class CBenchFigure {
public:
    // values[i] and baselines[i] are the runs of round i, made one after the other. The line
    // holds the medians, the median of the ratios within a round, and both runs of the
    // quietest round (the least time in all), which others' load on a shared machine
    // disturbed least. pszTarget: "ratio <= 1.05", "value < 2" (in pszUnit), or "".
    static void Print(const char* pszFigure, const char* pszUnit, const std::vector<double>& values,
                      const char* pszBaseline, const std::vector<double>& baselines,
                      const char* pszTarget);

    static double Median(std::vector<double> values);
};
