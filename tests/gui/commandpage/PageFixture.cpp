// SPDX-License-Identifier: GPL-3.0-or-later
#include "PageFixture.h"

#include "CardReader.h"

#include <QFile>
#include <QListWidget>

const QByteArray CPageFixture::kIni =
    "[Command]\r\nCommandNb=3\r\n"
    "Command1=A0F2<STATUS><00><00><16><OUT>\r\n"
    "Command2=A0A4<SELECT><00><00><02><IN>\r\n"
    "Command3=A020<VERIFY CHV1><00><01><08><IN>\r\n"
    "[LastCmd]\r\nLastCmdNb=4\r\n"
    "LastCmd1=A0F2000016\r\n"
    "LastCmd2=A0A4<SELECT>0000023F00\r\n"
    "LastCmd3=00C0010203\r\n";

void CPageFixture::SetUp() {
    std::string error;
    ASSERT_TRUE(m_pcscd.Start(&error)) << error;
    CShellFixture::SetUp();
    const QString strDir = QString::fromStdString(m_iniDir.Path());
    const CCommandIniLocation location(strDir, strDir);
    CCommandPage::SetIniLocation(&location);
    QFile file(location.BesideExecutable());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(kIni);
}

void CPageFixture::TearDown() {
    CShellFixture::TearDown();
    CCommandPage::SetIniLocation(nullptr);
}

QByteArray CPageFixture::ReadIni() const {
    QFile file(QString::fromStdString(m_iniDir.File("Command.INI")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

CResizableDialog& CPageFixture::StartOnPage(int nPage) {
    CMainDlg& dlg = StartMainWindow();
    m_nPage = nPage;
    dlg.ShowPage(m_nPage);
    dlg.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&dlg));
    return dlg.Page(m_nPage);
}

CFilePage& CPageFixture::StartOnFilePage(bool bConnect) {
    StartOnPage(2);
    if (bConnect) Connect();
    return TheFilePage();
}

void CPageFixture::Connect() {
    m_pMainDlg->OnCardConnect();
    ASSERT_TRUE(g_pCardReader->IsConnected());
}

void CPageFixture::Type(int nId, const QString& strText) {
    CHexEdit* pEdit = Edit(nId);
    pEdit->setFocus();
    pEdit->selectAll();
    QTest::keyClick(pEdit, Qt::Key_Delete);
    QTest::keyClicks(pEdit, strText);
}

QStringList CPageFixture::RecentEntries() const {
    QStringList entries;
    for (int i = 0; i < TheCommandPage().RecentList()->count(); ++i)
        entries << TheCommandPage().RecentList()->item(i)->text();
    return entries;
}

void CPageFixture::EnterPath(const QString& strPath) {
    QLineEdit* pEdit = TheFilePage().PathCombo()->lineEdit();
    pEdit->setFocus();
    pEdit->clear();
    QTest::keyClicks(pEdit, strPath);
    if (pEdit->hasSelectedText()) QTest::keyClick(pEdit, Qt::Key_Delete);
    QTest::keyClick(pEdit, Qt::Key_Return);
}

QStringList CPageFixture::TraceLines(int nFrom) const {
    CColorLineModel* pModel = m_pMainDlg->TracePage().List()->Model();
    QStringList lines;
    for (int i = nFrom; i < pModel->Count(); ++i) lines << QString::fromLatin1(pModel->LineText(i));
    return lines;
}

std::string CPageFixture::Exchange(const std::string& strCommand) {
    std::string response;
    g_pCardReader->Exchange(strCommand, response);
    return response;
}
