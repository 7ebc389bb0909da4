// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptListRows.h"

#include "ItemListCtrl.h"
#include "ItemListModel.h"

#include <algorithm>

CScriptListRows::CScriptListRows(CItemListCtrl& list) : m_list(list) {}

int CScriptListRows::RowCount() const {
    return m_list.Model()->RowCount();
}

std::string_view CScriptListRows::Command(int row) const {
    return m_list.Model()->CellText(row, kCommand);
}

bool CScriptListRows::IsBreakpoint(int row) const {
    return m_list.Model()->CellText(row, kBreakPoint) == kBreakpointMark;
}

std::string_view CScriptListRows::StatusWord(int row) const {
    return m_list.Model()->CellText(row, kStatusWord);
}

std::string_view CScriptListRows::DataOut(int row) const {
    return m_list.Model()->CellText(row, kDataOut);
}

void CScriptListRows::SetResult(int row, std::string_view statusWord, std::string_view dataOut) {
    if (!m_bRunning) {
        m_list.Model()->SetCellTexts(row, kStatusWord, {statusWord, dataOut});
        return;
    }
    if (!m_list.Model()->WriteCellTexts(row, kStatusWord, {statusWord, dataOut})) return;
    m_nFirstWritten = m_nFirstWritten < 0 ? row : std::min(m_nFirstWritten, row);
    m_nLastWritten = std::max(m_nLastWritten, row);
}

void CScriptListRows::ClearResults(int firstRow, int endRow) {
    // StatusWord and DataOut are the last columns.
    m_list.Model()->ClearCells(firstRow, endRow - 1, kStatusWord);
}

int CScriptListRows::CurrentRow() const {
    return m_bRunning ? m_nRunCurrentRow : m_list.Selection().nFocus;
}

void CScriptListRows::SetCurrentRow(int row) {
    if (m_bRunning) {
        m_nRunCurrentRow = row;
        m_bCurrentRowPending = true;
        return;
    }
    SelectOnly(row);
}

void CScriptListRows::SelectOnly(int row) {
    SRowSelection selection;
    if (row >= 0) selection.aRows.push_back(row);
    selection.nFocus = row;
    m_list.SetSelection(selection);
}

void CScriptListRows::BeginRun() {
    // The current row moves with every row run; following it would scroll per row.
    m_bAutoScroll = m_list.hasAutoScroll();
    m_list.setAutoScroll(false);
    m_nRunCurrentRow = m_list.Selection().nFocus;
    m_bCurrentRowPending = false;
    m_nFirstWritten = m_nLastWritten = -1;
    m_bRunning = true;
    m_nRowToShow = -1;
    m_nPaintIntervalNs = kFrameNs;
    m_sincePaint.invalidate();
    m_nUpdates = 0;
    m_nUpdateNs = 0;
}

void CScriptListRows::EndRun() {
    ShowPendingChanges();
    m_bRunning = false;
    m_list.setAutoScroll(m_bAutoScroll);
}

void CScriptListRows::OnRowRun(int, long) {
    UpdateViewIfFrameDue();
}

void CScriptListRows::OnShowRow(int row) {
    m_nRowToShow = row;
    UpdateViewIfFrameDue();
}

void CScriptListRows::UpdateViewIfFrameDue() {
    // The rows written since the last frame go out together with this one.
    if (m_sincePaint.isValid() && m_sincePaint.nsecsElapsed() < m_nPaintIntervalNs) return;
    QElapsedTimer paint;
    paint.start();
    ShowPendingChanges();
    m_list.viewport()->repaint();
    const qint64 nPaintNs = paint.nsecsElapsed();
    m_nPaintIntervalNs = std::max(kFrameNs, nPaintNs * kRunPerPaint);
    m_sincePaint.start();
    ++m_nUpdates;
    m_nUpdateNs += nPaintNs;
}

void CScriptListRows::ShowPendingChanges() {
    if (m_nFirstWritten >= 0)
        m_list.Model()->CellsChanged(m_nFirstWritten, m_nLastWritten, kStatusWord, kDataOut);
    m_nFirstWritten = m_nLastWritten = -1;
    if (m_bCurrentRowPending) SelectOnly(m_nRunCurrentRow);
    m_bCurrentRowPending = false;
    if (m_nRowToShow < 0) return;
    m_list.scrollTo(m_list.Model()->index(m_nRowToShow, 0), QAbstractItemView::EnsureVisible);
    m_nRowToShow = -1;
}
