#include "ColorLineModel.h"
#include "ColorListBox.h"
#include "ShellFixture.h"
#include "TempDir.h"
#include "TracePage.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QFile>
#include <QMenu>


namespace {

// A started window with one exchange in its trace and a folder to save into.
class TracePage : public CShellFixture {
protected:
    void SetUp() override {
        CShellFixture::SetUp();
        StartMainWindow().AppendRecord("A0A40000023F00", "9F16");
    }
    CTracePage& Page() { return m_pMainDlg->TracePage(); }
    int LineCount() { return Page().List()->Model()->Count(); }
    // Chooses an item of the trace's context menu through the fake menu service.
    void Choose(const QString& strText) {
        ChooseMenuItem(strText);
        Page().OnContextMenu(QPoint(20, 20));
    }
    // Save As, answering the file dialog with that path (empty: cancel).
    void SaveAs(const QString& strPath) {
        if (!strPath.isEmpty()) m_dialogs.m_saveAnswers.push_back(strPath);
        Choose("&Save As...");
    }
    QString Path(const std::string& name) const { return QString::fromStdString(m_dir.File(name)); }
    static QByteArray ReadAll(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    CTempDir m_dir;
};

const QByteArray kRule(60, '-');

// What the file holds and how a failed write keeps the old one are the line store's
// (ColorLineModelSaveTest); here the menu, the file dialog and the message box.
TEST_F(TracePage, SaveAsAsksForALogFileAndReportsAWriteFailure) {
    SaveAs(Path("trace.log"));
    ASSERT_EQ(m_dialogs.m_saveRequests.size(), 1u);
    const CDialogService::SFileDialog& options = m_dialogs.m_saveRequests[0].options;
    EXPECT_EQ(options.strDefaultSuffix, "log");
    EXPECT_EQ(options.strFileName, "trace");
    EXPECT_EQ(options.filters, QStringList({"Log Files (*.log)", "All Files (*.*)"}));
    EXPECT_TRUE(options.bConfirmOverwrite);
    EXPECT_EQ(ReadAll(Path("trace.log")), kRule + "\r\nHeader=A0A4000002\r\nDataIn=3F00\r\nSW=9F16\r\n");
    SaveAs("");  // cancelled
    EXPECT_TRUE(m_dialogs.m_messages.empty());

    SaveAs(Path("gone/trace.log"));  // a folder that does not exist
    ASSERT_EQ(m_dialogs.m_messages.size(), 1u);
    EXPECT_EQ(m_dialogs.m_messages[0].strText, "Could not open " + Path("gone/trace.log"));
    EXPECT_EQ(m_dialogs.m_messages[0].icon, QMessageBox::Warning);
    EXPECT_EQ(m_dialogs.m_messages[0].buttons, QMessageBox::Ok);
    EXPECT_EQ(m_dialogs.m_messages[0].strCaption, QCoreApplication::applicationName());
    EXPECT_EQ(LineCount(), 4);
    Choose("&Clear");
    EXPECT_EQ(LineCount(), 0);
}

TEST_F(TracePage, ContextMenuPromptsAndClosingHandsBackTheStatusLine) {
    CMainDlg& dlg = *m_pMainDlg;
    QStringList prompts;
    m_dialogs.m_chooseMenuItem = [&](QMenu& menu) -> QAction* {
        for (QAction* pAction : menu.actions()) {
            pAction->hover();
            prompts << dlg.PaneText();
        }
        return nullptr;
    };
    Page().OnContextMenu(QPoint(5, 5));
    EXPECT_EQ(prompts, QStringList({"Clear the current trace",
                                    "Save the current trace as log file on my PC"}));
    EXPECT_EQ(m_dialogs.m_menuTexts.back(), QStringList({"&Clear", "&Save As..."}));
    // Closing shows an empty text until the window is idle again.
    EXPECT_EQ(dlg.PaneText(), "");
    dlg.OnIdleUpdate();
    EXPECT_EQ(dlg.PaneText(), "No connection !");

    // A right click on the list opens the menu where it was clicked.
    dlg.ShowPage(4);
    QWidget* pViewport = Page().List()->viewport();
    const QPoint global = pViewport->mapToGlobal(QPoint(30, 40));
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(30, 40), global);
    QCoreApplication::sendEvent(pViewport, &event);
    EXPECT_EQ(m_dialogs.m_menuPositions.back(), global);
}

}  // namespace
