#include "BenchFigure.h"

#include <algorithm>
#include <cstdio>

CBenchFigure::SRuns CBenchFigure::Of(std::vector<double> runs) {
    std::sort(runs.begin(), runs.end());
    const std::size_t n = runs.size();
    const double median = n % 2 == 1 ? runs[n / 2] : (runs[n / 2 - 1] + runs[n / 2]) / 2;
    return {median, runs.front()};
}

void CBenchFigure::Print(const char* pszFigure, const char* pszUnit, SRuns value,
                         const char* pszBaseline, SRuns baseline, double ratio,
                         const char* pszTarget) {
    std::printf("FIGURE\t%s\t%.6g\t%s\t%s\t%.6g\t%.4f\t%s\t%.6g\t%.6g\n", pszFigure, value.median,
                pszUnit, pszBaseline, baseline.median, ratio, pszTarget, value.best, baseline.best);
    std::fflush(stdout);
}
