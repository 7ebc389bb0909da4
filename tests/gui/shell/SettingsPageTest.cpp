#include "CardReader.h"
#include "Profile.h"
#include "ResourceIds.h"
#include "SettingsPage.h"
#include "ShellFixture.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

using SettingsPage = CShellFixture;

QPushButton* ApplyButton(CMainDlg& dlg) {
    return static_cast<QPushButton*>(dlg.SettingsPage().GetDlgItem(IDC_APPLY));
}

// A profile that cannot be written (here a folder stands where its file belongs) keeps the
// settings for this run and says so at Apply.
TEST_F(SettingsPage, ApplyThatCannotWriteTheProfileWarns) {
    CMainDlg& dlg = StartMainWindow();
    QFile::remove(CProfile::FileName());
    ASSERT_TRUE(QDir().mkpath(CProfile::FileName()));
    auto* pName = static_cast<QLineEdit*>(dlg.SettingsPage().GetDlgItem(IDC_APP_NAME));
    pName->setText("Lab 3");
    QTest::mouseClick(ApplyButton(dlg), Qt::LeftButton);
    ASSERT_EQ(m_dialogs.m_messages.size(), 1u);
    EXPECT_EQ(m_dialogs.m_messages[0].strText,
              "Could not save the settings in " + CProfile::FileName());
    EXPECT_EQ(m_dialogs.m_messages[0].icon, QMessageBox::Warning);
    EXPECT_EQ(dlg.windowTitle(), "Lab 3");
    QDir(CProfile::FileName()).removeRecursively();
}

TEST_F(SettingsPage, ApplyDisablesItselfSetsTitleAndStoresAtOnce) {
    CProfile::WriteString("Settings", "AppName", "Lab");
    CMainDlg& dlg = StartMainWindow();
    QPushButton* pApply = ApplyButton(dlg);
    auto* pName = static_cast<QLineEdit*>(dlg.SettingsPage().GetDlgItem(IDC_APP_NAME));
    EXPECT_EQ(pApply->toolTip(), "Apply new settings");
    ASSERT_TRUE(pApply->isEnabled());

    pName->setText("Lab 2");
    QTest::mouseClick(pApply, Qt::LeftButton);
    EXPECT_FALSE(pApply->isEnabled());
    EXPECT_EQ(dlg.windowTitle(), "Lab 2");
    EXPECT_EQ(CProfile::GetString("Settings", "AppName", ""), "Lab 2");
    EXPECT_EQ(CProfile::GetString("Settings", "Language", ""), "English");
    EXPECT_EQ(CProfile::GetString("Settings", "Reader", ""), "No readers available");

    // One typed character enables it again.
    pName->setFocus();
    QTest::keyClick(pName, Qt::Key_X);
    EXPECT_TRUE(pApply->isEnabled());
    EXPECT_EQ(dlg.windowTitle(), "Lab 2");
}

TEST_F(SettingsPage, EmptyNameIsStoredAndGivesAnEmptyTitleWithNothingToApply) {
    CMainDlg& dlg = StartMainWindow();
    static_cast<QLineEdit*>(dlg.SettingsPage().GetDlgItem(IDC_APP_NAME))->clear();
    QTest::mouseClick(ApplyButton(dlg), Qt::LeftButton);
    EXPECT_EQ(dlg.windowTitle(), "");
    EXPECT_EQ(CProfile::GetString("Settings", "AppName", "absent"), "");
    DestroyMainWindow();

    CMainDlg& again = StartMainWindow();
    EXPECT_EQ(again.windowTitle(), "");
    EXPECT_FALSE(again.SettingsPage().IsModified());
    EXPECT_FALSE(ApplyButton(again)->isEnabled());
    // A selection by the program is no change, but the user's is.
    QComboBox* pReaders = again.SettingsPage().ReaderCombo();
    pReaders->setCurrentIndex(0);
    EXPECT_FALSE(again.SettingsPage().IsModified());
    emit pReaders->activated(0);
    EXPECT_TRUE(again.SettingsPage().IsModified());
}

}  // namespace
