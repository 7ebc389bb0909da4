// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptEngine.h"

#include "ResponseText.h"

#include <utility>

CScriptEngine::CScriptEngine(CScriptRows& rows, ExchangeFunction exchange)
    : m_rows(rows), m_exchange(std::move(exchange)) {}

CScriptEngine::ECommandCheck CScriptEngine::CheckCommand(std::string_view command) {
    if (command.empty()) return ECommandCheck::kEmpty;
    for (const char c : command) {
        if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F')) continue;
        if (c >= 'a' && c <= 'f') return ECommandCheck::kLowerCase;
        if (c == ' ') return ECommandCheck::kSpace;
        if (c == '\r') return ECommandCheck::kCarriageReturn;
        return ECommandCheck::kNotHexDigit;
    }
    return command.size() % 2 != 0 ? ECommandCheck::kOddLength : ECommandCheck::kSent;
}

void CScriptEngine::Play() {
    const int count = m_rows.RowCount();
    const int start = m_rows.CurrentRow() < 0 ? 0 : m_rows.CurrentRow();
    if (start >= count) return;
    m_rows.ClearResults(start, count);
    for (int row = start; row < count; ++row) {
        m_rows.SetCurrentRow(row);
        if (row > start && m_rows.IsBreakpoint(row)) return;
        RunRow(row);
        // The view follows the run one row ahead.
        const int shown = row == 0 ? 0 : row + 1;
        if (shown < count) m_rows.OnShowRow(shown);
    }
}

void CScriptEngine::Step() {
    const int count = m_rows.RowCount();
    const int row = m_rows.CurrentRow();
    if (row < 0 || row >= count) return;
    const bool bLast = row + 1 == count;
    m_rows.OnShowRow(row);
    m_rows.SetCurrentRow(bLast ? -1 : row + 1);
    RunRow(row);
    if (!bLast) m_rows.OnShowRow(row + 1);
}

void CScriptEngine::Reset() {
    if (m_rows.RowCount() == 0) return;
    m_rows.SetCurrentRow(0);
    m_rows.OnShowRow(0);
}

void CScriptEngine::RunRow(int row) {
    const std::string_view command = m_rows.Command(row);
    if (!IsValidCommand(command)) return;
    m_strCommand.assign(command);
    const long code = m_exchange(m_strCommand, m_strResponse);
    const CResponseParts parts = SplitResponse(m_strResponse);
    m_rows.SetResult(row, parts.statusWord, parts.data);
    m_rows.OnRowRun(row, code);
}
