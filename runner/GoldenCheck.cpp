// SPDX-License-Identifier: GPL-3.0-or-later
#include "GoldenCheck.h"

#include "ScriptFile.h"

#include <algorithm>

bool CGoldenCheck::Matches(std::string_view golden, std::string_view actual) {
    return golden.size() == actual.size() &&
           std::equal(golden.begin(), golden.end(), actual.begin(),
                      [](char expected, char got) { return expected == '?' || expected == got; });
}

std::vector<CGoldenCheck::SDifference> CGoldenCheck::Compare(const std::vector<std::string>& golden,
                                                             const CScriptRows& rows) {
    std::vector<SDifference> differences;
    std::size_t line = 0;
    std::string actual;
    for (int row = 0; row < rows.RowCount(); ++row) {
        actual.clear();
        if (!CScriptFile::AppendExportLine(rows, row, actual)) continue;
        const bool bExpected = line < golden.size();
        if (!bExpected || !Matches(golden[line], actual)) {
            differences.push_back({row, std::string(rows.Command(row)),
                                   bExpected ? golden[line] : std::string(), actual, bExpected});
        }
        ++line;
    }
    for (; line < golden.size(); ++line) differences.push_back({-1, {}, golden[line], {}, true});
    return differences;
}
