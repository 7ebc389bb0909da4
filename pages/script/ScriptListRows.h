// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ScriptRows.h"

#include <QElapsedTimer>

class CItemListCtrl;

// The Script page's list as the run engine and the file writers see it: the rows of its
// model, the current row as the list's focused and only selected row. During a run the
// list follows at most once per display frame: the results written and the current row
// reach the view then, together with one scroll and one repaint. Every result still shows
// as the run passes it, and a long run is not slowed by view updates per row (a scroll
// alone moves the whole view's pixels). Nothing else looks at the view during a run,
// which holds the GUI thread.
class CScriptListRows : public CScriptRows {
public:
    enum EColumn { kItem, kBreakPoint, kCommand, kStatusWord, kDataOut };
    static constexpr const char* kColumns =
        "Item,40;BreakPoint,75;Command,150;StatusWord,75;DataOut,140";
    static constexpr const char* kBreakpointMark = "*";
    // Repaints come at most once per display frame, and further apart when a repaint is
    // slow, so that painting never takes more than about a thirtieth of a run: a repaint of
    // the list costs a millisecond or more, a row on a fast reader a fifth of one.
    static constexpr qint64 kFrameNs = 16'000'000;
    static constexpr qint64 kRunPerPaint = 30;

    explicit CScriptListRows(CItemListCtrl& list);

    // Around each operation of the run engine: the view follows the run only at frame
    // times, and the last row to show is scrolled into view at the end.
    void BeginRun();
    void EndRun();
    // The view's updates during the last run: how many, and their time in all.
    int UpdateCount() const { return m_nUpdates; }
    qint64 UpdateNs() const { return m_nUpdateNs; }

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
    // The row as the view's focused and only selected row; none for -1.
    void SelectOnly(int row);
    void UpdateViewIfFrameDue();
    // Gives the view what the run did since the last frame: results, current row, scroll.
    void ShowPendingChanges();

    CItemListCtrl& m_list;
    QElapsedTimer m_sincePaint;
    qint64 m_nPaintIntervalNs = kFrameNs;
    bool m_bRunning = false;
    int m_nRunCurrentRow = -1;
    bool m_bCurrentRowPending = false;
    int m_nFirstWritten = -1;  // rows with results the view does not know yet
    int m_nLastWritten = -1;
    int m_nRowToShow = -1;
    int m_nUpdates = 0;
    qint64 m_nUpdateNs = 0;
    bool m_bAutoScroll = true;
};
