// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptCountDlg.h"

#include "ByteText.h"
#include "DialogService.h"
#include "ScriptCount.h"
#include "UiText.h"

#include <QCoreApplication>

CScriptCountDlg::CScriptCountDlg(int nTemplateId, int nCount, QWidget* pParent)
    : CResizableDialog(nTemplateId, pParent), m_nCount(nCount) {}

void CScriptCountDlg::OnOK() {
    const std::optional<int> count = CScriptCount::FromText(Bytes(CountText()));
    if (!count) {
        CDialogService::Instance().Warn(
            this, QString::fromLatin1(CUiText::kEnterCountBetween).arg(kMaxCount));
        return;
    }
    m_nCount = *count;
    CResizableDialog::OnOK();
}
