// SPDX-License-Identifier: GPL-3.0-or-later
#include "CardReader.h"
#include "ColorLineModel.h"
#include "ColorListBox.h"
#include "InfoBar.h"
#include "Profile.h"
#include "ResourceIds.h"
#include "ShellFixture.h"
#include "TempDir.h"

#include <QAction>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTest>

namespace {

using MainWindow = CShellFixture;

const QRgb kWhite = qRgb(255, 255, 255), kBlack = qRgb(0, 0, 0);
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

QLineEdit* NameEdit(CMainDlg& dlg) {
    return static_cast<QLineEdit*>(dlg.SettingsPage().GetDlgItem(IDC_APP_NAME));
}

QPushButton* ApplyButton(CMainDlg& dlg) {
    return static_cast<QPushButton*>(dlg.SettingsPage().GetDlgItem(IDC_APPLY));
}

TEST_F(MainWindow, EmptyProfileStartsOnTheSettingsPageWhoseApplyStoresAtOnce) {
    CMainDlg& dlg = StartMainWindow();
    EXPECT_EQ(dlg.windowTitle(), "Corvanta Professional");
    ExpectPage(dlg, 0, "Settings");
    // Without a service there is no reader: the placeholder is chosen and applied.
    EXPECT_EQ(g_pCardReader->GetReaderName(), "No readers available");
    ExpectConnection(dlg, false, "No connection !");
    // Filling the name edit with the default title counts as a change.
    EXPECT_TRUE(ApplyButton(dlg)->isEnabled());
    NameEdit(dlg)->clear();
    QTest::mouseClick(ApplyButton(dlg), Qt::LeftButton);
    EXPECT_FALSE(ApplyButton(dlg)->isEnabled());
    EXPECT_EQ(CProfile::GetString("Settings", "AppName", "absent"), "");
    EXPECT_EQ(CProfile::GetString("Settings", "Language", ""), "English");
    DestroyMainWindow();

    // An empty name is a name. A selection by the program is no change, the user's is.
    CMainDlg& again = StartMainWindow();
    EXPECT_EQ(again.windowTitle(), "");
    EXPECT_FALSE(ApplyButton(again)->isEnabled());
    QComboBox* pReaders = again.SettingsPage().ReaderCombo();
    pReaders->setCurrentIndex(0);
    EXPECT_FALSE(ApplyButton(again)->isEnabled());
    emit pReaders->activated(0);
    EXPECT_TRUE(ApplyButton(again)->isEnabled());

    // A profile that cannot be written (a folder stands where its file belongs) keeps the
    // settings for this run and says so.
    QFile::remove(CProfile::FileName());
    ASSERT_TRUE(QDir().mkpath(CProfile::FileName()));
    NameEdit(again)->setText("Lab 3");
    QTest::mouseClick(ApplyButton(again), Qt::LeftButton);
    ASSERT_EQ(m_dialogs.m_messages.size(), 1u);
    EXPECT_EQ(m_dialogs.m_messages[0].strText,
              "Could not save the settings in " + CProfile::FileName());
    EXPECT_EQ(m_dialogs.m_messages[0].icon, QMessageBox::Warning);
    EXPECT_EQ(again.windowTitle(), "Lab 3");
    QDir(CProfile::FileName()).removeRecursively();
}

TEST_F(MainWindow, PlacementIsRestoredWhenCompleteAndSavedByCloseUnlessSavePositionIsZero) {
    CProfile::WriteString("Settings", "AppName", "Bench 7");
    CProfile::WriteInt("Settings", "OutlookBarWidth", 0x10064);  // only the low 16 bits count
    // A value beyond 32 bits cannot be read: the placement is incomplete.
    StorePlacement({1, 40, 30, 640, 930});
    CProfile::WriteString("Settings", "FrameBottom", "99999999999");
    CMainDlg& dlg = StartMainWindow();
    EXPECT_EQ(dlg.windowTitle(), "Bench 7");
    EXPECT_EQ(dlg.NavigationColumnWidth(), 100);
    EXPECT_NE(dlg.geometry().topLeft(), QPoint(30, 40));
    dlg.setGeometry(50, 60, dlg.width() + 20, dlg.height() + 10);
    const QRect placed = dlg.geometry();
    dlg.close();
    DestroyMainWindow();
    const std::vector<int> saved{1, placed.top(), placed.left(), placed.bottom() + 1,
                                 placed.right() + 1};
    EXPECT_EQ(StoredPlacement(), saved);

    // Exit keeps the page's values and the column width, not the placement.
    CMainDlg& again = StartMainWindow();
    EXPECT_EQ(again.geometry(), placed);
    again.move(70, 80);
    again.SetNavigationColumnWidth(120);
    NameEdit(again)->setText("Renamed");
    again.Action(ID_APP_EXIT)->trigger();
    EXPECT_FALSE(again.isVisible());
    DestroyMainWindow();
    EXPECT_EQ(StoredPlacement(), saved);
    EXPECT_EQ(CProfile::GetInt("Settings", "OutlookBarWidth", -1), 120);
    EXPECT_EQ(CProfile::GetString("Settings", "Reader", ""), "No readers available");

    // SavePosition 0: the placement is neither restored nor saved.
    CProfile::WriteInt("Settings", "SavePosition", 0);
    CMainDlg& third = StartMainWindow();
    EXPECT_EQ(third.windowTitle(), "Renamed");
    EXPECT_NE(third.geometry().topLeft(), QPoint(50, 60));
    third.close();
    DestroyMainWindow();
    EXPECT_EQ(StoredPlacement(), saved);

    // Off screen: pulled back so that an icon's worth shows; the size stays.
    CProfile::WriteInt("Settings", "SavePosition", 1);
    StorePlacement({1, 5000, 5000, 5620, 5900});
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(StartMainWindow().geometry(),
              QRect(screen.right() + 1 - 32, screen.bottom() + 1 - 32, 900, 620));
}

TEST_F(MainWindow, ViewMenuListAndCaptionBarShowPagesAndMenusPromptOnlyInMenuMode) {
    CMainDlg& dlg = StartMainWindow();
    // A toolbar button reports its hover through the action it shares with the Card menu.
    EXPECT_EQ(dlg.Action(ID_CARD_CONNECT)->toolTip(), "Establish a connection with the card");
    dlg.Action(ID_CARD_CONNECT)->hover();
    EXPECT_EQ(dlg.PaneText(), "No connection !");

    dlg.Action(ID_VIEW_FILE)->trigger();
    ExpectPage(dlg, 2, "File");
    // A click on an item shows its page; one below the last item keeps it.
    QListWidget* pList = dlg.NavigationList();
    QTest::mouseClick(pList->viewport(), Qt::LeftButton, {},
                      pList->visualItemRect(pList->item(3)).center());
    ExpectPage(dlg, 3, "Script");
    const QPoint below(pList->viewport()->width() / 2, pList->viewport()->height() - 3);
    ASSERT_EQ(pList->itemAt(below), nullptr);
    QTest::mouseClick(pList->viewport(), Qt::LeftButton, {}, below);
    EXPECT_FALSE(dlg.Page(3).isHidden());

    // The caption bar's drop-down opens under the bar and prompts in the status line.
    CInfoBar* pBar = dlg.InfoBar();
    QString prompt;
    m_dialogs.m_chooseMenuItem = [&](QMenu& menu) {
        FindAction(menu, "Trace")->hover();
        prompt = dlg.PaneText();
        return FindAction(menu, "Trace");
    };
    QTest::mouseMove(pBar, pBar->HotRect().center());
    QTest::mouseClick(pBar, Qt::LeftButton, {}, pBar->HotRect().center());
    EXPECT_EQ(m_dialogs.m_menuPositions.at(0), pBar->mapToGlobal(QPoint(0, pBar->height())));
    EXPECT_EQ(prompt, "View all trace information");
    ExpectPage(dlg, 4, "Trace");

    // A menu's prompt shows while it is open; closing it brings back the remembered text.
    QMenu* pCard = dlg.MenuBar()->actions().at(0)->menu();
    pCard->popup(dlg.mapToGlobal(QPoint(10, 30)));
    dlg.Action(ID_CARD_CONNECT)->hover();
    RunUntilIdle();  // the prompt stays while the menu is open, however idle the loop gets
    EXPECT_EQ(dlg.PaneText(), "Establish a connection with the card");
    dlg.MenuBar()->actions().at(1)->hover();  // another title while a menu is open
    EXPECT_EQ(dlg.PaneText(), "Press ESC key to exit menu mode");
    pCard->hide();
    EXPECT_EQ(dlg.PaneText(), "No connection !");
    // Outside menu mode the mouse passing over a title shows nothing.
    dlg.MenuBar()->actions().at(0)->hover();
    EXPECT_EQ(dlg.PaneText(), "No connection !");

    // A transient text gives way to the remembered one when the loop becomes idle.
    dlg.SetStatusText("passing by", 0);
    dlg.Action(ID_VIEW_FILE)->trigger();
    RunUntilIdle();
    EXPECT_EQ(dlg.PaneText(), "No connection !");
    EXPECT_TRUE(dlg.Action(ID_VIEW_FILE)->isChecked());  // the same pass set the bullet
}

// The frame of the caption bar's hot area, read back from its pixels.
TEST_F(MainWindow, CaptionBarRaisesOnHoverSinksOnPressAndItsTimerSeesTheMouseLeave) {
    CInfoBar* pBar = StartMainWindow().InfoBar();
    const QRect hot = pBar->HotRect();
    const QRgb shadow = pBar->palette().color(QPalette::Dark).rgb();
    const auto pixel = [pBar](const QPoint& point) { return pBar->grab().toImage().pixel(point); };
    const auto corners = [&] { return std::pair(pixel(hot.topLeft()), pixel(hot.bottomRight())); };
    const auto hover = [pBar](const QPoint& point) {
        QCursor::setPos(pBar->mapToGlobal(point));
        QTest::mouseMove(pBar, point);
    };
    hover(hot.center());
    EXPECT_EQ(corners(), std::pair(kWhite, kBlack));
    // Over a page below, the moves go to the page, never to the bar: only the timer notices.
    QCursor::setPos(pBar->mapToGlobal(QPoint(10, 200)));
    EXPECT_TRUE(QTest::qWaitFor([&] { return pixel(hot.topLeft()) == shadow; }));
    EXPECT_TRUE(QTest::qWaitFor([pBar] { return !pBar->IsHoverTimerActive(); }));

    hover(hot.center());
    QTest::mousePress(pBar, Qt::LeftButton, {}, hot.center());
    EXPECT_EQ(corners(), std::pair(kBlack, kWhite));
}

// Which file help opens is the help lookup's; here F1 reaches it from inside a page. The
// resize rules are the resizable dialog's; here the window carries its pages along.
TEST_F(MainWindow, CommandsLayoutAndKeysReachTheirTargetsAndKeysEndNothing) {
    CMainDlg& dlg = StartMainWindow();
    dlg.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    NameEdit(dlg)->setFocus();
    QTest::keyClick(NameEdit(dlg), Qt::Key_F1, Qt::ShiftModifier);
    EXPECT_TRUE(m_dialogs.m_openedDocuments.isEmpty());
    QTest::keyClick(NameEdit(dlg), Qt::Key_F1);
    EXPECT_EQ(m_dialogs.m_openedDocuments,
              QStringList(QCoreApplication::applicationDirPath() + "/manual/index.html"));

    const QSize least = dlg.CapturedClientSize();
    dlg.resize(least.width() - 100, least.height() - 40);
    EXPECT_EQ(dlg.size(), least);
    const QRect host = dlg.GetDlgItem(IDC_PAGE_HOST)->geometry();
    const QRect apply = ApplyButton(dlg)->geometry();
    dlg.resize(least.width() + 120, least.height() + 70);
    EXPECT_EQ(dlg.Page(4).geometry(), host.adjusted(0, 0, 120, 70));
    EXPECT_EQ(ApplyButton(dlg)->geometry(), apply.translated(120, 70));

    dlg.Action(ID_APP_ABOUT)->trigger();
    dlg.Action(ID_CARD_CONNECT)->trigger();
    ASSERT_EQ(m_dialogs.m_modals.size(), 2u);
    EXPECT_EQ(m_dialogs.m_modals[0].strTitle, "About Corvanta Pro");
    EXPECT_EQ(m_dialogs.m_modals[1].strTitle, "Card error");
    EXPECT_TRUE(m_dialogs.m_modals[1].bWaitCursor);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    ExpectConnection(dlg, false, "Error connecting to the card !");

    for (int page = 0; page < CMainDlg::kPageCount; ++page) {
        dlg.ShowPage(page);
        for (QWidget* pTarget :
             {static_cast<QWidget*>(&dlg.Page(page)), static_cast<QWidget*>(&dlg)})
            for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter})
                QTest::keyClick(pTarget, key);
        EXPECT_TRUE(dlg.Page(page).isVisible()) << page;
    }
    EXPECT_TRUE(dlg.isVisible());
}

