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

void ExpectPage(CMainDlg& dlg, int nPage, const char* pszCaption) {
    for (int page = 0; page < CMainDlg::kPageCount; ++page)
        EXPECT_EQ(dlg.Page(page).isHidden(), page != nPage) << "page " << page;
    EXPECT_EQ(dlg.NavigationList()->currentRow(), nPage);
    EXPECT_TRUE(dlg.NavigationList()->item(nPage)->isSelected());
    EXPECT_EQ(dlg.InfoBar()->Caption(), pszCaption);
}

void ExpectRadioBullet(CMainDlg& dlg, int nCheckedId) {
    for (int nId : {ID_VIEW_SETTINGS, ID_VIEW_COMMAND, ID_VIEW_FILE, ID_VIEW_SCRIPT, ID_VIEW_TRACE})
        EXPECT_EQ(dlg.Action(nId)->isChecked(), nId == nCheckedId) << nId;
}

QPoint ItemCentre(QListWidget* pList, int row) {
    return pList->visualItemRect(pList->item(row)).center();
}

TEST_F(Navigation, ViewMenuShowsPageSelectsItemAndBulletFollowsAtIdle) {
    CMainDlg& dlg = StartMainWindow();
    dlg.Action(ID_VIEW_FILE)->trigger();
    ExpectPage(dlg, 2, "File");
    dlg.OnIdleUpdate();
    ExpectRadioBullet(dlg, ID_VIEW_FILE);

    // The View commands of Command and File are the reverse of their page order.
    dlg.Action(ID_VIEW_COMMAND)->trigger();
    ExpectPage(dlg, 1, "Command");
    dlg.Action(ID_VIEW_TRACE)->trigger();
    ExpectPage(dlg, 4, "Trace");
    dlg.OnIdleUpdate();
    ExpectRadioBullet(dlg, ID_VIEW_TRACE);
    // The bullet is not a toggle: choosing the shown page again keeps it.
    dlg.Action(ID_VIEW_TRACE)->trigger();
    dlg.OnIdleUpdate();
    ExpectRadioBullet(dlg, ID_VIEW_TRACE);
}

TEST_F(Navigation, ListClickShowsPageAndEmptySpaceKeepsIt) {
    CMainDlg& dlg = StartMainWindow();
    QListWidget* pList = dlg.NavigationList();
    QTest::mouseClick(pList->viewport(), Qt::LeftButton, {}, ItemCentre(pList, 3));
    ExpectPage(dlg, 3, "Script");

    // Below the last icon: the selection goes, the page stays.
    const QPoint below(pList->viewport()->width() / 2, pList->viewport()->height() - 3);
    ASSERT_EQ(pList->itemAt(below), nullptr);
    QTest::mouseClick(pList->viewport(), Qt::LeftButton, {}, below);
    for (int page = 0; page < CMainDlg::kPageCount; ++page)
        EXPECT_EQ(dlg.Page(page).isHidden(), page != 3) << page;
    EXPECT_EQ(dlg.InfoBar()->Caption(), "Script");

    QTest::mouseClick(pList->viewport(), Qt::LeftButton, {}, ItemCentre(pList, 0));
    ExpectPage(dlg, 0, "Settings");
}

