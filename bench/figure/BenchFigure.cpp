// SPDX-License-Identifier: GPL-3.0-or-later
#include "BenchFigure.h"

#include <algorithm>
#include <cstdio>

void CBenchFigure::Print(const char* pszFigure, const char* pszUnit,
                         const std::vector<double>& values, const char* pszBaseline,
                         const std::vector<double>& baselines, const char* pszTarget) {
    std::vector<double> ratios;
    std::size_t quietest = 0;
    for (std::size_t round = 0; round < values.size() && round < baselines.size(); ++round) {
        ratios.push_back(values[round] / baselines[round]);
        if (values[round] + baselines[round] < values[quietest] + baselines[quietest])
            quietest = round;
    }
    if (ratios.empty()) return;
    std::printf("FIGURE\t%s\t%.6g\t%s\t%s\t%.6g\t%.4f\t%s\t%.6g\t%.6g\n", pszFigure, Median(values),
                pszUnit, pszBaseline, Median(baselines), Median(ratios), pszTarget,
                values[quietest], baselines[quietest]);
    std::fflush(stdout);
}

double CBenchFigure::Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}
