#include "ColorLineModel.h"
#include "ColorListBox.h"
#include "ResourceIds.h"
#include "ShellFixture.h"
#include "TempDir.h"
#include "TracePage.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QTest>

#include <sys/stat.h>

namespace {

using TracePage = CShellFixture;

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

const QByteArray kRule(60, '-');

// Chooses an item of the trace's context menu through the fake menu service.
void ChooseFromContextMenu(CFakeDialogService& dialogs, CTracePage& page, const QString& text) {
    dialogs.m_chooseMenuItem = [text](QMenu& menu) { return CShellFixture::FindAction(menu, text); };
    page.OnContextMenu(QPoint(20, 20));
}

TEST_F(TracePage, SaveAsWritesTheLinesWithCrLfAndNoHeader) {
    CMainDlg& dlg = StartMainWindow();
    CTracePage& page = dlg.TracePage();
    dlg.AppendRecord("A0A40000023F00", "9F16");
    dlg.AppendRecord("A0B0000002", "12349000");
    CTempDir dir;
    const QString path = QString::fromStdString(dir.File("trace.log"));
    m_dialogs.m_saveAnswers.push_back(path);
    ChooseFromContextMenu(m_dialogs, page, "&Save As...");

    ASSERT_EQ(m_dialogs.m_saveRequests.size(), 1u);
    const CDialogService::SFileDialog& options = m_dialogs.m_saveRequests[0].options;
    EXPECT_EQ(options.strDefaultSuffix, "log");
    EXPECT_EQ(options.strFileName, "trace");
    EXPECT_EQ(options.filters, QStringList({"Log Files (*.log)", "All Files (*.*)"}));
    EXPECT_TRUE(options.bConfirmOverwrite);
    EXPECT_EQ(ReadAll(path), kRule + "\r\nHeader=A0A4000002\r\nDataIn=3F00\r\nSW=9F16\r\n" + kRule +
                                 "\r\nHeader=A0B0000002\r\nDataOut=1234\r\nSW=9000\r\n");
    EXPECT_TRUE(m_dialogs.m_messages.empty());
    // Saving leaves the trace as it was.
    EXPECT_EQ(page.List()->Model()->Count(), 8);
}

TEST_F(TracePage, ClearThenSaveOverTheSameFileLeavesItEmpty) {
    CMainDlg& dlg = StartMainWindow();
    CTracePage& page = dlg.TracePage();
    CTempDir dir;
    const QString path = QString::fromStdString(dir.File("trace.log"));
    dlg.AppendRecord("A0F2000016", "9000");
    m_dialogs.m_saveAnswers.push_back(path);
    ChooseFromContextMenu(m_dialogs, page, "&Save As...");
    ASSERT_NE(ReadAll(path), "");

    ChooseFromContextMenu(m_dialogs, page, "&Clear");
    EXPECT_EQ(page.List()->Model()->Count(), 0);
    m_dialogs.m_saveAnswers.push_back(path);
    ChooseFromContextMenu(m_dialogs, page, "&Save As...");
    EXPECT_EQ(ReadAll(path), "");
}

TEST_F(TracePage, CancelWritesAndShowsNothing) {
    CMainDlg& dlg = StartMainWindow();
    dlg.AppendRecord("A0F2000016", "9000");
    ChooseFromContextMenu(m_dialogs, dlg.TracePage(), "&Save As...");
    EXPECT_EQ(m_dialogs.m_saveRequests.size(), 1u);
    EXPECT_TRUE(m_dialogs.m_messages.empty());
    EXPECT_EQ(dlg.TracePage().List()->Model()->Count(), 3);
}

TEST_F(TracePage, WriteFailureReportsThePathAndKeepsOldFileAndTrace) {
    CMainDlg& dlg = StartMainWindow();
    CTempDir dir;
    dlg.AppendRecord("A0F2000016", "9000");

    // A folder that does not exist.
    const QString missing = QString::fromStdString(dir.File("gone/trace.log"));
    m_dialogs.m_saveAnswers.push_back(missing);
    ChooseFromContextMenu(m_dialogs, dlg.TracePage(), "&Save As...");
    ASSERT_EQ(m_dialogs.m_messages.size(), 1u);
    EXPECT_EQ(m_dialogs.m_messages[0].strText, "Could not open " + missing);
    EXPECT_EQ(m_dialogs.m_messages[0].icon, QMessageBox::Warning);
    EXPECT_EQ(m_dialogs.m_messages[0].buttons, QMessageBox::Ok);
    EXPECT_EQ(m_dialogs.m_messages[0].strCaption, QCoreApplication::applicationName());
    EXPECT_EQ(dlg.TracePage().List()->Model()->Count(), 3);

    // An older file in a folder that may not be written to stays as it was. (Root
    // writes anywhere, so there the case cannot be made.)
    const QString path = QString::fromStdString(dir.File("kept.log"));
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("older trace\r\n");
    }
    ASSERT_EQ(chmod(dir.Path().c_str(), 0500), 0);
    const bool bFolderProtected = !QFile(QString::fromStdString(dir.File("probe"))).open(QIODevice::WriteOnly);
    if (bFolderProtected) {
        m_dialogs.m_saveAnswers.push_back(path);
        ChooseFromContextMenu(m_dialogs, dlg.TracePage(), "&Save As...");
        ASSERT_EQ(m_dialogs.m_messages.size(), 2u);
        EXPECT_EQ(m_dialogs.m_messages[1].strText, "Could not open " + path);
    }
    chmod(dir.Path().c_str(), 0700);
    EXPECT_EQ(ReadAll(path), "older trace\r\n");
    EXPECT_EQ(dlg.TracePage().List()->Model()->Count(), 3);
}

TEST_F(TracePage, ContextMenuPromptsAndClosingHandsBackTheStatusLine) {
    CMainDlg& dlg = StartMainWindow();
    QStringList prompts;
    m_dialogs.m_chooseMenuItem = [&](QMenu& menu) -> QAction* {
        for (QAction* pAction : menu.actions()) {
            pAction->hover();
            prompts << dlg.PaneText();
        }
        return nullptr;
    };
    dlg.TracePage().OnContextMenu(QPoint(5, 5));
    EXPECT_EQ(prompts, QStringList({"Clear the current trace", "Save the current trace as log file on my PC"}));
    EXPECT_EQ(m_dialogs.m_menuTexts.back(), QStringList({"&Clear", "&Save As..."}));
    // Closing shows an empty text until the window is idle again.
    EXPECT_EQ(dlg.PaneText(), "");
    dlg.OnIdleUpdate();
    EXPECT_EQ(dlg.PaneText(), "No connection !");
}

TEST_F(TracePage, RightClickOnTheListOpensTheMenuThere) {
    CMainDlg& dlg = StartMainWindow();
    dlg.ShowPage(4);
    QWidget* pViewport = dlg.TracePage().List()->viewport();
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(30, 40), pViewport->mapToGlobal(QPoint(30, 40)));
    QCoreApplication::sendEvent(pViewport, &event);
    ASSERT_EQ(m_dialogs.m_menuPositions.size(), 1u);
    EXPECT_EQ(m_dialogs.m_menuPositions[0], pViewport->mapToGlobal(QPoint(30, 40)));
}

}  // namespace
