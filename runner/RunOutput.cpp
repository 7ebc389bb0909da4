// SPDX-License-Identifier: GPL-3.0-or-later
#include "RunOutput.h"

#include "StatusWords.h"

#include <string>

#include <unistd.h>

CRunOutput::CRunOutput(std::FILE* pOut, std::FILE* pErr, bool bQuiet, int rowCount)
    : m_pOut(pOut),
      m_pErr(pErr),
      m_bQuiet(bQuiet),
      // Row lines scrolling on the same terminal already show the progress.
      m_bProgress(rowCount >= kLongRun && isatty(fileno(pErr)) == 1 &&
                  (bQuiet || isatty(fileno(pOut)) != 1)),
      m_nRowCount(rowCount),
      m_nNumberWidth(static_cast<int>(std::to_string(rowCount).size())),
      m_lastProgress(std::chrono::steady_clock::now()) {}

void CRunOutput::Row(int row, std::string_view command, std::string_view statusWord,
                     std::string_view dataOut) {
    if (!m_bQuiet) {
        std::fprintf(m_pOut, "%0*d %.*s %.*s", m_nNumberWidth, row + 1,
                     static_cast<int>(command.size()), command.data(),
                     static_cast<int>(statusWord.size()), statusWord.data());
        if (!dataOut.empty())
            std::fprintf(m_pOut, " %.*s", static_cast<int>(dataOut.size()), dataOut.data());
        const std::string meaning = m_bExplain ? ExplainStatusWord(statusWord) : std::string();
        if (!meaning.empty()) std::fprintf(m_pOut, " # %s", meaning.c_str());
        std::fputc('\n', m_pOut);
    }
    if (m_bProgress) ShowProgress(row);
}

void CRunOutput::ShowProgress(int row) {
    const auto now = std::chrono::steady_clock::now();
    if (now - m_lastProgress < kProgressInterval) return;
    m_lastProgress = now;
    std::fprintf(m_pErr, "\rcorvanta-run: row %d of %d", row + 1, m_nRowCount);
    std::fflush(m_pErr);
    m_bProgressShown = true;
}

void CRunOutput::Finish() {
    std::fflush(m_pOut);
    if (m_bProgressShown) std::fputs("\r\033[K", m_pErr);
}
