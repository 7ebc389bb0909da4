// SPDX-License-Identifier: GPL-3.0-or-later
#include "ComboItems.h"

#include "ByteText.h"

#include <QComboBox>

namespace {

std::string ItemBytes(const QComboBox* pCombo, std::size_t i) {
    return Bytes(pCombo->itemText(static_cast<int>(i)));
}

}  // namespace

int InsertSorted(QComboBox* pCombo, const QString& strText, const QVariant& userData) {
    const int index = static_cast<int>(SortedInsertPosition(
        static_cast<std::size_t>(pCombo->count()),
        [pCombo](std::size_t i) { return ItemBytes(pCombo, i); }, Bytes(strText)));
    // A new item never changes what the edit field shows, though QComboBox would select
    // the first item added to an empty list.
    const bool bHadSelection = pCombo->currentIndex() >= 0;
    const QString strEditText = pCombo->currentText();
    pCombo->insertItem(index, strText, userData);
    if (!bHadSelection && pCombo->currentIndex() >= 0) {
        pCombo->setCurrentIndex(-1);
        pCombo->setEditText(strEditText);
    }
    return index;
}

int FindItemStartingWith(const QComboBox* pCombo, const QString& strText, int nStart) {
    return FindStartingWith(
        static_cast<std::size_t>(pCombo->count()), static_cast<std::size_t>(nStart),
        [pCombo](std::size_t i) { return ItemBytes(pCombo, i); }, Bytes(strText));
}
