#include "FilePageFixture.h"

#include "CardReader.h"
#include "ColorLineModel.h"
#include "ColorListBox.h"
#include "HexEdit.h"
#include "PathCombo.h"

#include <QLabel>
#include <QTest>

void CFilePageFixture::SetUp() {
    std::string error;
    ASSERT_TRUE(m_pcscd.Start(&error)) << error;
    CShellFixture::SetUp();
    const QString strDir = QString::fromStdString(m_iniDir.Path());
    m_pIniLocation = std::make_unique<CCommandIniLocation>(strDir, strDir);
    CCommandPage::SetIniLocation(m_pIniLocation.get());
}

void CFilePageFixture::TearDown() {
    CShellFixture::TearDown();
    CCommandPage::SetIniLocation(nullptr);
}

CFilePage& CFilePageFixture::StartOnFilePage(bool bConnect) {
    CMainDlg& dlg = StartMainWindow();
    dlg.ShowPage(2);
    dlg.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&dlg));
    if (bConnect) {
        dlg.OnCardConnect();
        EXPECT_TRUE(g_pCardReader->IsConnected());
    }
    return Page();
}

CFilePage& CFilePageFixture::Page() const {
    return static_cast<CFilePage&>(m_pMainDlg->Page(2));
}

CHexEdit* CFilePageFixture::Edit(int nId) const {
    return static_cast<CHexEdit*>(Page().GetDlgItem(nId));
}

QString CFilePageFixture::LabelText(int nId) const {
    return static_cast<QLabel*>(Page().GetDlgItem(nId))->text();
}

QString CFilePageFixture::PathText() const {
    return Page().PathCombo()->currentText();
}

QStringList CFilePageFixture::History() const {
    QStringList entries;
    for (int i = 0; i < Page().PathCombo()->count(); ++i)
        entries << Page().PathCombo()->itemText(i);
    return entries;
}

int CFilePageFixture::TraceCount() const {
    return m_pMainDlg->TracePage().List()->Model()->Count();
}

QStringList CFilePageFixture::TraceLines(int nFrom) const {
    CColorLineModel* pModel = m_pMainDlg->TracePage().List()->Model();
    QStringList lines;
    for (int i = nFrom; i < pModel->Count(); ++i) lines << QString::fromLatin1(pModel->LineText(i));
    return lines;
}

void CFilePageFixture::EnterPath(const QString& strPath) {
    QLineEdit* pEdit = Page().PathCombo()->lineEdit();
    pEdit->setFocus();
    pEdit->clear();
    QTest::keyClicks(pEdit, strPath);
    // Whatever the history completed is not part of the path typed; the user deletes it.
    if (pEdit->hasSelectedText()) QTest::keyClick(pEdit, Qt::Key_Delete);
    QTest::keyClick(pEdit, Qt::Key_Return);
}

void CFilePageFixture::Type(int nId, const QString& strText) {
    CHexEdit* pEdit = Edit(nId);
    pEdit->setFocus();
    pEdit->clear();
    QTest::keyClicks(pEdit, strText);
}

void CFilePageFixture::Click(int nId) {
    QTest::mouseClick(Page().GetDlgItem(nId), Qt::LeftButton);
}

std::string CFilePageFixture::Exchange(const std::string& strCommand) {
    std::string response;
    g_pCardReader->Exchange(strCommand, response);
    return response;
}
