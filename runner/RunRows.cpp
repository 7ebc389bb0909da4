// SPDX-License-Identifier: GPL-3.0-or-later
#include "RunRows.h"

#include "RunOutput.h"

#include <utility>

CRunRows::CRunRows(std::vector<std::string> commands, CRunOutput& output)
    : CScriptRowVector(std::move(commands)), m_output(output) {}

void CRunRows::OnRowRun(int row, long code) {
    m_output.Row(row, Command(row), StatusWord(row), DataOut(row));
    // A transmit that succeeds without even a status word (a mute card) got no answer.
    if (code == 0 && !StatusWord(row).empty()) return;
    if (m_nFailed == 0) m_nFirstFailure = code;
    ++m_nFailed;
}
