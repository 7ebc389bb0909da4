// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ScriptRows.h"

#include <string>
#include <vector>

// Script rows held in a plain vector, for running a script without a window.
class CScriptRowVector : public CScriptRows {
public:
    struct SRow {
        std::string strCommand;
        bool bBreakpoint = false;
        std::string strStatusWord;
        std::string strDataOut;
    };

    CScriptRowVector() = default;
    // One row per command, without breakpoints or results.
    explicit CScriptRowVector(std::vector<std::string> commands);

    std::vector<SRow>& Rows() { return m_rows; }
    const std::vector<SRow>& Rows() const { return m_rows; }

    // CScriptRows
    int RowCount() const override { return static_cast<int>(m_rows.size()); }
    std::string_view Command(int row) const override { return m_rows[row].strCommand; }
    bool IsBreakpoint(int row) const override { return m_rows[row].bBreakpoint; }
    std::string_view StatusWord(int row) const override { return m_rows[row].strStatusWord; }
    std::string_view DataOut(int row) const override { return m_rows[row].strDataOut; }
    void SetResult(int row, std::string_view statusWord, std::string_view dataOut) override;
    void ClearResults(int firstRow, int endRow) override;
    int CurrentRow() const override { return m_nCurrentRow; }
    void SetCurrentRow(int row) override { m_nCurrentRow = row; }

private:
    std::vector<SRow> m_rows;
    int m_nCurrentRow = -1;
};
