// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QValidator>

class QLineEdit;

// The filter of a hexadecimal edit, through which Qt routes every insertion by the user
// (typing, pasting from the keyboard, the menu or the mouse, dropping, input methods).
// Characters outside the accepted set are dropped with the simple beep, accepted letters
// become upper case, and the insertion is cut to the typed limit. Text the program sets
// passes unchecked: setting text clears the edit's modified flag, which every change by
// the user sets.
class CHexValidator : public QValidator {
    Q_OBJECT

public:
    CHexValidator(const QString& strAccepted, QLineEdit* pEdit);

    // Limits what the user inserts, counting the text that stays; 0 = no limit.
    void SetTypedLimit(int nLimit) { m_nTypedLimit = nLimit; }
    int TypedLimit() const { return m_nTypedLimit; }

    // QValidator
    State validate(QString& strInput, int& nPos) const override;

private:
    QString Filter(const QString& strText, bool* pbDropped) const;

    QString m_strAccepted;
    const QLineEdit* m_pEdit;
    int m_nTypedLimit = 0;
    // The text after the last change, to tell the inserted part of the next one.
    mutable QString m_strLast;
};
