#include "CardReader.h"
#include "Profile.h"
#include "ResourceIds.h"
#include "SettingsPage.h"
#include "ShellFixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

using SettingsPage = CShellFixture;

TEST_F(SettingsPage, ApplyDisablesItselfSetsTitleAndStoresAtOnce) {
    CProfile::WriteString("Settings", "AppName", "Lab");
    CMainDlg& dlg = StartMainWindow();
    CSettingsPage& page = dlg.SettingsPage();
    auto* pApply = static_cast<QPushButton*>(page.GetDlgItem(IDC_APPLY));
    auto* pName = static_cast<QLineEdit*>(page.GetDlgItem(IDC_APP_NAME));
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

TEST_F(SettingsPage, EmptyNameGivesEmptyTitleAndStoresEmpty) {
    CMainDlg& dlg = StartMainWindow();
    CSettingsPage& page = dlg.SettingsPage();
    static_cast<QLineEdit*>(page.GetDlgItem(IDC_APP_NAME))->clear();
    QTest::mouseClick(static_cast<QPushButton*>(page.GetDlgItem(IDC_APPLY)), Qt::LeftButton);
    EXPECT_EQ(dlg.windowTitle(), "");
    EXPECT_TRUE(CProfile::Contains("Settings", "AppName"));
    EXPECT_EQ(CProfile::GetString("Settings", "AppName", "absent"), "");
}

TEST_F(SettingsPage, ProgramSelectionIsNoChangeButAUsersIs) {
    CProfile::WriteString("Settings", "AppName", "");
    CMainDlg& dlg = StartMainWindow();
    CSettingsPage& page = dlg.SettingsPage();
    QComboBox* pReaders = page.ReaderCombo();
    pReaders->setCurrentIndex(0);
    EXPECT_FALSE(page.IsModified());
    emit pReaders->activated(0);
    EXPECT_TRUE(page.IsModified());
}

TEST_F(SettingsPage, ReaderEntriesStandInCaseInsensitiveOrder) {
    CSettingsPage page;
    page.Create();
    QComboBox* pCombo = page.ReaderCombo();
    for (const char* name : {"beta", "Alpha", "gamma", "ALPHA 2", "Delta"})
        CSettingsPage::AddSorted(pCombo, name);
    QStringList items;
    for (int i = 0; i < pCombo->count(); ++i) items << pCombo->itemText(i);
    EXPECT_EQ(items, QStringList({"Alpha", "ALPHA 2", "beta", "Delta", "gamma"}));
    ASSERT_EQ(page.LanguageCombo()->count(), 1);
    EXPECT_EQ(page.LanguageCombo()->itemText(0), "English");
}

}  // namespace
