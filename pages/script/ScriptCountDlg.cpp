#include "ScriptCountDlg.h"

#include "DialogService.h"

#include <QCoreApplication>

CScriptCountDlg::CScriptCountDlg(int nTemplateId, int nCount, QWidget* pParent)
    : CResizableDialog(nTemplateId, pParent), m_nCount(nCount) {}

void CScriptCountDlg::OnOK() {
    bool bNumber = false;
    const int nCount = CountText().toInt(&bNumber);
    if (!bNumber || nCount < 0 || nCount > kMaxCount) {
        CDialogService::Instance().MessageBox(
            this, QStringLiteral("Please enter an integer between 0 and %1.").arg(kMaxCount),
            QCoreApplication::applicationName(), QMessageBox::Warning, QMessageBox::Ok);
        return;
    }
    m_nCount = nCount;
    CResizableDialog::OnOK();
}
