// SPDX-License-Identifier: GPL-3.0-or-later
#include "CodeDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

QLineEdit* MaskedEdit(QWidget* pParent) {
    auto* pEdit = new QLineEdit(pParent);
    pEdit->setEchoMode(QLineEdit::Password);
    pEdit->setMaxLength(16);
    // No undo history and no context-menu copy of a secret.
    pEdit->setContextMenuPolicy(Qt::NoContextMenu);
    return pEdit;
}

void Wipe(QLineEdit* pEdit) {
    if (!pEdit) return;
    pEdit->setText(QString(pEdit->text().size(), QChar('0')));
    pEdit->clear();
}

}  // namespace

CCodeDialog::CCodeDialog(QWidget* pParent, const std::string& strTitle, const char* pFirstLabel,
                         const char* pSecondLabel, int nAttempts)
    : QDialog(pParent) {
    setWindowTitle(QString::fromStdString(strTitle));
    auto* pLayout = new QFormLayout(this);
    if (nAttempts >= 0) {
        pLayout->addRow(new QLabel(QString("Attempts left: %1").arg(nAttempts), this));
    }
    m_pFirst = MaskedEdit(this);
    pLayout->addRow(pFirstLabel, m_pFirst);
    if (pSecondLabel) {
        m_pSecond = MaskedEdit(this);
        pLayout->addRow(pSecondLabel, m_pSecond);
    }
    auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(pButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(pButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    pLayout->addRow(pButtons);
}

CCodeDialog::~CCodeDialog() { Clear(); }

std::string CCodeDialog::First() const { return m_pFirst->text().toStdString(); }

std::string CCodeDialog::Second() const { return m_pSecond ? m_pSecond->text().toStdString() : std::string(); }

void CCodeDialog::Clear() {
    Wipe(m_pFirst);
    Wipe(m_pSecond);
}
