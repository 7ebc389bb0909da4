// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStyledItemDelegate>

// Draws an item list's cells: a cell with a note greyed. Its tooltip holds the whole text
// of a cell too narrow for it (the list's info tip) and the cell's note.
class CItemListDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    // Tip lines are cut at this many characters: long hex text has no spaces to wrap at.
    static constexpr int kTipLineLength = 64;

    using QStyledItemDelegate::QStyledItemDelegate;

    // The tooltip of the cell in the option's rectangle; empty for none.
    QString TipText(const QStyleOptionViewItem& option, const QModelIndex& index) const;

    // QAbstractItemDelegate
    bool helpEvent(QHelpEvent* pEvent, QAbstractItemView* pView, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

protected:
    // QStyledItemDelegate
    void initStyleOption(QStyleOptionViewItem* pOption, const QModelIndex& index) const override;

private:
    bool IsCutOff(const QStyleOptionViewItem& option, const QModelIndex& index) const;
};
