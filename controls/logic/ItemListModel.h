// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RowSelection.h"

#include <QAbstractTableModel>
#include <QVariant>

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// The rows of an item list: numbered rows of a fixed set of text columns, the one store
// of the list's texts. Column 0 holds each row's number as text, written by the renumber
// operations; the owner decides when to renumber and with how many digits.
//
// Whole-row operations that copy or move rows (clipboard, delete and insert at the
// selection, the drop of dragged rows) live here and take the view's selection as
// SRowSelection, so they run and are tested without a window. Rows stay cheap at a
// hundred thousand: bulk insertions are announced once and renumbering emits one range.
class CItemListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    using Row = std::vector<std::string>;
    // What a cell of a column has to say about its text; empty for nothing.
    using NoteFunction = std::function<std::string_view(std::string_view text)>;
    // The role of a cell's note: a view draws such a cell greyed and tips it with the note.
    static constexpr int kNoteRole = Qt::UserRole;
    // A cell's explanation for its tooltip (a status word's meaning), UTF-8; no greying.
    using TipFunction = std::function<std::string(std::string_view text)>;
    static constexpr int kTipRole = Qt::UserRole + 1;

    explicit CItemListModel(QObject* pParent = nullptr);

    // Adds the columns of a column list "Name,width;Name,width;...": the width is the
    // leading decimal digits after the comma (0 if none). Returns true.
    bool SetColumns(std::string_view strColumns);
    int ColumnCount() const { return m_nColumns; }
    // Width in pixels that the column list gave the column.
    int SpecifiedWidth(int column) const;

    int RowCount() const { return static_cast<int>(m_aRows.size()); }

    // Insert rows at the index (clamped to 0..RowCount()); each returns the first new row.
    int InsertRow(int row);
    int InsertRows(int row, int count);
    // Texts beyond the column count are dropped, missing ones are empty.
    int InsertRowTexts(int row, Row texts);
    int InsertRowsTexts(int row, std::vector<Row> rows);

    // An empty text for a cell outside the list.
    const std::string& CellText(int row, int column) const;
    bool SetCellText(int row, int column, std::string_view text);
    // Sets consecutive cells of one row from firstColumn on, with one change signal for
    // that row only: a script run writes each row's results this way.
    bool SetCellTexts(int row, int firstColumn, std::initializer_list<std::string_view> texts);
    // Writes cells as SetCellTexts does but tells no view: the writer announces the rows
    // later with CellsChanged, once for many (a script run writes a row per APDU).
    bool WriteCellTexts(int row, int firstColumn, std::initializer_list<std::string_view> texts);
    void CellsChanged(int firstRow, int lastRow, int firstColumn, int lastColumn);
    // Empties the cells from firstColumn on in rows firstRow to lastRow, one change signal.
    void ClearCells(int firstRow, int lastRow, int firstColumn);

    void DeleteRow(int row);
    // Rows ascending without duplicates; each run of adjacent rows goes in one removal.
    void DeleteRows(const std::vector<int>& rows);
    void DeleteAllRows();

    // Number of digits of column 0: those of nRowCount, at least one.
    void SetNumberFormat(int nRowCount);
    void RenumberRow(int row);
    void RenumberRows(int firstRow, int lastRow);
    void RenumberAll();

    // True when every column after the number is empty.
    bool IsRowEmpty(int row) const;
    // Renumbers the row and empties every column after the number.
    void ClearRow(int row);

    // The internal clipboard: whole copies of rows, replaced by each copy or cut.
    void CopySelection(const std::vector<int>& selectedRows);
    // Copies, then clears the rows; no row is removed.
    void CutSelection(const std::vector<int>& selectedRows);
    // Overwrites the rows from focusRow down with the clipboard's texts after the number;
    // never inserts: entries beyond the last row are dropped.
    void PasteClipboard(int focusRow);
    // Deletes the selected rows; the row that then holds the focus (the one that took the
    // focused row's place, or the last row) comes back selected.
    SRowSelection DeleteSelection(const SRowSelection& selection);
    // Inserts an empty row at the focused row and returns it selected and focused; with
    // no focused row nothing changes.
    SRowSelection InsertAtFocus(const SRowSelection& selection);
    // The drop of dragged rows onto dropRow: the selected rows, in their order, move to
    // directly above it and the rows between are renumbered. Returns the moved rows,
    // focus on the last; empty when nothing moves (no drop row, or one of the selected).
    SRowSelection MoveRows(const std::vector<int>& selectedRows, int dropRow);

    // What column 0 shows beside the number (an icon for the view).
    void SetRowDecoration(const QVariant& decoration) { m_rowDecoration = decoration; }
    // Notes on the cells of one column, judged from the text when a view asks.
    void SetColumnNote(int column, NoteFunction note);
    QString CellNote(int row, int column) const;
    void SetColumnTip(int column, TipFunction tip);
    QString CellTip(int row, int column) const;

    // QAbstractItemModel
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    bool IsRow(int row) const { return row >= 0 && row < RowCount(); }
    Row Fitted(Row texts) const;
    std::string NumberText(int row) const;
    void EmitRowsChanged(int firstRow, int lastRow, int firstColumn, int lastColumn);

    int m_nColumns = 0;
    std::vector<std::string> m_aColumnNames;
    std::vector<int> m_aColumnWidths;
    std::vector<Row> m_aRows;
    std::vector<Row> m_clipboard;
    std::string m_strNumberFormat = "%.1d";
    QVariant m_rowDecoration;
    int m_nNoteColumn = -1;
    NoteFunction m_note;
    int m_nTipColumn = -1;
    TipFunction m_tip;
};
