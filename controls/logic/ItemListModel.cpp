// SPDX-License-Identifier: GPL-3.0-or-later
#include "ItemListModel.h"

#include "ByteText.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <iterator>
#include <utility>

namespace {

const std::string kNoText;

// The leading decimal digits of the text, 0 if none; a width past INT_MAX saturates.
int LeadingNumber(std::string_view text) {
    long long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') break;
        value = std::min<long long>(value * 10 + (c - '0'), INT_MAX);
    }
    return static_cast<int>(value);
}

}  // namespace

CItemListModel::CItemListModel(QObject* pParent) : QAbstractTableModel(pParent) {}

bool CItemListModel::SetColumns(std::string_view strColumns) {
    std::size_t comma = strColumns.find(',');
    while (comma != std::string_view::npos) {
        const std::size_t end = std::min(strColumns.find(';', comma), strColumns.size());
        beginInsertColumns(QModelIndex(), m_nColumns, m_nColumns);
        m_aColumnNames.emplace_back(strColumns.substr(0, comma));
        m_aColumnWidths.push_back(LeadingNumber(strColumns.substr(comma + 1, end - comma - 1)));
        ++m_nColumns;
        for (Row& row : m_aRows) row.resize(static_cast<std::size_t>(m_nColumns));
        endInsertColumns();
        if (end == strColumns.size()) break;
        strColumns.remove_prefix(end + 1);
        comma = strColumns.find(',');
    }
    return true;
}

int CItemListModel::SpecifiedWidth(int column) const {
    return column >= 0 && column < m_nColumns ? m_aColumnWidths[column] : 0;
}

// ---- Inserting ----

int CItemListModel::InsertRow(int row) {
    return InsertRows(row, 1);
}

int CItemListModel::InsertRows(int row, int count) {
    return InsertRowsTexts(row, std::vector<Row>(static_cast<std::size_t>(std::max(count, 0))));
}

int CItemListModel::InsertRowTexts(int row, Row texts) {
    std::vector<Row> rows;
    rows.push_back(std::move(texts));
    return InsertRowsTexts(row, std::move(rows));
}

int CItemListModel::InsertRowsTexts(int row, std::vector<Row> rows) {
    row = std::clamp(row, 0, RowCount());
    if (rows.empty()) return row;
    for (Row& texts : rows) texts = Fitted(std::move(texts));
    beginInsertRows(QModelIndex(), row, row + static_cast<int>(rows.size()) - 1);
    m_aRows.insert(m_aRows.begin() + row, std::make_move_iterator(rows.begin()),
                   std::make_move_iterator(rows.end()));
    endInsertRows();
    return row;
}

CItemListModel::Row CItemListModel::Fitted(Row texts) const {
    texts.resize(static_cast<std::size_t>(m_nColumns));
    return texts;
}

// ---- Cells ----

const std::string& CItemListModel::CellText(int row, int column) const {
    if (!IsRow(row) || column < 0 || column >= m_nColumns) return kNoText;
    return m_aRows[row][column];
}

bool CItemListModel::SetCellText(int row, int column, std::string_view text) {
    return SetCellTexts(row, column, {text});
}

bool CItemListModel::SetCellTexts(int row, int firstColumn,
                                  std::initializer_list<std::string_view> texts) {
    if (!WriteCellTexts(row, firstColumn, texts)) return false;
    EmitRowsChanged(row, row, firstColumn, firstColumn + static_cast<int>(texts.size()) - 1);
    return true;
}

bool CItemListModel::WriteCellTexts(int row, int firstColumn,
                                    std::initializer_list<std::string_view> texts) {
    const int lastColumn = firstColumn + static_cast<int>(texts.size()) - 1;
    if (!IsRow(row) || firstColumn < 0 || lastColumn >= m_nColumns || texts.size() == 0)
        return false;
    int column = firstColumn;
    for (const std::string_view text : texts) m_aRows[row][column++].assign(text);
    return true;
}

