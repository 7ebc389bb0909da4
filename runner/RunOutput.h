// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstdio>
#include <string_view>

// What corvanta-run prints while it runs: one line per executed row on standard output
// (row number, command, status word, data), and on a terminal a progress line on standard
// error for a long run.
class CRunOutput {
public:
    CRunOutput(std::FILE* pOut, std::FILE* pErr, bool bQuiet, int rowCount);

    void Row(int row, std::string_view command, std::string_view statusWord,
             std::string_view dataOut);
    // Row lines end with " # " and the status word's meaning.
    void SetExplain(bool bExplain) { m_bExplain = bExplain; }
    // Wipes the progress line.
    void Finish();

private:
    // A run this long takes a few seconds at a card's pace.
    static constexpr int kLongRun = 2000;
    static constexpr std::chrono::milliseconds kProgressInterval{100};

    void ShowProgress(int row);

    std::FILE* m_pOut;
    std::FILE* m_pErr;
    bool m_bQuiet;
    bool m_bExplain = false;
    bool m_bProgress;
    bool m_bProgressShown = false;
    int m_nRowCount;
    int m_nNumberWidth;
    std::chrono::steady_clock::time_point m_lastProgress;
};
