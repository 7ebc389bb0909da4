#include "ScriptCountDlg.h"

#include "DialogService.h"
#include "UiText.h"

#include <QCoreApplication>

CScriptCountDlg::CScriptCountDlg(int nTemplateId, int nCount, QWidget* pParent)
    : CResizableDialog(nTemplateId, pParent), m_nCount(nCount) {}

void CScriptCountDlg::OnOK() {
    bool bNumber = false;
    const int nCount = CountText().toInt(&bNumber);
    if (!bNumber || nCount < 0 || nCount > kMaxCount) {
        CDialogService::Instance().Warn(
            this, QString::fromLatin1(CUiText::kEnterCountBetween).arg(kMaxCount));
        return;
    }
    m_nCount = nCount;
    CResizableDialog::OnOK();
}
