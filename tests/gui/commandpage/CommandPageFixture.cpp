#include "CommandPageFixture.h"

#include "CardReader.h"
#include "ColorLineModel.h"
#include "ColorListBox.h"
#include "HexCombo.h"
#include "HexEdit.h"

#include <QFile>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>

const QByteArray CCommandPageFixture::kIni =
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

void CCommandPageFixture::SetUp() {
    std::string error;
    ASSERT_TRUE(m_pcscd.Start(&error)) << error;
    CShellFixture::SetUp();
    const QString strDir = QString::fromStdString(m_iniDir.Path());
    m_pLocation = std::make_unique<CCommandIniLocation>(strDir, strDir);
    CCommandPage::SetIniLocation(m_pLocation.get());
    WriteIni(kIni);
}

void CCommandPageFixture::TearDown() {
    CShellFixture::TearDown();
    CCommandPage::SetIniLocation(nullptr);
}

void CCommandPageFixture::WriteIni(const QByteArray& bytes) {
    QFile file(m_pLocation->BesideExecutable());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray CCommandPageFixture::ReadIni() const {
    QFile file(m_pLocation->BesideExecutable());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

CCommandPage& CCommandPageFixture::StartOnCommandPage() {
    CMainDlg& dlg = StartMainWindow();
    dlg.ShowPage(1);
    dlg.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&dlg));
    return Page();
}

void CCommandPageFixture::Connect() {
    m_pMainDlg->OnCardConnect();
    ASSERT_TRUE(g_pCardReader->IsConnected());
}

CCommandPage& CCommandPageFixture::Page() const {
    return static_cast<CCommandPage&>(m_pMainDlg->Page(1));
}

CHexEdit* CCommandPageFixture::Edit(int nId) const {
    return static_cast<CHexEdit*>(Page().GetDlgItem(nId));
}

QRadioButton* CCommandPageFixture::Radio(int nId) const {
    return static_cast<QRadioButton*>(Page().GetDlgItem(nId));
}

QString CCommandPageFixture::ClaInsText() const {
    return Page().ClaInsCombo()->currentText();
}

QStringList CCommandPageFixture::RecentEntries() const {
    QStringList entries;
    for (int i = 0; i < Page().RecentList()->count(); ++i)
        entries << Page().RecentList()->item(i)->text();
    return entries;
}

int CCommandPageFixture::TraceCount() const {
    return m_pMainDlg->TracePage().List()->Model()->Count();
}

void CCommandPageFixture::Type(int nId, const QString& strText) {
    CHexEdit* pEdit = Edit(nId);
    pEdit->setFocus();
    pEdit->selectAll();
    QTest::keyClick(pEdit, Qt::Key_Delete);
    QTest::keyClicks(pEdit, strText);
}

QStringList CCommandPageFixture::TraceLines(int nFrom) const {
    CColorLineModel* pModel = m_pMainDlg->TracePage().List()->Model();
    QStringList lines;
    for (int i = nFrom; i < pModel->Count(); ++i) lines << QString::fromLatin1(pModel->LineText(i));
    return lines;
}
