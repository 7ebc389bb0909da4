// SPDX-License-Identifier: GPL-3.0-or-later
#include "ShellFixture.h"

#include "CardReader.h"
#include "InfoBar.h"
#include "Profile.h"
#include "ResourceIds.h"

#include <QAction>
#include <QComboBox>
#include <QEventLoop>
#include <QListWidget>
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

void CShellFixture::ChooseMenuItem(const QString& strText) {
    m_dialogs.m_chooseMenuItem = [strText](QMenu& menu) { return FindAction(menu, strText); };
}

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

void CShellFixture::ExpectPage(CMainDlg& dlg, int nPage, const char* pszCaption) {
    for (int page = 0; page < CMainDlg::kPageCount; ++page)
        EXPECT_EQ(dlg.Page(page).isHidden(), page != nPage) << "page " << page;
    EXPECT_EQ(dlg.NavigationList()->currentRow(), nPage);
    EXPECT_TRUE(dlg.NavigationList()->item(nPage)->isSelected());
    EXPECT_EQ(dlg.InfoBar()->Caption(), pszCaption);
}

void CShellFixture::ExpectConnection(CMainDlg& dlg, bool bConnected, const char* pszText) {
    EXPECT_EQ(g_pCardReader->IsConnected(), bConnected);
    EXPECT_EQ(dlg.RememberedStatusText(), pszText);
    EXPECT_EQ(dlg.IsGreenLightOn(), bConnected);
    EXPECT_EQ(dlg.IsRedLightOn(), !bConnected);
    dlg.OnIdleUpdate();
    EXPECT_EQ(dlg.PaneText(), pszText);
    EXPECT_EQ(dlg.Action(ID_CARD_CONNECT)->isEnabled(), !bConnected);
    EXPECT_EQ(dlg.Action(ID_CARD_DISCONNECT)->isEnabled(), bConnected);
    EXPECT_EQ(dlg.Action(ID_CARD_RECONNECT)->isEnabled(), bConnected);
}

QStringList CShellFixture::Items(const QComboBox* pCombo) {
    QStringList items;
    for (int i = 0; i < pCombo->count(); ++i) items << pCombo->itemText(i);
    return items;
}
