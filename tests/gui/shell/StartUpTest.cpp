#include "CardReader.h"
#include "InfoBar.h"
#include "Profile.h"
#include "ResourceIds.h"
#include "ShellFixture.h"

#include <QAction>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

namespace {

using StartUp = CShellFixture;

void StorePlacement(int status, int top, int left, int bottom, int right) {
    CProfile::WriteInt("Settings", "FrameStatus", status);
    CProfile::WriteInt("Settings", "FrameTop", top);
    CProfile::WriteInt("Settings", "FrameLeft", left);
    CProfile::WriteInt("Settings", "FrameBottom", bottom);
    CProfile::WriteInt("Settings", "FrameRight", right);
}

TEST_F(StartUp, EmptyProfileOpensSettingsPageWithDefaults) {
    CMainDlg& dlg = StartMainWindow();

    EXPECT_EQ(dlg.windowTitle(), "Corvanta Professional");
    EXPECT_EQ(dlg.NavigationColumnWidth(), 82);
    EXPECT_FALSE(dlg.Page(0).isHidden());
    for (int page = 1; page < CMainDlg::kPageCount; ++page) EXPECT_TRUE(dlg.Page(page).isHidden()) << page;
    EXPECT_EQ(dlg.NavigationList()->currentRow(), 0);
    EXPECT_EQ(dlg.InfoBar()->Caption(), "Settings");
    const QStringList names = {"Settings", "Command", "File", "Script", "Trace"};
    for (int row = 0; row < CMainDlg::kPageCount; ++row)
        EXPECT_EQ(dlg.NavigationList()->item(row)->text(), names[row]);

    // Without a service there is no reader: the placeholder is listed, chosen and applied.
    QComboBox* pReaders = dlg.SettingsPage().ReaderCombo();
    ASSERT_EQ(pReaders->count(), 1);
    EXPECT_EQ(pReaders->currentText(), "No readers available");
    EXPECT_EQ(g_pCardReader->GetReaderName(), "No readers available");
    EXPECT_EQ(dlg.SettingsPage().LanguageCombo()->currentText(), "English");

    // The start-up state of the connection display.
    EXPECT_EQ(dlg.PaneText(), "No connection !");
    EXPECT_TRUE(dlg.IsRedLightOn());
    EXPECT_FALSE(dlg.IsGreenLightOn());
    dlg.OnIdleUpdate();
    EXPECT_TRUE(dlg.Action(ID_CARD_CONNECT)->isEnabled());
    EXPECT_FALSE(dlg.Action(ID_CARD_DISCONNECT)->isEnabled());
    EXPECT_FALSE(dlg.Action(ID_CARD_RECONNECT)->isEnabled());
    EXPECT_TRUE(dlg.Action(ID_VIEW_SETTINGS)->isChecked());

    // Filling the name edit with the default title counts as a change.
    EXPECT_TRUE(dlg.SettingsPage().IsModified());
    EXPECT_TRUE(dlg.SettingsPage().GetDlgItem(IDC_APPLY)->isEnabled());
}

TEST_F(StartUp, EmptyProfileKeepsTheCentredTemplateSizeEnlargedByTheBars) {
    CMainDlg& dlg = StartMainWindow();
    const QRect client = dlg.MapDialogRect(QRect(0, 0, 467, 285));
    const int bars = dlg.MenuBar()->height() + dlg.ToolBar()->height() + dlg.StatusBar()->height();
    EXPECT_EQ(dlg.CapturedClientSize(), QSize(client.width(), client.height() + bars));
    // Everything of the template sits below the menu and the toolbar.
    EXPECT_EQ(dlg.GetDlgItem(IDC_NAVIGATION_LIST)->y(),
              dlg.ToolBar()->geometry().bottom() + 1 + dlg.MapDialogRect(QRect(2, 4, 66, 280)).y());
    EXPECT_EQ(dlg.StatusBar()->geometry().bottom(), dlg.height() - 1);
    EXPECT_EQ(dlg.MenuBar()->geometry().top(), 0);
    // Centred, or pushed against the left edge of a screen narrower than the window.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    if (dlg.frameGeometry().width() <= screen.width())
        EXPECT_NEAR(dlg.frameGeometry().center().x(), screen.center().x(), 2);
    else
        EXPECT_EQ(dlg.frameGeometry().left(), screen.left());
}

TEST_F(StartUp, StoredProfileGivesTitlePlacementAndColumnWidth) {
    CProfile::WriteString("Settings", "AppName", "Bench 7");
    CProfile::WriteInt("Settings", "OutlookBarWidth", 0x10064);  // only the low 16 bits count
    StorePlacement(1, 40, 30, 640, 930);
    CMainDlg& dlg = StartMainWindow();

    EXPECT_EQ(dlg.windowTitle(), "Bench 7");
    EXPECT_EQ(dlg.NavigationColumnWidth(), 100);
    EXPECT_EQ(dlg.geometry(), QRect(QPoint(30, 40), QPoint(929, 639)));
}

TEST_F(StartUp, EmptyStoredNameGivesEmptyTitleAndNoApply) {
    CProfile::WriteString("Settings", "AppName", "");
    CMainDlg& dlg = StartMainWindow();
    EXPECT_EQ(dlg.windowTitle(), "");
    EXPECT_FALSE(dlg.SettingsPage().IsModified());
    EXPECT_FALSE(dlg.SettingsPage().GetDlgItem(IDC_APPLY)->isEnabled());
}

TEST_F(StartUp, PlacementOffScreenIsPulledBackByAnIcon) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    StorePlacement(1, 5000, 5000, 5620, 5900);
    CMainDlg& dlg = StartMainWindow();
    EXPECT_EQ(dlg.geometry().topLeft(), QPoint(screen.width() - 32, screen.height() - 32));
    // Right and bottom are used as stored: the size is theirs.
    EXPECT_EQ(dlg.size(), QSize(900, 620));
}

