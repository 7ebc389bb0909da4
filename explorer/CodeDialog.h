// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <string>

class QLineEdit;

// Asks for a code (and a new one for Change and Unblock) with masked input, showing the
// attempts the card has left. The texts are wiped when the dialog has given them.
class CCodeDialog : public QDialog {
    Q_OBJECT

public:
    // pSecondLabel null: one code only. nAttempts -1: not known.
    CCodeDialog(QWidget* pParent, const std::string& strTitle, const char* pFirstLabel,
                const char* pSecondLabel, int nAttempts);
    ~CCodeDialog() override;

    std::string First() const;
    std::string Second() const;
    // Overwrites and empties both fields.
    void Clear();

    QLineEdit* FirstEdit() const { return m_pFirst; }
    QLineEdit* SecondEdit() const { return m_pSecond; }

private:
    QLineEdit* m_pFirst = nullptr;
    QLineEdit* m_pSecond = nullptr;
};