void CItemListModel::CellsChanged(int firstRow, int lastRow, int firstColumn, int lastColumn) {
    firstRow = std::max(firstRow, 0);
    lastRow = std::min(lastRow, RowCount() - 1);
    firstColumn = std::max(firstColumn, 0);
    lastColumn = std::min(lastColumn, m_nColumns - 1);
    if (firstRow <= lastRow && firstColumn <= lastColumn)
        EmitRowsChanged(firstRow, lastRow, firstColumn, lastColumn);
}

void CItemListModel::ClearCells(int firstRow, int lastRow, int firstColumn) {
    firstRow = std::max(firstRow, 0);
    lastRow = std::min(lastRow, RowCount() - 1);
    if (firstRow > lastRow || firstColumn < 0 || firstColumn >= m_nColumns) return;
    for (int row = firstRow; row <= lastRow; ++row)
        for (int column = firstColumn; column < m_nColumns; ++column) m_aRows[row][column].clear();
    EmitRowsChanged(firstRow, lastRow, firstColumn, m_nColumns - 1);
}

void CItemListModel::EmitRowsChanged(int firstRow, int lastRow, int firstColumn, int lastColumn) {
    emit dataChanged(index(firstRow, firstColumn), index(lastRow, lastColumn), {Qt::DisplayRole});
}

// ---- Deleting ----

void CItemListModel::DeleteRow(int row) {
    if (IsRow(row)) DeleteRows({row});
}

void CItemListModel::DeleteRows(const std::vector<int>& rows) {
    // From the last run up, so the indexes of the runs still to go stay valid.
    auto runEnd = rows.rbegin();
    while (runEnd != rows.rend()) {
        auto runBegin = runEnd;
        while (std::next(runBegin) != rows.rend() && *std::next(runBegin) == *runBegin - 1)
            ++runBegin;
        const int first = *runBegin, last = *runEnd;
        runEnd = std::next(runBegin);
        if (first < 0 || last >= RowCount()) continue;
        beginRemoveRows(QModelIndex(), first, last);
        m_aRows.erase(m_aRows.begin() + first, m_aRows.begin() + last + 1);
        endRemoveRows();
    }
}

void CItemListModel::DeleteAllRows() {
    if (m_aRows.empty()) return;
    beginRemoveRows(QModelIndex(), 0, RowCount() - 1);
    std::vector<Row>().swap(m_aRows);
    endRemoveRows();
}

// ---- Numbering ----

void CItemListModel::SetNumberFormat(int nRowCount) {
    const int digits = static_cast<int>(std::to_string(std::max(nRowCount, 0)).size());
    m_strNumberFormat = "%." + std::to_string(digits) + "d";
}

std::string CItemListModel::NumberText(int row) const {
    char text[32];
    const int length = std::snprintf(text, sizeof text, m_strNumberFormat.c_str(), row + 1);
    return std::string(text, static_cast<std::size_t>(std::clamp<int>(length, 0, sizeof text - 1)));
}

void CItemListModel::RenumberRow(int row) {
    RenumberRows(row, row);
}

void CItemListModel::RenumberRows(int firstRow, int lastRow) {
    firstRow = std::max(firstRow, 0);
    lastRow = std::min(lastRow, RowCount() - 1);
    if (firstRow > lastRow || m_nColumns == 0) return;
    for (int row = firstRow; row <= lastRow; ++row) m_aRows[row][0] = NumberText(row);
    EmitRowsChanged(firstRow, lastRow, 0, 0);
}

void CItemListModel::RenumberAll() {
    RenumberRows(0, RowCount() - 1);
}

// ---- Whole rows ----

bool CItemListModel::IsRowEmpty(int row) const {
    if (!IsRow(row)) return true;
    const Row& texts = m_aRows[row];
    return std::all_of(texts.begin() + std::min(1, m_nColumns), texts.end(),
                       [](const std::string& text) { return text.empty(); });
}

void CItemListModel::ClearRow(int row) {
    if (!IsRow(row)) return;
    RenumberRow(row);
    ClearCells(row, row, 1);
}

void CItemListModel::CopySelection(const std::vector<int>& selectedRows) {
    m_clipboard.clear();
    for (const int row : selectedRows)
        if (IsRow(row)) m_clipboard.push_back(m_aRows[row]);
}

