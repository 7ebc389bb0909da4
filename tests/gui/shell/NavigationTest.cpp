#include "InfoBar.h"
#include "ResourceIds.h"
#include "ShellFixture.h"

#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>

namespace {

using Navigation = CShellFixture;

void ExpectRadioBullet(CMainDlg& dlg, int nCheckedId) {
    for (int nId : {ID_VIEW_SETTINGS, ID_VIEW_COMMAND, ID_VIEW_FILE, ID_VIEW_SCRIPT, ID_VIEW_TRACE})
        EXPECT_EQ(dlg.Action(nId)->isChecked(), nId == nCheckedId) << nId;
}

void ClickRow(QListWidget* pList, int row) {
    QTest::mouseClick(pList->viewport(), Qt::LeftButton, {},
                      pList->visualItemRect(pList->item(row)).center());
}

TEST_F(Navigation, ViewMenuShowsPageSelectsItemAndBulletFollowsAtIdle) {
    CMainDlg& dlg = StartMainWindow();
    dlg.Action(ID_VIEW_FILE)->trigger();
    ExpectPage(dlg, 2, "File");
    dlg.OnIdleUpdate();
    ExpectRadioBullet(dlg, ID_VIEW_FILE);
    dlg.Action(ID_VIEW_TRACE)->trigger();
    ExpectPage(dlg, 4, "Trace");
    // The bullet is not a toggle: choosing the shown page again keeps it.
    dlg.Action(ID_VIEW_TRACE)->trigger();
    dlg.OnIdleUpdate();
    ExpectRadioBullet(dlg, ID_VIEW_TRACE);
}

TEST_F(Navigation, ListClickShowsPageAndEmptySpaceKeepsIt) {
    CMainDlg& dlg = StartMainWindow();
    QListWidget* pList = dlg.NavigationList();
    ClickRow(pList, 3);
    ExpectPage(dlg, 3, "Script");
    // Below the last icon: the selection goes, the page stays.
    const QPoint below(pList->viewport()->width() / 2, pList->viewport()->height() - 3);
    ASSERT_EQ(pList->itemAt(below), nullptr);
    QTest::mouseClick(pList->viewport(), Qt::LeftButton, {}, below);
    for (int page = 0; page < CMainDlg::kPageCount; ++page)
        EXPECT_EQ(dlg.Page(page).isHidden(), page != 3) << page;
}

// The drop-down of the caption bar lists the pages under the bar, prompts for each in the
// status line and shows the chosen page as the View menu does.
TEST_F(Navigation, CaptionBarMenuShowsThePageAsTheViewMenuDoes) {
    CMainDlg& dlg = StartMainWindow();
    CInfoBar* pBar = dlg.InfoBar();
    const QPoint inside(pBar->HotRect().center());
    QStringList prompts;
    m_dialogs.m_chooseMenuItem = [&](QMenu& menu) -> QAction* {
        for (QAction* pAction : menu.actions()) {
            pAction->hover();
            prompts << dlg.PaneText();
        }
        return FindAction(menu, "File");
    };
    QTest::mouseMove(pBar, inside);
    QTest::mouseClick(pBar, Qt::LeftButton, {}, inside);
    ASSERT_EQ(m_dialogs.m_menuTexts.size(), 1u);
    EXPECT_EQ(m_dialogs.m_menuTexts[0],
              QStringList({"Settings", "Command", "File", "Script", "Trace"}));
    EXPECT_EQ(m_dialogs.m_menuPositions[0], pBar->mapToGlobal(QPoint(0, pBar->height())));
    EXPECT_EQ(prompts, QStringList({"Select available smart card reader", "Send APDU command",
                                    "View and update file contents",
                                    "Play script file consists of series APDU commands",
                                    "View all trace information"}));
    ExpectPage(dlg, 2, "File");
    dlg.OnIdleUpdate();
    ExpectRadioBullet(dlg, ID_VIEW_FILE);
    EXPECT_EQ(dlg.PaneText(), "No connection !");

    // Escape in the drop-down chooses nothing and changes nothing.
    m_dialogs.m_chooseMenuItem = nullptr;
    QTest::mouseMove(pBar, inside);
    QTest::mouseClick(pBar, Qt::LeftButton, {}, inside);
    EXPECT_EQ(m_dialogs.m_menuTexts.size(), 2u);
    ExpectPage(dlg, 2, "File");
}

TEST_F(Navigation, MenuPromptsGoToStatusLineAndTheRememberedTextReturns) {
    CMainDlg& dlg = StartMainWindow();
    QMenu* pCard = dlg.MenuBar()->actions().at(0)->menu();
    ASSERT_NE(pCard, nullptr);
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
    EXPECT_EQ(dlg.RememberedStatusText(), "No connection !");  // prompts are never kept

    // A transient text gives way when the loop becomes idle; a remembered one stays.
    dlg.SetStatusText("passing by", 0);
    EXPECT_EQ(dlg.PaneText(), "passing by");
    dlg.Action(ID_VIEW_TRACE)->trigger();
    RunUntilIdle();
    EXPECT_EQ(dlg.PaneText(), "No connection !");
    ExpectRadioBullet(dlg, ID_VIEW_TRACE);  // the same pass set the radio bullet
    dlg.SetStatusText("kept", 1);
    RunUntilIdle();
    EXPECT_EQ(dlg.PaneText(), "kept");
}

TEST_F(Navigation, ToolbarButtonsHaveTheirTooltipsAndLeaveTheStatusLineAlone) {
    CMainDlg& dlg = StartMainWindow();
    QList<QAction*> buttons = dlg.ToolBar()->actions();
    ASSERT_EQ(buttons.size(), 5);
    QStringList tips;
    for (int i : {0, 1, 2}) tips << buttons[i]->toolTip();
    EXPECT_EQ(tips, QStringList({"Establish a connection with the card",
                                 "Terminate a connection with the card",
                                 "Reestablish a connection with the card"}));
    EXPECT_EQ(buttons[4], dlg.Action(ID_APP_ABOUT));
    // The button reports the hover to its action, which the Card menu shares.
    QTest::mouseMove(dlg.ToolBar()->widgetForAction(buttons[0]));
    buttons[0]->hover();
    EXPECT_EQ(dlg.PaneText(), "No connection !");
}

}  // namespace
