// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RowSelection.h"

#include <QTreeView>

#include <string_view>
#include <vector>

class CItemListModel;

// A report list of numbered rows over a CItemListModel, which holds every row's texts:
// the owner inserts, reads and writes rows through Model(). The view adds what needs
// the selection (clipboard, delete and insert at the focused row, select all), the
// message of an empty list and the column widths kept in the profile under
// "ListCtrls"/<control id>.
class CItemListCtrl : public QTreeView {
    Q_OBJECT

public:
    static constexpr const char* kEmptyText = "There are no items to show in this view.";

    explicit CItemListCtrl(QWidget* pParent = nullptr);

    CItemListModel* Model() const { return m_pModel; }

    // Adds the columns of a column list ("Name,width;...") at their widths.
    bool SetColumns(std::string_view strColumns);

    // The selected rows (ascending) and the focused row.
    SRowSelection Selection() const;
    // Selects exactly those rows and moves the focus, without scrolling.
    void SetSelection(const SRowSelection& selection);

    void CopySelection();
    void CutSelection();
    void PasteClipboard();
    void DeleteSelection();
    void InsertAtFocus();
    void SelectAllRows();

    // Reads the stored widths; a value that does not fit the current columns is ignored.
    void LoadColumnWidths();
    // False when the profile could not be written.
    bool SaveColumnWidths();

    // The owner arms the message again when it empties the list (the next paint shows it).
    void SetEmptyTextArmed(bool bArmed) { m_bEmptyTextArmed = bArmed; }
    bool EmptyTextArmed() const { return m_bEmptyTextArmed; }

protected:
    // QWidget
    void paintEvent(QPaintEvent* pEvent) override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void focusInEvent(QFocusEvent* pEvent) override;

private:
    void OnRowsAboutToBeInserted();
    void PaintEmptyText();
    QByteArray ProfileEntry() const;

    CItemListModel* m_pModel;
    // When false, the next paint of an empty list draws no message and arms it again: a
    // list being filled from empty wipes the message instead of drawing it once more.
    bool m_bEmptyTextArmed = true;
};
