// SPDX-License-Identifier: GPL-3.0-or-later
#include "PathCombo.h"

#include "ComboItems.h"
#include "HexCombo.h"
#include "HexEdit.h"

#include <QKeyEvent>

const QString CPathCombo::kPathCharacters = QStringLiteral("0123456789AaBbCcDdEeFf\\");

CPathCombo::CPathCombo(QWidget* pParent) : CHistoryCombo(pParent) {
    CHexEdit* pEdit = CHexCombo::InstallFilteredEdit(this, kPathCharacters);
    pEdit->installEventFilter(this);
    connect(pEdit, &QLineEdit::textEdited, this, &CPathCombo::OnEditTextUpdate);
}

CHexEdit* CPathCombo::PathEdit() const {
    return static_cast<CHexEdit*>(lineEdit());
}

void CPathCombo::TrackKey(int key) {
    // After a deletion the rest is not completed again, or Backspace could never shorten it.
    m_bAutoComplete = key != Qt::Key_Delete && key != Qt::Key_Backspace && key != Qt::Key_Return &&
                      key != Qt::Key_Enter;
}

void CPathCombo::OnEditTextUpdate(const QString& strText) {
    // An emptied box stays empty rather than filling up with the first entry.
    if (!m_bAutoComplete || strText.isEmpty()) return;
    QLineEdit* pEdit = lineEdit();
    const int length = strText.size();
    const int selStart =
        pEdit->hasSelectedText() ? pEdit->selectionStart() : pEdit->cursorPosition();
    const int selEnd = pEdit->hasSelectedText() ? pEdit->selectionEnd() : pEdit->cursorPosition();
    const int index = FindItemStartingWith(this, strText);
    if (index < 0) return;  // the text stays as typed, the caret where it was
    const QString strEntry = itemText(index);
    setCurrentIndex(index);
    if (pEdit->text() != strEntry) pEdit->setText(strEntry);
    if (selEnd < length) {
        // Editing inside the text: keep the caret or selection where the user has it.
        pEdit->setCursorPosition(selStart);
        if (selEnd > selStart) pEdit->setSelection(selStart, selEnd - selStart);
    } else {
        pEdit->setSelection(length, strEntry.size() - length);
    }
}

// QObject and QComboBox overrides

bool CPathCombo::eventFilter(QObject* pWatched, QEvent* pEvent) {
    if (pWatched == lineEdit() && pEvent->type() == QEvent::KeyPress) {
        TrackKey(static_cast<QKeyEvent*>(pEvent)->key());
    }
    return CHistoryCombo::eventFilter(pWatched, pEvent);
}

void CPathCombo::keyPressEvent(QKeyEvent* pEvent) {
    TrackKey(pEvent->key());
    CHistoryCombo::keyPressEvent(pEvent);
}
