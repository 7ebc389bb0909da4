#include "ScriptListRows.h"

#include "ItemListCtrl.h"
#include "ItemListModel.h"

CScriptListRows::CScriptListRows(CItemListCtrl& list) : m_list(list) {}

int CScriptListRows::RowCount() const { return m_list.Model()->RowCount(); }

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
    m_list.Model()->SetCellTexts(row, kStatusWord, {statusWord, dataOut});
}

void CScriptListRows::ClearResults(int firstRow, int endRow) {
    // StatusWord and DataOut are the last columns.
    m_list.Model()->ClearCells(firstRow, endRow - 1, kStatusWord);
}

int CScriptListRows::CurrentRow() const { return m_list.Selection().nFocus; }

void CScriptListRows::SetCurrentRow(int row) {
    SRowSelection selection;
    if (row >= 0) selection.aRows.push_back(row);
    selection.nFocus = row;
    m_list.SetSelection(selection);
}

void CScriptListRows::OnRowRun(int, long) {
    // The rows written since the last paint go out together with this one.
    if (m_sincePaint.isValid() && m_sincePaint.elapsed() < kFrameMs) return;
    m_list.viewport()->repaint();
    m_sincePaint.start();
}

void CScriptListRows::OnShowRow(int row) {
    m_list.scrollTo(m_list.Model()->index(row, 0), QAbstractItemView::EnsureVisible);
}
