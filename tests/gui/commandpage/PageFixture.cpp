#include "PageFixture.h"

#include "CardReader.h"
#include "ColorLineModel.h"
#include "ColorListBox.h"

#include <QFile>
#include <QListWidget>
#include <QTest>

const QByteArray CPageFixture::kIni =
    "; Presets of the tests\r\n"
    "[Command]\r\n"
    "CommandNb=5\r\n"
    "Command1=A0B0<READ BINARY><00><00><0A><OUT>\r\n"
    "Command2=A0A4<SELECT><00><00><02><IN>\r\n"
    "; STATUS answers with the current directory\r\n"
    "Command3=A0F2<STATUS><00><00><16><OUT>\r\n"
    "Command4=A020<VERIFY CHV1><00><01><08><IN>\r\n"
    "Command5=A0C0<GR><00>\r\n"
    "\r\n"
    "[LastCmd]\r\n"
    "; how many commands are kept\r\n"
    "LastCmdNb=3\r\n"
    "LastCmd1=A0F2000016\r\n";

void CPageFixture::SetUp() {
    std::string error;
    ASSERT_TRUE(m_pcscd.Start(&error)) << error;
    CShellFixture::SetUp();
    const QString strDir = QString::fromStdString(m_iniDir.Path());
    m_pLocation = std::make_unique<CCommandIniLocation>(strDir, strDir);
    CCommandPage::SetIniLocation(m_pLocation.get());
    WriteIni(kIni);
}

void CPageFixture::TearDown() {
    CShellFixture::TearDown();
    CCommandPage::SetIniLocation(nullptr);
}

void CPageFixture::WriteIni(const QByteArray& bytes) {
    QFile file(m_pLocation->BesideExecutable());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray CPageFixture::ReadIni() const {
    QFile file(m_pLocation->BesideExecutable());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void CPageFixture::StartOnPage(int nPage) {
    CMainDlg& dlg = StartMainWindow();
    m_nPage = nPage;
    dlg.ShowPage(m_nPage);
    dlg.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&dlg));
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

int CPageFixture::TraceCount() const {
    return m_pMainDlg->TracePage().List()->Model()->Count();
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
