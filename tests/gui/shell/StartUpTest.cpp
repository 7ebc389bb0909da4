#include "CardReader.h"
#include "Profile.h"
#include "ResourceIds.h"
#include "ShellFixture.h"

#include <QAction>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>

namespace {

using StartUp = CShellFixture;

const char* const kPlacementKeys[] = {"FrameStatus", "FrameTop", "FrameLeft", "FrameBottom",
                                      "FrameRight"};

void StorePlacement(const std::vector<int>& values) {
    for (std::size_t i = 0; i < values.size(); ++i)
        CProfile::WriteInt("Settings", kPlacementKeys[i], values[i]);
}

std::vector<int> StoredPlacement() {
    std::vector<int> values;
    for (const char* pszKey : kPlacementKeys)
        values.push_back(CProfile::GetInt("Settings", pszKey, -1));
    return values;
}

TEST_F(StartUp, EmptyProfileOpensSettingsPageWithDefaults) {
    CMainDlg& dlg = StartMainWindow();
    EXPECT_EQ(dlg.windowTitle(), "Corvanta Professional");
    EXPECT_EQ(dlg.NavigationColumnWidth(), 82);
    ExpectPage(dlg, 0, "Settings");
    // Without a service there is no reader: the placeholder is listed, chosen and applied.
    EXPECT_EQ(Items(dlg.SettingsPage().ReaderCombo()), QStringList{"No readers available"});
    EXPECT_EQ(g_pCardReader->GetReaderName(), "No readers available");
    EXPECT_EQ(Items(dlg.SettingsPage().LanguageCombo()), QStringList{"English"});
    ExpectConnection(dlg, false, "No connection !");
    EXPECT_TRUE(dlg.Action(ID_VIEW_SETTINGS)->isChecked());  // set by that idle pass
    // Filling the name edit with the default title counts as a change.
    EXPECT_TRUE(dlg.SettingsPage().GetDlgItem(IDC_APPLY)->isEnabled());
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
    StorePlacement({1, 40, 30, 640, 930});
    CMainDlg& dlg = StartMainWindow();
    EXPECT_EQ(dlg.windowTitle(), "Bench 7");
    EXPECT_EQ(dlg.NavigationColumnWidth(), 100);
    EXPECT_EQ(dlg.geometry(), QRect(QPoint(30, 40), QPoint(929, 639)));
    DestroyMainWindow();

    // Off screen: pulled back so that an icon's worth shows; the size stays.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    StorePlacement({1, 5000, 5000, 5620, 5900});
    EXPECT_EQ(StartMainWindow().geometry(),
              QRect(screen.right() + 1 - 32, screen.bottom() + 1 - 32, 900, 620));
}

TEST_F(StartUp, IncompletePlacementOrSavePositionZeroIsNotRestored) {
    StorePlacement({1, 40, 30, -1, 760});
    EXPECT_NE(StartMainWindow().geometry().topLeft(), QPoint(30, 40));
    DestroyMainWindow();
    StorePlacement({1, 40, 30, 640, 760});
    CProfile::WriteInt("Settings", "SavePosition", 0);
    CMainDlg& dlg = StartMainWindow();
    EXPECT_NE(dlg.geometry().topLeft(), QPoint(30, 40));
    dlg.SetNavigationColumnWidth(91);
    dlg.close();
    DestroyMainWindow();
    // Neither saved at close, but the column width is.
    EXPECT_EQ(StoredPlacement(), std::vector<int>({1, 40, 30, 640, 760}));
    EXPECT_EQ(CProfile::GetInt("Settings", "OutlookBarWidth", 0), 91);
}

TEST_F(StartUp, CloseRequestSavesPlacementAndSettingsExitSavesSettingsOnly) {
    CMainDlg& dlg = StartMainWindow();
    dlg.setGeometry(50, 60, dlg.width() + 20, dlg.height() + 10);
    const QRect placed = dlg.geometry();
    dlg.close();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    DestroyMainWindow();
    EXPECT_EQ(StoredPlacement(), std::vector<int>({1, placed.top(), placed.left(),
                                                   placed.bottom() + 1, placed.right() + 1}));

    // The next start puts the window back where it was; Exit stores the page's values
    // and the column width, not the placement.
    CMainDlg& again = StartMainWindow();
    EXPECT_EQ(again.geometry().topLeft(), QPoint(50, 60));
    again.setGeometry(70, 80, again.width(), again.height());
    again.SetNavigationColumnWidth(120);
    static_cast<QLineEdit*>(again.SettingsPage().GetDlgItem(IDC_APP_NAME))->setText("Renamed");
    again.Action(ID_APP_EXIT)->trigger();
    EXPECT_FALSE(again.isVisible());
    EXPECT_EQ(again.windowTitle(), "Corvanta Professional");  // the title follows at next start
    DestroyMainWindow();
    EXPECT_EQ(CProfile::GetInt("Settings", "FrameLeft", -1), 50);
    EXPECT_EQ(CProfile::GetInt("Settings", "OutlookBarWidth", -1), 120);
    EXPECT_EQ(CProfile::GetString("Settings", "AppName", ""), "Renamed");
    EXPECT_EQ(CProfile::GetString("Settings", "Reader", ""), "No readers available");
    EXPECT_EQ(StartMainWindow().windowTitle(), "Renamed");
}

}  // namespace
