// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// The rows of a script as the run engine and the file writers see them. The Script page
// adapts its list model to this, corvanta-run a plain vector of rows. Rows count from 0.
class CScriptRows {
public:
    virtual ~CScriptRows() = default;

    virtual int RowCount() const = 0;
    virtual std::string_view Command(int row) const = 0;
    virtual bool IsBreakpoint(int row) const = 0;
    virtual std::string_view StatusWord(int row) const = 0;
    virtual std::string_view DataOut(int row) const = 0;

    virtual void SetResult(int row, std::string_view statusWord, std::string_view dataOut) = 0;
    // Empties StatusWord and DataOut of the rows from firstRow up to, not including,
    // endRow: one call, so that a view updates once for the whole range.
    virtual void ClearResults(int firstRow, int endRow) = 0;

    // The current row, or -1 when there is none. Making a row current releases every
    // other row; -1 releases all.
    virtual int CurrentRow() const = 0;
    virtual void SetCurrentRow(int row) = 0;

    // The row's command went to the card (code: the exchange's PC/SC result) and its
    // result is written: a view redraws the row now.
    virtual void OnRowRun(int /*row*/, long /*code*/) {}
    // A view scrolls the row into sight.
    virtual void OnShowRow(int /*row*/) {}
};
