// SPDX-License-Identifier: GPL-3.0-or-later
#include "DragListCtrl.h"

#include "IconResource.h"
#include "ItemListModel.h"
#include "ResourceIds.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>

#include <algorithm>

namespace {

// The image hangs below and right of the cursor, clear of the drop row it points at.
const QPoint kDragImageOffset(8, 8);
const QSize kMultiImageSize(48, 16);

}  // namespace

CDragListCtrl::CDragListCtrl(QWidget* pParent) : CItemListCtrl(pParent) {}

CDragListCtrl::~CDragListCtrl() {
    if (m_bDragging) QGuiApplication::restoreOverrideCursor();
}

// ---- QWidget ----

void CDragListCtrl::mousePressEvent(QMouseEvent* pEvent) {
    const QPoint point = pEvent->position().toPoint();
    const QModelIndex index = indexAt(point);
    m_nBeginRow = pEvent->button() == Qt::LeftButton && index.isValid() ? index.row() : -1;
    m_pressPoint = point;
    m_bPressOnSelected = m_nBeginRow >= 0 && pEvent->modifiers() == Qt::NoModifier &&
                         selectionModel()->isRowSelected(m_nBeginRow, QModelIndex());
    CItemListCtrl::mousePressEvent(pEvent);
}

void CDragListCtrl::mouseMoveEvent(QMouseEvent* pEvent) {
    const QPoint point = pEvent->position().toPoint();
    if (m_bDragging) {
        DragTo(point);
        return;
    }
    if (m_nBeginRow >= 0 && (pEvent->buttons() & Qt::LeftButton)) {
        if ((point - m_pressPoint).manhattanLength() >= QApplication::startDragDistance())
            BeginDrag(point);
        return;
    }
    CItemListCtrl::mouseMoveEvent(pEvent);
}

void CDragListCtrl::mouseReleaseEvent(QMouseEvent* pEvent) {
    m_bPressOnSelected = false;
    m_nBeginRow = -1;
    if (m_bDragging) {
        EndDrag(pEvent->position().toPoint());
        return;
    }
    CItemListCtrl::mouseReleaseEvent(pEvent);
}

// ---- QAbstractItemView ----

// A plain press on a selected row keeps the whole selection, since it may begin a drag
// of every selected row; a release without a drag then selects that row alone.
QItemSelectionModel::SelectionFlags CDragListCtrl::selectionCommand(const QModelIndex& index,
                                                                    const QEvent* pEvent) const {
    if (pEvent != nullptr && pEvent->type() == QEvent::MouseButtonPress && m_bPressOnSelected)
        return QItemSelectionModel::NoUpdate;
    return CItemListCtrl::selectionCommand(index, pEvent);
}

void CDragListCtrl::drawRow(QPainter* pPainter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
    if (index.row() != m_nDropRow) {
        CItemListCtrl::drawRow(pPainter, option, index);
        return;
    }
    QStyleOptionViewItem highlighted(option);
    highlighted.state |= QStyle::State_Selected;
    CItemListCtrl::drawRow(pPainter, highlighted, index);
}

// ---- The drag ----

void CDragListCtrl::BeginDrag(QPoint point) {
    const SRowSelection selection = Selection();
    if (selection.aRows.empty()) return;
    MakeDragImage(selection);
    MoveDragImage(point);
    m_bDragging = true;
    m_nDropRow = -1;
    QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    DragTo(point);
}

void CDragListCtrl::DragTo(QPoint point) {
    MoveDragImage(point);
    if (!viewport()->rect().contains(point)) {
        QGuiApplication::changeOverrideCursor(Qt::ForbiddenCursor);
        SetDropRow(-1);
        return;
    }
    QGuiApplication::changeOverrideCursor(Qt::ArrowCursor);
    SetDropRow(indexAt(point).row());
    ScrollAtEdge();
}

// Holding the rows over the first or last fully visible row brings the next row into
// view, one row per mouse move.
void CDragListCtrl::ScrollAtEdge() {
    if (m_nDropRow < 0) return;
    const int top = indexAt(QPoint(0, 0)).row();
    const int nRowHeight = std::max(1, rowHeight(Model()->index(top, 0)));
    const int lastOfPage = top + std::max(1, viewport()->height() / nRowHeight) - 1;
    if (m_nDropRow == top && top > 0)
        scrollTo(Model()->index(top - 1, 0));
    else if (m_nDropRow == lastOfPage && m_nDropRow < Model()->RowCount() - 1)
        scrollTo(Model()->index(m_nDropRow + 1, 0));
}

void CDragListCtrl::SetDropRow(int row) {
    if (row == m_nDropRow) return;
    m_nDropRow = row;
    viewport()->update();
}

void CDragListCtrl::EndDrag(QPoint point) {
    m_bDragging = false;
    m_pDragImage.reset();
    m_bDragShowsMulti = false;
    QGuiApplication::restoreOverrideCursor();
    if (viewport()->rect().contains(point))
        Drop();
    else
        SetDropRow(-1);
}

void CDragListCtrl::Drop() {
    const int dropRow = m_nDropRow;
    SetDropRow(-1);
    const SRowSelection moved = Model()->MoveRows(Selection().aRows, dropRow);
    if (!moved.aRows.empty()) SetSelection(moved);
}

// ---- The drag image ----

void CDragListCtrl::MakeDragImage(const SRowSelection& selection) {
    m_bDragShowsMulti = selection.aRows.size() > 1;
    QPixmap picture;
    if (m_bDragShowsMulti) {
        picture = CIconResource::Icon(IDB_MULTI).pixmap(kMultiImageSize);
    } else {
        QRect row = visualRect(Model()->index(m_nBeginRow, 0));
        row.setLeft(0);
        row.setRight(viewport()->width() - 1);
        picture = viewport()->grab(row);
    }
    m_pDragImage = std::make_unique<QLabel>(nullptr, Qt::ToolTip | Qt::FramelessWindowHint);
    m_pDragImage->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_pDragImage->setPixmap(picture);
    m_pDragImage->resize(picture.size() / picture.devicePixelRatio());
    m_pDragImage->setWindowOpacity(0.7);
    m_pDragImage->show();
}

void CDragListCtrl::MoveDragImage(QPoint point) {
    if (m_pDragImage) m_pDragImage->move(viewport()->mapToGlobal(point) + kDragImageOffset);
}
