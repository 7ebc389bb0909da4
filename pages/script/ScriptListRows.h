#pragma once

#include "ScriptRows.h"

#include <QElapsedTimer>

class CItemListCtrl;

// The Script page's list as the run engine and the file writers see it: the rows of its
// model, the current row as the list's focused and only selected row. During a run the
// list scrolls and repaints at most once per display frame: every result still shows as
// the run passes it, and a long run is not slowed by a scroll and a full repaint per row
// (a scroll alone moves the whole view's pixels).
class CScriptListRows : public CScriptRows {
public:
    enum EColumn { kItem, kBreakPoint, kCommand, kStatusWord, kDataOut };
    static constexpr const char* kColumns =
        "Item,40;BreakPoint,75;Command,150;StatusWord,75;DataOut,140";
    static constexpr const char* kBreakpointMark = "*";
    // Repaints come at most once per display frame, and further apart when a repaint is
    // slow, so that painting never takes more than about a tenth of a run.
    static constexpr qint64 kFrameNs = 16'000'000;
    static constexpr qint64 kRunPerPaint = 10;

    explicit CScriptListRows(CItemListCtrl& list);

    // Around each operation of the run engine: the view follows the run only at frame
    // times, and the last row to show is scrolled into view at the end.
    void BeginRun();
    void EndRun();

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
    void UpdateViewIfFrameDue();
    void ShowPendingRow();

    CItemListCtrl& m_list;
    QElapsedTimer m_sincePaint;
    qint64 m_nPaintIntervalNs = kFrameNs;
    int m_nRowToShow = -1;
    bool m_bAutoScroll = true;
};
