#pragma once

#include "ScriptRows.h"

#include <QElapsedTimer>

class CItemListCtrl;

// The Script page's list as the run engine and the file writers see it: the rows of its
// model, the current row as the list's focused and only selected row. A run repaints the
// list at most once per display frame: every result still shows as the run passes it, and
// a long run is not slowed by a full repaint per row.
class CScriptListRows : public CScriptRows {
public:
    enum EColumn { kItem, kBreakPoint, kCommand, kStatusWord, kDataOut };
    static constexpr const char* kColumnSpec =
        "Item,40;BreakPoint,75;Command,150;StatusWord,75;DataOut,140";
    static constexpr const char* kBreakpointMark = "*";
    static constexpr int kFrameMs = 16;

    explicit CScriptListRows(CItemListCtrl& list);

    // CScriptRows
    int RowCount() const override;
    std::string_view Command(int row) const override;
    bool IsBreakpoint(int row) const override;
    std::string_view StatusWord(int row) const override;
    std::string_view DataOut(int row) const override;
    void SetResult(int row, std::string_view statusWord, std::string_view dataOut) override;
    void ClearResults(int firstRow, int endRow) override;
    int CurrentRow() const override;
    void SetCurrentRow(int row) override;
    void OnRowRun(int row, long code) override;
    void OnShowRow(int row) override;

private:
    CItemListCtrl& m_list;
    QElapsedTimer m_sincePaint;
};
