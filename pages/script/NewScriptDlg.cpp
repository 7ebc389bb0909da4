// SPDX-License-Identifier: GPL-3.0-or-later
#include "NewScriptDlg.h"

#include "ResourceIds.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>

CNewScriptDlg::CNewScriptDlg(QWidget* pParent)
    : CScriptCountDlg(IDD_NEW_SCRIPT, kProposedCount, pParent) {}

QWidget* CNewScriptDlg::CreateControl(const SDialogControl& control) {
    QWidget* pWidget = CScriptCountDlg::CreateControl(control);
    if (control.nId == IDC_NEW_COUNT) {
        m_pCountEdit = static_cast<QLineEdit*>(pWidget);
        m_pCountEdit->setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("[0-9]*")), m_pCountEdit));
        m_pCountEdit->setText(QString::number(Count()));
    }
    return pWidget;
}

QString CNewScriptDlg::CountText() const {
    return m_pCountEdit->text();
}
