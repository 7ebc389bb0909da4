// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>
#include <QString>

class CHexValidator;

// A line edit that takes only the characters of its accepted set, hexadecimal digits
// unless told otherwise, in upper case. A refused character is dropped with the simple
// beep, however it arrives; control keys (Backspace, Tab, Enter, the clipboard shortcuts)
// keep their meaning. Text set by the program is shown as it is.
class CHexEdit : public QLineEdit {
    Q_OBJECT

public:
    static const QString kHexCharacters;

    explicit CHexEdit(QWidget* pParent = nullptr);
    CHexEdit(const QString& strAccepted, QWidget* pParent = nullptr);

    // Limits typed and pasted text without cutting text the program sets; 0 = no limit.
    void SetTypedLimit(int nLimit);
    int TypedLimit() const;

private:
    CHexValidator* m_pValidator;
};
