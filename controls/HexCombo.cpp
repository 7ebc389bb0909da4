// SPDX-License-Identifier: GPL-3.0-or-later
#include "HexCombo.h"

#include "ComboItems.h"
#include "HexEdit.h"

CHexCombo::CHexCombo(QWidget* pParent) : QComboBox(pParent) {
    InstallFilteredEdit(this, CHexEdit::kHexCharacters);
}

CHexEdit* CHexCombo::HexEdit() const {
    return static_cast<CHexEdit*>(lineEdit());
}

int CHexCombo::AddSortedItem(const QString& strText, const QVariant& userData) {
    return InsertSorted(this, strText, userData);
}

CHexEdit* CHexCombo::InstallFilteredEdit(QComboBox* pCombo, const QString& strAccepted) {
    auto* pEdit = new CHexEdit(strAccepted, pCombo);
    pCombo->setEditable(true);
    pCombo->setLineEdit(pEdit);
    pCombo->setInsertPolicy(QComboBox::NoInsert);
    pCombo->setCompleter(nullptr);
    return pEdit;
}
