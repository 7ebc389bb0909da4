// SPDX-License-Identifier: GPL-3.0-or-later
#include "HexEdit.h"

#include "HexValidator.h"

const QString CHexEdit::kHexCharacters = QStringLiteral("0123456789AaBbCcDdEeFf");

CHexEdit::CHexEdit(QWidget* pParent) : CHexEdit(kHexCharacters, pParent) {}

CHexEdit::CHexEdit(const QString& strAccepted, QWidget* pParent)
    : QLineEdit(pParent), m_pValidator(new CHexValidator(strAccepted, this)) {
    setValidator(m_pValidator);
    // Digits need no composing; without an input method every character is a key press.
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

void CHexEdit::SetTypedLimit(int nLimit) { m_pValidator->SetTypedLimit(nLimit); }

int CHexEdit::TypedLimit() const { return m_pValidator->TypedLimit(); }
