#include "CardReader.h"
#include "ResourceIds.h"
#include "ShellFixture.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QListWidget>
#include <QTest>

namespace {

using WindowCommands = CShellFixture;

TEST_F(WindowCommands, EscapeAndEnterCloseNothing) {
    CMainDlg& dlg = StartMainWindow();
    const auto pressKeys = [](QWidget* pTarget) {
        for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter})
            QTest::keyClick(pTarget, key);
    };
    for (int page = 0; page < CMainDlg::kPageCount; ++page) {
        dlg.ShowPage(page);
        pressKeys(&dlg.Page(page));
        EXPECT_TRUE(dlg.Page(page).isVisible()) << page;
    }
    dlg.ShowPage(0);
    for (QWidget* pTarget :
         {static_cast<QWidget*>(&dlg), dlg.SettingsPage().GetDlgItem(IDC_APP_NAME),
          static_cast<QWidget*>(dlg.NavigationList())})
        pressKeys(pTarget);
    // accept and reject, whoever calls them, end nothing.
    dlg.accept();
    dlg.reject();
    dlg.Page(4).reject();
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_TRUE(dlg.Page(0).isVisible());
}

// The build puts the manual beside the program; a help file there is preferred.
TEST_F(WindowCommands, HelpOpensTheManualOrTheHelpFileBesideTheProgram) {
    CMainDlg& dlg = StartMainWindow();
    const QString chm = QCoreApplication::applicationDirPath() + "/Corvanta Pro.chm";
    const QString manual = QCoreApplication::applicationDirPath() + "/manual/index.html";
    ASSERT_TRUE(QFileInfo::exists(manual));
    QFile::remove(chm);
    dlg.Action(ID_HELP_CONTENTS)->trigger();
    EXPECT_EQ(m_dialogs.m_openedDocuments, QStringList({manual}));
    EXPECT_TRUE(m_dialogs.m_messages.empty());

    QFile file(chm);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    dlg.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    // F1 from inside a page; with a modifier it is not help.
    QWidget* pName = dlg.SettingsPage().GetDlgItem(IDC_APP_NAME);
    pName->setFocus();
    QTest::keyClick(pName, Qt::Key_F1, Qt::ShiftModifier);
    EXPECT_EQ(m_dialogs.m_openedDocuments.size(), 1);
    QTest::keyClick(pName, Qt::Key_F1);
    QFile::remove(chm);
    EXPECT_EQ(m_dialogs.m_openedDocuments, QStringList({manual, chm}));
}

TEST_F(WindowCommands, AboutBoxShowsVersionModally) {
    CMainDlg& dlg = StartMainWindow();
    dlg.Action(ID_APP_ABOUT)->trigger();
    ASSERT_EQ(m_dialogs.m_modals.size(), 1u);
    EXPECT_EQ(m_dialogs.m_modals[0].strTitle, "About Corvanta Pro");
    EXPECT_FALSE(m_dialogs.m_modals[0].bWaitCursor);
    EXPECT_TRUE(m_dialogs.m_modals[0].texts.contains("Corvanta Pro V1.0"));
    EXPECT_TRUE(dlg.isVisible());
}

TEST_F(WindowCommands, ConnectWithoutServiceShowsCardErrorThenTheFailedState) {
    CMainDlg& dlg = StartMainWindow();
    dlg.Action(ID_CARD_CONNECT)->trigger();
    ASSERT_EQ(m_dialogs.m_modals.size(), 1u);
    const CFakeDialogService::SModal& error = m_dialogs.m_modals[0];
    EXPECT_EQ(error.strTitle, "Card error");
    EXPECT_EQ(error.texts,
              QStringList({"Error connecting to the card\n\nPlease check that your card is "
                           "correctly inserted and your reader is ok."}));
    EXPECT_EQ(error.size, dlg.MapDialogRect(QRect(0, 0, 174, 73)).size());
    EXPECT_TRUE(error.bWaitCursor);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    ExpectConnection(dlg, false, "Error connecting to the card !");
}

}  // namespace
