// SPDX-License-Identifier: GPL-3.0-or-later
#include "ItemListDelegate.h"

#include "ItemListModel.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QToolTip>

namespace {

QString BrokenIntoLines(const QString& text, int nLineLength) {
    QString lines;
    for (qsizetype start = 0; start < text.size(); start += nLineLength) {
        if (start != 0) lines += QLatin1Char('\n');
        lines += text.mid(start, nLineLength);
    }
    return lines;
}

}  // namespace

QString CItemListDelegate::TipText(const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const {
    QStringList parts;
    if (IsCutOff(option, index))
        parts << BrokenIntoLines(index.data(Qt::DisplayRole).toString(), kTipLineLength);
    const QString note = index.data(CItemListModel::kNoteRole).toString();
    if (!note.isEmpty()) parts << note;
    const QString tip = index.data(CItemListModel::kTipRole).toString();
    if (!tip.isEmpty()) parts << tip;
    return parts.join(QLatin1Char('\n'));
}

bool CItemListDelegate::IsCutOff(const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    return sizeHint(option, index).width() > option.rect.width();
}

// QAbstractItemDelegate

bool CItemListDelegate::helpEvent(QHelpEvent* pEvent, QAbstractItemView* pView,
                                  const QStyleOptionViewItem& option, const QModelIndex& index) {
    if (pEvent->type() != QEvent::ToolTip || !index.isValid())
        return QStyledItemDelegate::helpEvent(pEvent, pView, option, index);
    const QString tip = TipText(option, index);
    if (tip.isEmpty()) {
        QToolTip::hideText();
        return false;
    }
    QToolTip::showText(pEvent->globalPos(), tip, pView->viewport(), option.rect);
    return true;
}

// QStyledItemDelegate

void CItemListDelegate::initStyleOption(QStyleOptionViewItem* pOption,
                                        const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(pOption, index);
    if (index.data(CItemListModel::kNoteRole).toString().isEmpty()) return;
    pOption->palette.setColor(QPalette::Text,
                              pOption->palette.color(QPalette::Disabled, QPalette::Text));
}
