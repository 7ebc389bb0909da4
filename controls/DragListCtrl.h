// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ItemListCtrl.h"

#include <QPoint>

#include <memory>

class QLabel;

// An item list whose selected rows the user moves by dragging them onto another row.
// The drag holds the mouse from the press to the release inside the list (no drag-and-
// drop session), so it runs the same on every platform and under test events: the rows
// land directly above the row under the cursor, in their order, selected.
class CDragListCtrl : public CItemListCtrl {
    Q_OBJECT

public:
    explicit CDragListCtrl(QWidget* pParent = nullptr);
    ~CDragListCtrl() override;

    bool IsDragging() const { return m_bDragging; }
    // The row that the dragged rows would land above; -1 for none.
    int DropRow() const { return m_nDropRow; }
    // The image following the cursor during a drag; null outside a drag.
    const QLabel* DragImage() const { return m_pDragImage.get(); }
    // True while the image is the "Multi" picture of several rows.
    bool DragShowsMulti() const { return m_bDragShowsMulti; }

protected:
    // QWidget
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;
    // QAbstractItemView
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* pEvent) const override;
    // QTreeView
    void drawRow(QPainter* pPainter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override;

private:
    void BeginDrag(QPoint point);
    void DragTo(QPoint point);
    void EndDrag(QPoint point);
    void Drop();
    void ScrollAtEdge();
    void SetDropRow(int row);
    void MakeDragImage(const SRowSelection& selection);
    void MoveDragImage(QPoint point);

    bool m_bDragging = false;
    bool m_bPressOnSelected = false;  // a plain press on a selected row, not yet released
    bool m_bDragShowsMulti = false;
    int m_nBeginRow = -1;
    int m_nDropRow = -1;
    QPoint m_pressPoint;
    std::unique_ptr<QLabel> m_pDragImage;
};