// What a saved trace holds and how a failed save keeps the old file are the line store's;
// here the trace's menu, the file dialog and the message box.
TEST_F(MainWindow, TraceMenuSavesAsALogFileReportsAFailedSaveAndClears) {
    CMainDlg& dlg = StartMainWindow();
    dlg.AppendRecord("A0A40000023F00", "9F16");
    CTracePage& page = dlg.TracePage();
    QString prompt;
    const auto choose = [&](const QString& strText) {
        m_dialogs.m_chooseMenuItem = [&, strText](QMenu& menu) {
            FindAction(menu, strText)->hover();
            prompt = dlg.PaneText();
            return FindAction(menu, strText);
        };
        page.OnContextMenu(QPoint(20, 20));
    };
    CTempDir dir;
    const QString saved = QString::fromStdString(dir.File("trace.log"));
    const QString gone = QString::fromStdString(dir.File("gone/trace.log"));
    m_dialogs.m_saveAnswers = {saved, "", gone};
    choose("&Save As...");
    ASSERT_EQ(m_dialogs.m_saveRequests.size(), 1u);
    EXPECT_EQ(m_dialogs.m_saveRequests[0].options.strDefaultSuffix, "log");
    EXPECT_TRUE(m_dialogs.m_saveRequests[0].options.bConfirmOverwrite);
    EXPECT_TRUE(QFile::exists(saved));
    EXPECT_EQ(prompt, "Save the current trace as log file on my PC");
    EXPECT_EQ(dlg.PaneText(), "");  // the closed menu's prompt is gone until the next idle pass
    choose("&Save As...");          // cancelled
    EXPECT_TRUE(m_dialogs.m_messages.empty());
    choose("&Save As...");  // into a folder that does not exist
    ASSERT_EQ(m_dialogs.m_messages.size(), 1u);
    EXPECT_EQ(m_dialogs.m_messages[0].strText, "Could not open " + gone);
    choose("&Clear");
    EXPECT_EQ(page.List()->Model()->Count(), 0);

    // A right click on the list opens the menu where it was clicked.
    dlg.ShowPage(4);
    QWidget* pViewport = page.List()->viewport();
    const QPoint global = pViewport->mapToGlobal(QPoint(30, 40));
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(30, 40), global);
    QCoreApplication::sendEvent(pViewport, &event);
    EXPECT_EQ(m_dialogs.m_menuPositions.back(), global);
}

}  // namespace
