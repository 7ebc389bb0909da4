// SPDX-License-Identifier: GPL-3.0-or-later
#include "ItemListCtrl.h"

#include "ColumnWidthStream.h"
#include "ItemListDelegate.h"
#include "ItemListModel.h"
#include "Profile.h"
#include "ResizableDialog.h"

#include <QHeaderView>
#include <QItemSelection>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {

constexpr const char* kWidthSection = "ListCtrls";
// The message starts this far below the header.
constexpr int kEmptyTextTop = 10;

}  // namespace

CItemListCtrl::CItemListCtrl(QWidget* pParent)
    : QTreeView(pParent), m_pModel(new CItemListModel(this)) {
    setModel(m_pModel);
    setItemDelegate(new CItemListDelegate(this));
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Every column keeps the width it was given or the user dragged it to.
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    connect(m_pModel, &QAbstractItemModel::rowsAboutToBeInserted, this,
            &CItemListCtrl::OnRowsAboutToBeInserted);
}

bool CItemListCtrl::SetColumns(std::string_view strColumns) {
    const int first = m_pModel->ColumnCount();
    const bool bOk = m_pModel->SetColumns(strColumns);
    for (int column = first; column < m_pModel->ColumnCount(); ++column)
        header()->resizeSection(column, m_pModel->SpecifiedWidth(column));
    return bOk;
}

// ---- Selection ----

SRowSelection CItemListCtrl::Selection() const {
    SRowSelection selection;
    for (const QItemSelectionRange& range : selectionModel()->selection())
        for (int row = range.top(); row <= range.bottom(); ++row) selection.aRows.push_back(row);
    std::sort(selection.aRows.begin(), selection.aRows.end());
    selection.aRows.erase(std::unique(selection.aRows.begin(), selection.aRows.end()),
                          selection.aRows.end());
    const QModelIndex current = selectionModel()->currentIndex();
    selection.nFocus = current.isValid() ? current.row() : -1;
    return selection;
}

void CItemListCtrl::SetSelection(const SRowSelection& selection) {
    QItemSelection rows;
    const int lastColumn = m_pModel->ColumnCount() - 1;
    for (std::size_t n = 0; n < selection.aRows.size();) {
        // One range per run of adjacent rows keeps Select All cheap on a long list.
        std::size_t end = n + 1;
        while (end < selection.aRows.size() && selection.aRows[end] == selection.aRows[end - 1] + 1)
            ++end;
        rows.select(m_pModel->index(selection.aRows[n], 0),
                    m_pModel->index(selection.aRows[end - 1], lastColumn));
        n = end;
    }
    selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect);
    selectionModel()->setCurrentIndex(m_pModel->index(selection.nFocus, 0),
                                      QItemSelectionModel::NoUpdate);
}

void CItemListCtrl::CopySelection() {
    m_pModel->CopySelection(Selection().aRows);
}

void CItemListCtrl::CutSelection() {
    m_pModel->CutSelection(Selection().aRows);
}

void CItemListCtrl::PasteClipboard() {
    m_pModel->PasteClipboard(Selection().nFocus);
}

void CItemListCtrl::DeleteSelection() {
    SetSelection(m_pModel->DeleteSelection(Selection()));
}

void CItemListCtrl::InsertAtFocus() {
    SetSelection(m_pModel->InsertAtFocus(Selection()));
}

void CItemListCtrl::SelectAllRows() {
    selectAll();
}

// A right-click on no row drops the selection first, as a report list view does, so that
// the owner offers what applies without one. Qt keeps the selection there.
void CItemListCtrl::mousePressEvent(QMouseEvent* pEvent) {
    if (pEvent->button() == Qt::RightButton && !indexAt(pEvent->position().toPoint()).isValid())
        selectionModel()->clearSelection();
    QTreeView::mousePressEvent(pEvent);
}

// The focused row is the owner's current row: the focus coming to the list makes none
// current where there was none (Qt's views would pick the first row).
void CItemListCtrl::focusInEvent(QFocusEvent* pEvent) {
    const bool bHadCurrent = currentIndex().isValid();
    QTreeView::focusInEvent(pEvent);
    if (!bHadCurrent && currentIndex().isValid())
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
}

// ---- Column widths ----

QByteArray CItemListCtrl::ProfileEntry() const {
    return QByteArray::number(CResizableDialog::ControlId(this));
}

void CItemListCtrl::LoadColumnWidths() {
    const QByteArray stream = CProfile::GetBinary(kWidthSection, ProfileEntry().constData());
    const auto widths = CColumnWidthStream::Decode(stream, header()->count());
    if (!widths) return;
    for (int column = 0; column < header()->count(); ++column)
        header()->resizeSection(column, (*widths)[column]);
}

bool CItemListCtrl::SaveColumnWidths() {
    std::vector<int> widths;
    for (int column = 0; column < header()->count(); ++column)
        widths.push_back(header()->sectionSize(column));
    return CProfile::WriteBinary(kWidthSection, ProfileEntry().constData(),
                                 CColumnWidthStream::Encode(widths));
}

// ---- Empty-view message ----

void CItemListCtrl::OnRowsAboutToBeInserted() {
    m_bEmptyTextArmed = false;
    // Only an empty list paints anything of its own; a list with rows just stays unarmed.
    if (m_pModel->RowCount() == 0) viewport()->repaint();
}

void CItemListCtrl::paintEvent(QPaintEvent* pEvent) {
    QTreeView::paintEvent(pEvent);
    if (m_pModel->RowCount() == 0) PaintEmptyText();
}

void CItemListCtrl::PaintEmptyText() {
    QString text = QString::fromLatin1(kEmptyText);
    if (!m_bEmptyTextArmed) {
        text.clear();
        m_bEmptyTextArmed = true;
    }
    // The viewport already starts below the header.
    const QRect area = viewport()->rect().adjusted(0, kEmptyTextTop, 0, 0);
    QPainter painter(viewport());
    painter.fillRect(area, palette().color(QPalette::Base));
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(area, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, text);
}