TEST_F(StartUp, IncompletePlacementOrSavePositionZeroIsNotRestored) {
    StorePlacement(1, 40, 30, 640, 760);
    CProfile::WriteInt("Settings", "FrameBottom", -1);
    {
        CMainDlg& dlg = StartMainWindow();
        EXPECT_NE(dlg.geometry().topLeft(), QPoint(30, 40));
        DestroyMainWindow();
    }
    StorePlacement(1, 40, 30, 640, 760);
    CProfile::WriteInt("Settings", "SavePosition", 0);
    CMainDlg& dlg = StartMainWindow();
    EXPECT_NE(dlg.geometry().topLeft(), QPoint(30, 40));
    dlg.SetNavigationColumnWidth(91);
    dlg.close();
    DestroyMainWindow();
    // Neither saved at close, but the column width is.
    EXPECT_EQ(CProfile::GetInt("Settings", "FrameLeft", 0), 30);
    EXPECT_EQ(CProfile::GetInt("Settings", "FrameBottom", 0), 640);
    EXPECT_EQ(CProfile::GetInt("Settings", "OutlookBarWidth", 0), 91);
}

TEST_F(StartUp, CloseRequestSavesPlacementExitDoesNot) {
    {
        CMainDlg& dlg = StartMainWindow();
        dlg.setGeometry(50, 60, dlg.width() + 20, dlg.height() + 10);
        const QRect placed = dlg.geometry();
        dlg.close();
        EXPECT_FALSE(dlg.isVisible());
        EXPECT_EQ(dlg.result(), QDialog::Rejected);
        DestroyMainWindow();
        EXPECT_EQ(CProfile::GetInt("Settings", "FrameStatus", -1), 1);
        EXPECT_EQ(CProfile::GetInt("Settings", "FrameLeft", -1), placed.left());
        EXPECT_EQ(CProfile::GetInt("Settings", "FrameTop", -1), placed.top());
        EXPECT_EQ(CProfile::GetInt("Settings", "FrameRight", -1), placed.left() + placed.width());
        EXPECT_EQ(CProfile::GetInt("Settings", "FrameBottom", -1), placed.top() + placed.height());
        EXPECT_EQ(CProfile::GetInt("Settings", "OutlookBarWidth", -1), 82);
    }
    // The next start puts the window back where it was.
    CMainDlg& again = StartMainWindow();
    EXPECT_EQ(again.geometry().topLeft(), QPoint(50, 60));
    again.setGeometry(70, 80, again.width(), again.height());
    again.SetNavigationColumnWidth(120);
    again.Action(ID_APP_EXIT)->trigger();
    EXPECT_FALSE(again.isVisible());
    DestroyMainWindow();
    EXPECT_EQ(CProfile::GetInt("Settings", "FrameLeft", -1), 50);
    EXPECT_EQ(CProfile::GetInt("Settings", "OutlookBarWidth", -1), 120);
}

TEST_F(StartUp, SettingsPageStoresItsValuesWhenTheWindowGoes) {
    CMainDlg& dlg = StartMainWindow();
    auto* pName = static_cast<QLineEdit*>(dlg.SettingsPage().GetDlgItem(IDC_APP_NAME));
    pName->setText("Renamed");
    dlg.Action(ID_APP_EXIT)->trigger();
    // The title changes only at the next start.
    EXPECT_EQ(dlg.windowTitle(), "Corvanta Professional");
    DestroyMainWindow();
    EXPECT_EQ(CProfile::GetString("Settings", "AppName", ""), "Renamed");
    EXPECT_EQ(CProfile::GetString("Settings", "Language", ""), "English");
    EXPECT_EQ(CProfile::GetString("Settings", "Reader", ""), "No readers available");
    EXPECT_EQ(StartMainWindow().windowTitle(), "Renamed");
}

}  // namespace
