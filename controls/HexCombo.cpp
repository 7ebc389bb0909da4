#include "HexCombo.h"

#include "ByteText.h"
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

int CHexCombo::InsertSorted(QComboBox* pCombo, const QString& strText, const QVariant& userData) {
    const int index = static_cast<int>(SortedInsertPosition(
        static_cast<std::size_t>(pCombo->count()),
        [pCombo](std::size_t i) { return Bytes(pCombo->itemText(static_cast<int>(i))); },
        Bytes(strText)));
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
