#include "ScriptCountDlg.h"

#include "ByteText.h"
#include "DialogService.h"
#include "ScriptCount.h"

#include <QCoreApplication>

CScriptCountDlg::CScriptCountDlg(int nTemplateId, int nCount, QWidget* pParent)
    : CResizableDialog(nTemplateId, pParent), m_nCount(nCount) {}

void CScriptCountDlg::OnOK() {
    const std::optional<int> count = CScriptCount::FromText(Bytes(CountText()));
    if (!count) {
        CDialogService::Instance().MessageBox(
            this, QStringLiteral("Please enter an integer between 0 and %1.").arg(kMaxCount),
            QCoreApplication::applicationName(), QMessageBox::Warning, QMessageBox::Ok);
        return;
    }
    m_nCount = *count;
    CResizableDialog::OnOK();
}
