#include "ShellFixture.h"

#include "CardReader.h"
#include "Profile.h"

#include <QAction>
#include <QEventLoop>
#include <QMenu>
#include <QTimer>

void CShellFixture::SetUp() {
    CDialogService::SetInstance(&m_dialogs);
    CProfile::SetRegistryKey(QLatin1String(CProfile::kCompany));
    // What the application object's constructor does for the program.
    if (g_pCardReader == nullptr) g_pCardReader = new CCardReader();
}

void CShellFixture::TearDown() {
    DestroyMainWindow();
    delete g_pCardReader;
    g_pCardReader = nullptr;
    CDialogService::SetInstance(nullptr);
}

CMainDlg& CShellFixture::StartMainWindow() {
    m_pMainDlg = std::make_unique<CMainDlg>();
    m_pMainDlg->Create();
    m_pMainDlg->show();
    return *m_pMainDlg;
}

void CShellFixture::DestroyMainWindow() { m_pMainDlg.reset(); }

QAction* CShellFixture::FindAction(QMenu& menu, const QString& strText) {
    for (QAction* pAction : menu.actions())
        if (pAction->text() == strText) return pAction;
    return nullptr;
}

void CShellFixture::RunUntilIdle() {
    // A timer ends the loop; until it fires the loop has nothing to do and blocks,
    // which is when the dispatcher reports it is idle.
    QEventLoop loop;
    QTimer::singleShot(50, &loop, &QEventLoop::quit);
    loop.exec();
}