TEST_F(Navigation, CaptionBarMenuShowsThePageAsTheViewMenuDoes) {
    CMainDlg& dlg = StartMainWindow();
    CInfoBar* pBar = dlg.InfoBar();
    m_dialogs.m_chooseMenuItem = [](QMenu& menu) { return FindAction(menu, "File"); };
    const QPoint inside(pBar->HotRect().center());
    QTest::mouseMove(pBar, inside);
    QTest::mouseClick(pBar, Qt::LeftButton, {}, inside);

    ASSERT_EQ(m_dialogs.m_menuTexts.size(), 1u);
    EXPECT_EQ(m_dialogs.m_menuTexts[0], QStringList({"Settings", "Command", "File", "Script", "Trace"}));
    EXPECT_EQ(m_dialogs.m_menuPositions[0], pBar->mapToGlobal(QPoint(0, pBar->height())));
    ExpectPage(dlg, 2, "File");
    dlg.OnIdleUpdate();
    ExpectRadioBullet(dlg, ID_VIEW_FILE);

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
    QMenu* pView = dlg.MenuBar()->actions().at(1)->menu();
    QMenu* pHelp = dlg.MenuBar()->actions().at(2)->menu();
    ASSERT_NE(pCard, nullptr);
    pCard->popup(dlg.mapToGlobal(QPoint(10, 30)));
    dlg.Action(ID_CARD_CONNECT)->hover();
    EXPECT_EQ(dlg.PaneText(), "Establish a connection with the card");
    // The prompt stays while the menu is open, however idle the loop gets.
    RunUntilIdle();
    EXPECT_EQ(dlg.PaneText(), "Establish a connection with the card");
    dlg.Action(ID_APP_EXIT)->hover();
    EXPECT_EQ(dlg.PaneText(), "Exit Corvanta");
    pCard->hide();
    EXPECT_EQ(dlg.PaneText(), "No connection !");
    pView->popup(dlg.mapToGlobal(QPoint(10, 30)));
    dlg.Action(ID_VIEW_SCRIPT)->hover();
    EXPECT_EQ(dlg.PaneText(), "Play script file consists of series APDU commands");
    pView->hide();
    pHelp->popup(dlg.mapToGlobal(QPoint(10, 30)));
    dlg.Action(ID_HELP_CONTENTS)->hover();
    EXPECT_EQ(dlg.PaneText(), "Display the help contents");

    // Moving to another title while a menu is open.
    dlg.MenuBar()->actions().at(1)->hover();
    EXPECT_EQ(dlg.PaneText(), "Press ESC key to exit menu mode");
    pHelp->hide();
    EXPECT_EQ(dlg.PaneText(), "No connection !");
    // Outside menu mode the mouse passing over a title shows nothing.
    dlg.MenuBar()->actions().at(0)->hover();
    EXPECT_EQ(dlg.PaneText(), "No connection !");
    // The prompts are never remembered.
    EXPECT_EQ(dlg.RememberedStatusText(), "No connection !");
}

TEST_F(Navigation, TransientTextGivesWayWhenTheLoopBecomesIdle) {
    CMainDlg& dlg = StartMainWindow();
    dlg.SetStatusText("passing by", 0);
    EXPECT_EQ(dlg.PaneText(), "passing by");
    dlg.Action(ID_VIEW_TRACE)->trigger();
    RunUntilIdle();
    EXPECT_EQ(dlg.PaneText(), "No connection !");
    // The same pass set the radio bullet.
    ExpectRadioBullet(dlg, ID_VIEW_TRACE);
    dlg.SetStatusText("kept", 1);
    RunUntilIdle();
    EXPECT_EQ(dlg.PaneText(), "kept");
}

TEST_F(Navigation, ToolbarCarriesTheConnectionButtonsAndTheirTooltips) {
    CMainDlg& dlg = StartMainWindow();
    QList<QAction*> buttons = dlg.ToolBar()->actions();
    ASSERT_EQ(buttons.size(), 5);
    EXPECT_EQ(buttons[0], dlg.Action(ID_CARD_CONNECT));
    EXPECT_EQ(buttons[1], dlg.Action(ID_CARD_DISCONNECT));
    EXPECT_EQ(buttons[2], dlg.Action(ID_CARD_RECONNECT));
    EXPECT_TRUE(buttons[3]->isSeparator());
    EXPECT_EQ(buttons[4], dlg.Action(ID_APP_ABOUT));
    EXPECT_EQ(buttons[0]->toolTip(), "Establish a connection with the card");
    EXPECT_EQ(buttons[1]->toolTip(), "Terminate a connection with the card");
    EXPECT_EQ(buttons[2]->toolTip(), "Reestablish a connection with the card");
    // Hovering a button leaves the status line alone, though the button reports the
    // hover to its action, which the Card menu shares.
    QWidget* pButton = dlg.ToolBar()->widgetForAction(buttons[0]);
    QTest::mouseMove(pButton);
    buttons[0]->hover();
    EXPECT_EQ(dlg.PaneText(), "No connection !");
}

}  // namespace
