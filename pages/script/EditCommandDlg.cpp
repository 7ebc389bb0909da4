// SPDX-License-Identifier: GPL-3.0-or-later
#include "EditCommandDlg.h"

#include "ByteText.h"
#include "HexEdit.h"
#include "ResourceIds.h"

#include <utility>

CEditCommandDlg::CEditCommandDlg(std::string strCommand, QWidget* pParent)
    : CResizableDialog(IDD_EDIT_COMMAND, pParent), m_strCommand(std::move(strCommand)) {}

QWidget* CEditCommandDlg::CreateControl(const SDialogControl& control) {
    if (control.nId != IDC_COMMAND_TEXT) return CResizableDialog::CreateControl(control);
    m_pCommandEdit = new CHexEdit(this);
    return m_pCommandEdit;
}

void CEditCommandDlg::DoDataExchange(bool bSaveAndValidate) {
    if (bSaveAndValidate)
        m_strCommand = Bytes(m_pCommandEdit->text());
    else
        m_pCommandEdit->setText(Latin1(m_strCommand));
}

void CEditCommandDlg::OnOK() {
    DoDataExchange(true);
    CResizableDialog::OnOK();
}