void CItemListModel::CutSelection(const std::vector<int>& selectedRows) {
    CopySelection(selectedRows);
    for (const int row : selectedRows) ClearRow(row);
}

void CItemListModel::PasteClipboard(int focusRow) {
    if (m_clipboard.empty() || !IsRow(focusRow) || m_nColumns == 0) return;
    int row = focusRow;
    for (const Row& entry : m_clipboard) {
        if (row == RowCount()) break;
        m_aRows[row][0] = NumberText(row);
        // An entry copied before a column was added lacks that column: it stays empty.
        for (int column = 1; column < m_nColumns; ++column)
            m_aRows[row][column] =
                column < static_cast<int>(entry.size()) ? entry[column] : kNoText;
        ++row;
    }
    EmitRowsChanged(focusRow, row - 1, 0, m_nColumns - 1);
}

SRowSelection CItemListModel::DeleteSelection(const SRowSelection& selection) {
    int focus = selection.nFocus;
    if (IsRow(focus)) {
        const auto above = std::lower_bound(selection.aRows.begin(), selection.aRows.end(), focus);
        focus -= static_cast<int>(above - selection.aRows.begin());
    }
    DeleteRows(selection.aRows);
    focus = std::min(focus, RowCount() - 1);
    if (focus < 0) return {};
    return {{focus}, focus};
}

SRowSelection CItemListModel::InsertAtFocus(const SRowSelection& selection) {
    const int focus = selection.nFocus;
    if (!IsRow(focus)) return selection;
    InsertRow(focus);
    return {{focus}, focus};
}

SRowSelection CItemListModel::MoveRows(const std::vector<int>& selectedRows, int dropRow) {
    if (!IsRow(dropRow) || selectedRows.empty() || !IsRow(selectedRows.front()) ||
        !IsRow(selectedRows.back()) ||
        std::binary_search(selectedRows.begin(), selectedRows.end(), dropRow))
        return {};
    const int renumberFirst = std::min(selectedRows.front(), dropRow);
    const int renumberLast = std::max(selectedRows.back(), dropRow - 1);

    std::vector<Row> moved;
    moved.reserve(selectedRows.size());
    for (const int row : selectedRows) moved.push_back(m_aRows[row]);
    const auto above = std::lower_bound(selectedRows.begin(), selectedRows.end(), dropRow);
    const int target = dropRow - static_cast<int>(above - selectedRows.begin());
    DeleteRows(selectedRows);
    InsertRowsTexts(target, std::move(moved));
    RenumberRows(renumberFirst, renumberLast);

    SRowSelection result;
    for (int row = target; row < target + static_cast<int>(selectedRows.size()); ++row)
        result.aRows.push_back(row);
    result.nFocus = result.aRows.back();
    return result;
}

// ---- Notes ----

void CItemListModel::SetColumnNote(int column, NoteFunction note) {
    m_nNoteColumn = column;
    m_note = std::move(note);
}

QString CItemListModel::CellNote(int row, int column) const {
    if (column != m_nNoteColumn || !m_note) return {};
    const std::string_view note = m_note(CellText(row, column));
    return QString::fromLatin1(note.data(), static_cast<qsizetype>(note.size()));
}

void CItemListModel::SetColumnTip(int column, TipFunction tip) {
    m_nTipColumn = column;
    m_tip = std::move(tip);
}

QString CItemListModel::CellTip(int row, int column) const {
    if (column != m_nTipColumn || !m_tip) return {};
    return QString::fromStdString(m_tip(CellText(row, column)));
}

// ---- QAbstractItemModel ----

int CItemListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : RowCount();
}

int CItemListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_nColumns;
}

QVariant CItemListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole) return Latin1(CellText(index.row(), index.column()));
    if (role == Qt::DecorationRole && index.column() == 0) return m_rowDecoration;
    if (role == kNoteRole) return CellNote(index.row(), index.column());
    if (role == kTipRole) return CellTip(index.row(), index.column());
    return {};
}

QVariant CItemListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= m_nColumns)
        return {};
    return Latin1(m_aColumnNames[section]);
}

Qt::ItemFlags CItemListModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsDragEnabled;
}
