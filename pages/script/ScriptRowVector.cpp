// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptRowVector.h"

#include <utility>

CScriptRowVector::CScriptRowVector(std::vector<std::string> commands) {
    m_rows.resize(commands.size());
    for (std::size_t i = 0; i < commands.size(); ++i) m_rows[i].strCommand = std::move(commands[i]);
}

void CScriptRowVector::SetResult(int row, std::string_view statusWord, std::string_view dataOut) {
    m_rows[row].strStatusWord.assign(statusWord);
    m_rows[row].strDataOut.assign(dataOut);
}

void CScriptRowVector::ClearResults(int firstRow, int endRow) {
    for (int row = firstRow; row < endRow; ++row) {
        m_rows[row].strStatusWord.clear();
        m_rows[row].strDataOut.clear();
    }
}
